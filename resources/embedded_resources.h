// The editor's PNG artwork by resource number, the same way on every platform: on Windows it is
// read from the module's own "PNG" resources, elsewhere from byte tables compiled into the module.
#pragma once

struct EmbeddedResource {
    int id;
    const unsigned char* data;
    unsigned size;
};

// The artwork is numbered 101 (background) to 113 at 1x; the same pictures drawn at 2x and 3x the
// size are numbered 201-213 and 301-313.
constexpr int kFirstArtworkId = 101;
constexpr int kLastArtworkId = 113;
constexpr int kArtworkMaxScale = 3;

// The number of the 1x picture baseId (101-113) in the set drawn at scale (1 to 3).
constexpr int scaledArtworkId(int baseId, int scale) { return baseId + 100 * (scale - 1); }

// nullptr if the module carries no artwork with this number.
const EmbeddedResource* findEmbeddedResource(int id);
