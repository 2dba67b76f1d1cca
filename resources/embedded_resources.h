// The editor's PNG artwork by resource number, the same way on every platform: on Windows it is
// read from the module's own "PNG" resources, elsewhere from byte tables compiled into the module.
#pragma once

struct EmbeddedResource {
    int id;
    const unsigned char* data;
    unsigned size;
};

// The artwork is numbered 101 (background) to 113.
constexpr int kFirstArtworkId = 101;
constexpr int kLastArtworkId = 113;

// nullptr if the module carries no artwork with this number.
const EmbeddedResource* findEmbeddedResource(int id);
