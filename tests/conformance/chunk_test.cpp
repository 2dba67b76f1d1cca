// The 104-byte state chunk: layout, round trip, damaged and odd-sized blocks.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "plugin_under_test.h"

namespace conformance {
namespace {

std::vector<std::uint8_t> littleEndianFloats(const std::vector<float>& values) {
    std::vector<std::uint8_t> bytes;
    for (float value : values) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
    return bytes;
}

float floatAt(const std::vector<std::uint8_t>& bytes, int index) {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(bytes[4 * index + i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

TEST_F(PluginTest, NewInstanceChunkHoldsTheDefaults) {
    const auto chunk = plugin->getChunk(false);
    ASSERT_EQ(chunk.size(), 104u);
    for (int i = 0; i < 26; ++i) {
        const bool half = i == 0 || i == 3 || i == 4 || i == 8 || i == 9 || i == 12 || i == 13;
        EXPECT_EQ(floatAt(chunk, i), half ? 0.5f : 0.0f) << "index " << i;
    }
    EXPECT_EQ(plugin->getChunk(true), chunk) << "preset and bank chunks are identical";
}

TEST_F(PluginTest, ChunkRoundTripIsBitExactAcrossInstances) {
    for (int i = 0; i < 26; ++i) plugin->setParameter(i, static_cast<float>(i + 1) / 27.0f);
    const auto saved = plugin->getChunk(false);
    LoadedPlugin other;
    ASSERT_TRUE(other.instance);
    EXPECT_EQ(other->setChunk(saved, false), 0);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(other->getParameter(i), plugin->getParameter(i)) << "index " << i;
    EXPECT_EQ(other->getChunk(true), saved);
    EXPECT_TRUE(other.host.automations().empty()) << "a chunk recall is not reported as automation";
}

TEST_F(PluginTest, ChunkValuesAreClampedAndNaNIsSkipped) {
    std::vector<float> values(26, 0.25f);
    values[0] = 2.0f;
    values[20] = -1.0f;
    values[5] = std::numeric_limits<float>::quiet_NaN();
    plugin->setChunk(littleEndianFloats(values), false);
    EXPECT_EQ(plugin->getParameter(0), 1.0f);
    EXPECT_EQ(plugin->getParameter(20), 0.0f);
    EXPECT_EQ(plugin->getParameter(5), 0.0f) << "NaN leaves the previous value";
    EXPECT_EQ(plugin->getParameter(6), 0.25f);
}

TEST_F(PluginTest, LongChunkUsesTheFirst104Bytes) {
    std::vector<float> values(50, 0.75f);
    plugin->setChunk(littleEndianFloats(values), true);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(plugin->getParameter(i), 0.75f);
}

TEST_F(PluginTest, ShortChunkReadsOnlyWholeFloatsInsideItsSize) {
    std::vector<std::uint8_t> bytes = littleEndianFloats(std::vector<float>(26, 0.75f));
    bytes.resize(10);
    plugin->setChunk(bytes, false);
    EXPECT_EQ(plugin->getParameter(0), 0.75f);
    EXPECT_EQ(plugin->getParameter(1), 0.75f);
    EXPECT_EQ(plugin->getParameter(2), 0.0f);
    EXPECT_EQ(plugin->getParameter(3), 0.5f);
}

TEST_F(PluginTest, NullAndNegativeChunksChangeNothing) {
    std::vector<std::uint8_t> bytes = littleEndianFloats(std::vector<float>(26, 0.75f));
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, 104, nullptr), 0);
    EXPECT_EQ(plugin->dispatch(effSetChunk, 0, -104, bytes.data()), 0);
    EXPECT_EQ(plugin->dispatch(effGetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ(plugin->getParameter(0), 0.5f);
}

TEST_F(PluginTest, ChunkBlockStaysValidUntilTheNextRequest) {
    void* first = nullptr;
    ASSERT_EQ(plugin->getChunkRaw(false, &first), 104);
    ASSERT_NE(first, nullptr);
    std::vector<std::uint8_t> copy(static_cast<std::uint8_t*>(first), static_cast<std::uint8_t*>(first) + 104);
    plugin->setParameter(7, 1.0f);  // parameter changes do not disturb a block already handed out
    EXPECT_EQ(std::memcmp(first, copy.data(), 104), 0);
    void* second = nullptr;
    ASSERT_EQ(plugin->getChunkRaw(false, &second), 104);
    EXPECT_EQ(
        floatAt(std::vector<std::uint8_t>(static_cast<std::uint8_t*>(second), static_cast<std::uint8_t*>(second) + 104),
                7),
        1.0f);
}

}  // namespace
}  // namespace conformance
