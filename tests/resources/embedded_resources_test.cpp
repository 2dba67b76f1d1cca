// The artwork lookup that the editor's bitmap loader uses: every number finds exactly the committed
// file's bytes, whichever way the module carries them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "artwork_table.h"
#include "embedded_resources.h"
#include "png_file.h"

namespace {

TEST(EmbeddedResources, EveryArtworkNumberFindsItsFile) {
    for (int scale : kArtworkScales) {
        for (const ArtworkEntry& base : kArtwork) {
            ArtworkEntry art = scaledArtwork(base, scale);
            SCOPED_TRACE(art.file);
            const EmbeddedResource* resource = findEmbeddedResource(art.id);
            ASSERT_NE(resource, nullptr);
            EXPECT_EQ(resource->id, art.id);
            std::vector<unsigned char> file = readFile(std::string(QX71_RESOURCES_DIR) + "/" + art.file);
            ASSERT_EQ(resource->size, file.size());
            EXPECT_TRUE(std::equal(file.begin(), file.end(), resource->data));
            EXPECT_EQ(decodePng(std::vector<unsigned char>(resource->data, resource->data + resource->size)).width,
                      art.width);
        }
    }
}

TEST(EmbeddedResources, UnknownNumbersFindNothing) {
    for (int id : {-1, 0, 1, 100, 114, 200, 214, 300, 314, 401, 0x10000 + 101}) {
        EXPECT_EQ(findEmbeddedResource(id), nullptr) << id;
    }
}

}  // namespace
