#include "state_stream.h"

#include <cstdint>
#include <cstring>

namespace clap_edition {

namespace {

void writeFloatLittleEndian(unsigned char* bytes, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

float readFloatLittleEndian(const unsigned char* bytes) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

bool saveState(const clap_ostream_t* stream, const std::atomic<float> (&values)[param::count]) {
    if (stream == nullptr || stream->write == nullptr) return false;
    unsigned char bytes[kStateSize];
    for (int i = 0; i < param::count; ++i) {
        writeFloatLittleEndian(bytes + 4 * i, values[i].load(std::memory_order_relaxed));
    }
    size_t written = 0;
    while (written < kStateSize) {
        const int64_t result = stream->write(stream, bytes + written, kStateSize - written);
        if (result <= 0 || static_cast<uint64_t>(result) > kStateSize - written) return false;
        written += static_cast<size_t>(result);
    }
    return true;
}

bool loadState(const clap_istream_t* stream, float (&values)[param::count]) {
    if (stream == nullptr || stream->read == nullptr) return false;
    unsigned char bytes[kStateSize];
    size_t received = 0;
    while (received < kStateSize) {
        const int64_t result = stream->read(stream, bytes + received, kStateSize - received);
        if (result <= 0 || static_cast<uint64_t>(result) > kStateSize - received) return false;
        received += static_cast<size_t>(result);
    }
    unsigned char extra;
    if (stream->read(stream, &extra, 1) != 0) return false;  // longer than a state, or a read error
    float read[param::count];
    for (int i = 0; i < param::count; ++i) {
        read[i] = readFloatLittleEndian(bytes + 4 * i);
        if (!(read[i] >= 0.0f && read[i] <= 1.0f)) return false;
    }
    std::memcpy(values, read, sizeof read);
    return true;
}

}  // namespace clap_edition
