// The x86 vector intrinsics for the wide kernels' headers. GCC 12 reports its own placeholder
// for undefined vector halves inside <immintrin.h> as uninitialized.
#pragma once

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
