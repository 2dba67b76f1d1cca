// The resource tables of built Windows modules: the editor edition carries the thirteen PNGs at
// each scale (type "PNG", numbers 101-113, 201-213, 301-313, US English) and both carry their
// version information.
// Usage: qx71_resource_table_test <editor-edition module> <plain-edition module> [gtest flags]
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "artwork_table.h"
#include "pe_resources.h"
#include "png_file.h"

namespace {

std::string editorModule;
std::string plainModule;

constexpr int kUsEnglish = 1033;
constexpr const char* kVersionType = "#16";

std::vector<PeResource> ofType(const std::vector<PeResource>& all, const std::string& type) {
    std::vector<PeResource> found;
    std::copy_if(all.begin(), all.end(), std::back_inserter(found),
                 [&](const PeResource& r) { return r.type == type; });
    return found;
}

TEST(ResourceTable, EditorEditionCarriesTheThirteenPngsAtEveryScale) {
    std::vector<PeResource> pngs = ofType(readPeResources(editorModule), "PNG");
    ASSERT_EQ(pngs.size(), std::size(kArtwork) * std::size(kArtworkScales));
    for (int scale : kArtworkScales) {
        for (const ArtworkEntry& base : kArtwork) {
            ArtworkEntry art = scaledArtwork(base, scale);
            SCOPED_TRACE(art.file);
            auto found = std::find_if(pngs.begin(), pngs.end(), [&](const PeResource& r) { return r.id == art.id; });
            ASSERT_NE(found, pngs.end());
            EXPECT_EQ(found->language, kUsEnglish);
            EXPECT_EQ(found->data, readFile(std::string(QX71_RESOURCES_DIR) + "/" + art.file));
        }
    }
}

TEST(ResourceTable, PlainEditionCarriesNoArtwork) { EXPECT_TRUE(ofType(readPeResources(plainModule), "PNG").empty()); }

void expectVersion(const std::string& module, const std::string& internalName, const std::string& productSuffix) {
    SCOPED_TRACE(module);
    std::vector<PeResource> versions = ofType(readPeResources(module), kVersionType);
    ASSERT_EQ(versions.size(), 1u);
    EXPECT_EQ(versions[0].id, 1);
    VersionInfo info = parseVersionInfo(versions[0].data);
    EXPECT_EQ(info.fileVersionMs, 0x00010002u);
    EXPECT_EQ(info.fileVersionLs, 0x00010000u);
    EXPECT_EQ(info.productVersionMs, 0x00010002u);
    EXPECT_EQ(info.productVersionLs, 0x00010000u);
    EXPECT_EQ(info.stringTableKey, "000004B0");
    EXPECT_EQ(info.strings["FileDescription"], "Channel Equalizer VST");
    EXPECT_EQ(info.strings["FileVersion"], "1.21");
    EXPECT_EQ(info.strings["ProductVersion"], "1.21");
    EXPECT_EQ(info.strings["InternalName"], internalName);
    const std::string& product = info.strings["ProductName"];
    ASSERT_GT(product.size(), productSuffix.size());
    EXPECT_EQ(product.substr(product.size() - productSuffix.size()), productSuffix);
    EXPECT_EQ(product[product.size() - productSuffix.size() - 1], ' ');
    EXPECT_EQ(info.translation, (std::vector<uint16_t>{0x0000, 0x04B0}));
}

TEST(ResourceTable, BothEditionsCarryTheirVersionInformation) {
    expectVersion(editorModule, "QX71G", "QX71-G");
    expectVersion(plainModule, "QX71", "QX71");
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        fprintf(stderr, "usage: %s <editor-edition module> <plain-edition module>\n", argv[0]);
        return 2;
    }
    editorModule = argv[1];
    plainModule = argv[2];
    return RUN_ALL_TESTS();
}
