// Lookup in the byte tables that the build generates from the committed PNG files.
#include "embedded_resources.h"

#include "embedded_resource_table.h"

const EmbeddedResource* findEmbeddedResource(int id) {
    for (unsigned i = 0; i < kEmbeddedResourceCount; ++i) {
        if (kEmbeddedResources[i].id == id) {
            return &kEmbeddedResources[i];
        }
    }
    return nullptr;
}
