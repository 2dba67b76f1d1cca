// A replacement of global operator new for out-of-memory tests: lets a chosen number of
// allocations succeed, fails the next one with std::bad_alloc, and counts live blocks so that a
// test can prove nothing leaked. Linking this file replaces operator new for the whole program,
// so it stays out of sanitizer builds.
#pragma once

#include "vst_abi.h"

namespace failing_allocator {

// Lets `allocations` more allocations succeed, then fails one; -1 never fails.
void failAfter(long allocations);
// True once a failure was injected since the last failAfter.
bool failed();
// Blocks allocated through operator new and not yet released.
long liveBlocks();

// A host that answers only the version question, as every plug-in entry asks it.
VstIntPtr VSTCALLBACK versionOnlyHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt);

}  // namespace failing_allocator
