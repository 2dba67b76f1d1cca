// The plug-in's state in CLAP streams: the 104 bytes of the VST 2.4 edition's chunk (the 26
// normalized values as little-endian single-precision floats, in table order), so a state moves
// between the formats with the same sound.
#pragma once

#include <clap/stream.h>

#include <atomic>
#include <cstddef>

#include "parameter_table.h"

namespace clap_edition {

constexpr size_t kStateSize = 4 * param::count;

// Writes the values; false when the stream refuses bytes.
bool saveState(const clap_ostream_t* stream, const std::atomic<float> (&values)[param::count]);

// Reads a whole state into `values`: exactly kStateSize bytes, however few each read delivers,
// then the end of the stream, and every value a number in [0, 1] as saveState writes them.
// Anything else (an empty, short, long or damaged stream, a read error) answers false and
// leaves `values` untouched.
bool loadState(const clap_istream_t* stream, float (&values)[param::count]);

}  // namespace clap_edition
