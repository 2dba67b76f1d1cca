#include "text_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// Formats into a poisoned buffer and checks that nothing beyond maxLen + 1 bytes was touched.
template <typename Format>
std::string formatChecked(Format format, VstInt32 maxLen) {
    char buffer[64];
    std::memset(buffer, 0x5A, sizeof(buffer));
    format(buffer, maxLen);
    for (int i = maxLen + 1; i < static_cast<int>(sizeof(buffer)); ++i) {
        EXPECT_EQ(buffer[i], 0x5A) << "byte " << i << " written beyond the terminator";
    }
    EXPECT_EQ(buffer[maxLen], '\0');
    for (size_t i = std::strlen(buffer); i < static_cast<size_t>(maxLen); ++i) {
        EXPECT_EQ(buffer[i], '\0') << "byte " << i << " not zero-filled";
    }
    return buffer;
}

std::string floatText(float value, VstInt32 maxLen = 8) {
    return formatChecked([value](char* text, VstInt32 limit) { formatFloat(value, text, limit); }, maxLen);
}

std::string intText(VstInt32 value, VstInt32 maxLen = 8) {
    return formatChecked([value](char* text, VstInt32 limit) { formatInt(value, text, limit); }, maxLen);
}

TEST(FormatFloat, NormalizedValuesShowSixTruncatedDigits) {
    EXPECT_EQ(floatText(0.5f), "0.500000");
    EXPECT_EQ(floatText(1.0f), "1.000000");
    EXPECT_EQ(floatText(0.25f), "0.250000");
    EXPECT_EQ(floatText(0.7f), "0.699999");  // truncated, never rounded
    EXPECT_EQ(floatText(0.0f), "0.000000");
    EXPECT_EQ(floatText(1.0f / 7.0f), "0.142857");
}

TEST(FormatFloat, LargerAndNegativeValuesShareTheEightCharacterBudget) {
    EXPECT_EQ(floatText(12.5f), "12.50000");
    EXPECT_EQ(floatText(-0.5f), "-0.50000");
    EXPECT_EQ(floatText(-25.0f), "-25.0000");
    EXPECT_EQ(floatText(1234567.0f), "1234567.");
    EXPECT_EQ(floatText(12345678.0f), "2345678.");  // only the last seven digits fit
}

TEST(FormatFloat, OutOfRangeIsHuge) {
    EXPECT_EQ(floatText(1.0e9f), "Huge!");
    EXPECT_EQ(floatText(-1.0e8f), "Huge!");
    EXPECT_EQ(floatText(INFINITY), "Huge!");
}

TEST(FormatFloat, ShortLimitTruncatesWithTerminator) {
    EXPECT_EQ(floatText(0.5f, 4), "0.50");
    EXPECT_EQ(floatText(123.0f, 2), "12");
    EXPECT_EQ(floatText(1.0e9f, 3), "Hug");
}

TEST(FormatInt, DigitsSignAndLimits) {
    EXPECT_EQ(intText(0), "0");
    EXPECT_EQ(intText(-12), "-12");
    EXPECT_EQ(intText(99999999), "99999999");
    EXPECT_EQ(intText(100000000), "Huge!");
    EXPECT_EQ(intText(INT_MIN, 16), "-2147483648");
    EXPECT_EQ(intText(123456, 3), "123");
}

TEST(CopyLimited, WritesTextZeroFillAndTerminatorOnly) {
    const std::string copied =
        formatChecked([](char* text, VstInt32 limit) { copyLimited(text, "Mute LPF", limit); }, 8);
    EXPECT_EQ(copied, "Mute LPF");
    EXPECT_EQ(formatChecked([](char* text, VstInt32 limit) { copyLimited(text, "much too long", limit); }, 8),
              "much too");
    EXPECT_EQ(formatChecked([](char* text, VstInt32 limit) { copyLimited(text, "dB", limit); }, 8), "dB");
}

}  // namespace
