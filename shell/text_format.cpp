#include "text_format.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int kCharacterBudget = 8;

// Appends `source` to the text in `text` so that the whole stays within maxLen characters.
void appendLimited(char* text, const char* source, VstInt32 maxLen) {
    const size_t limit = static_cast<size_t>(maxLen);
    size_t used = std::strlen(text);
    while (*source != '\0' && used < limit) text[used++] = *source++;
    text[used] = '\0';
    text[limit] = '\0';
}

}  // namespace

void copyLimited(char* text, const char* source, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    std::strncpy(text, source, static_cast<size_t>(maxLen));
    text[maxLen] = '\0';
}

void formatFloat(float input, char* text, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    double value = input;
    int count = 0;
    const bool negative = value < 0;
    if (negative) {
        value = -value;
        count = 1;
    }
    if (negative ? value > 9999999.0 : value > 99999999.0) {
        copyLimited(text, "Huge!", maxLen);
        return;
    }
    ++count;  // the decimal point

    char integerDigits[kCharacterBudget + 1];
    int digitCount = 0;
    double integerPart = std::floor(value);
    do {
        integerDigits[digitCount++] = static_cast<char>('0' + static_cast<int>(std::fmod(integerPart, 10.0)));
        integerPart /= 10.0;
        ++count;
    } while (integerPart >= 1.0 && count < kCharacterBudget);

    char head[kCharacterBudget + 3];
    int length = 0;
    if (negative) head[length++] = '-';
    while (digitCount > 0) head[length++] = integerDigits[--digitCount];
    head[length++] = '.';
    head[length] = '\0';
    copyLimited(text, head, maxLen);
    if (count >= kCharacterBudget) return;

    const int fractionCount = kCharacterBudget - count;
    double fraction = std::fmod(value, 1.0) * std::pow(10.0, fractionCount);
    char fractionDigits[kCharacterBudget + 1];
    for (int i = fractionCount - 1; i >= 0; --i) {
        if (fraction <= 0) {
            fractionDigits[i] = '0';
        } else {
            fractionDigits[i] = static_cast<char>('0' + static_cast<int>(std::fmod(fraction, 10.0)));
            fraction /= 10.0;
        }
    }
    fractionDigits[fractionCount] = '\0';
    appendLimited(text, fractionDigits, maxLen);
}

void formatInt(VstInt32 input, char* text, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    if (input >= 100000000) {
        copyLimited(text, "Huge!", maxLen);
        return;
    }
    // Widened so that the magnitude of the most negative value is representable.
    long long magnitude = input < 0 ? -static_cast<long long>(input) : input;
    char reversed[24];
    int length = 0;
    do {
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    char digits[26];
    int out = 0;
    if (input < 0) digits[out++] = '-';
    while (length > 0) digits[out++] = reversed[--length];
    digits[out] = '\0';
    copyLimited(text, digits, maxLen);
}
