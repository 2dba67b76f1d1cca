#include "state_hygiene.h"

#include <type_traits>

namespace dsp {

namespace {
template <class State>
void cleanSection(State& state) {
    static_assert(std::is_standard_layout<State>::value && sizeof(State) % sizeof(Pair) == 0,
                  "a state record is a plain run of Pairs");
    constexpr int kCount = sizeof(State) / sizeof(Pair);
    Pair* members = reinterpret_cast<Pair*>(&state);
    const __m128d zero = _mm_setzero_pd();
    const __m128d signMask = _mm_set1_pd(-0.0);
    const __m128d flushBelow = _mm_set1_pd(kFlushBelow);
    // All ones in a lane while every member of that lane is finite (v − v is 0 only then).
    __m128d finite = _mm_cmpeq_pd(zero, zero);
    for (int i = 0; i < kCount; ++i) {
        finite = _mm_and_pd(finite, _mm_cmpeq_pd(_mm_sub_pd(members[i].v, members[i].v), zero));
    }
    for (int i = 0; i < kCount; ++i) {
        const __m128d magnitude = _mm_andnot_pd(signMask, members[i].v);
        const __m128d tiny = _mm_and_pd(_mm_cmplt_pd(magnitude, flushBelow), _mm_cmpgt_pd(magnitude, zero));
        members[i].v = _mm_and_pd(_mm_andnot_pd(tiny, members[i].v), finite);
    }
}
}  // namespace

void cleanStates(ChainStates<Pair>& states) {
    forEachSection([](Section, auto& state) { cleanSection(state); }, states);
}

}  // namespace dsp
