// The plain steps of deep samples on vector lanes: the loop of advance()
// without skips, the same operations in the same order on every lane, so a
// lane gives the very count that advance() gives. AVX-512 only: its gathers
// and mask registers make the lanes pay; with AVX2 (no mask registers, slow
// gathers) and SSE2 (no 64-bit integer compares) a version of the same loop
// ran slower than one sample after another, which is what those
// processors do.
#pragma once

#include <cstdint>

namespace quor::deeplanes {

constexpr int MaxLanes = 32;

// The lanes' samples, one per lane, as DeepLane plus the offset dc.
struct State {
    alignas(64) double dx[MaxLanes];
    alignas(64) double dy[MaxLanes];
    alignas(64) double cx[MaxLanes];
    alignas(64) double cy[MaxLanes];
    alignas(64) std::int64_t m[MaxLanes];
    alignas(64) std::int64_t k[MaxLanes];
    alignas(64) std::int64_t taken[MaxLanes];
    alignas(64) std::int64_t save[MaxLanes];
    alignas(64) std::int64_t sm[MaxLanes];
    alignas(64) std::int64_t sx[MaxLanes];
    alignas(64) std::int64_t sy[MaxLanes];
    alignas(64) std::int64_t count[MaxLanes]; // set when a lane finishes
};

struct Orbit {
    const double* x;
    const double* y;
    std::int64_t last; // index of the last entry
    std::int64_t wrap; // what follows it, if periodic
    std::int64_t ends; // 1 when the reference ends after its last entry
    std::int64_t nmax;
    std::int64_t interior; // 1: the shortcut for repeating states
};

// Steps the lanes in live (bit l for lane l) up to `steps` times; returns
// the lanes that finished (their count set).
using StepFn = std::uint64_t (*)(State& s, std::uint64_t live, const Orbit& o, int steps);

#if defined(__x86_64__)
std::uint64_t stepsAvx512(State& s, std::uint64_t live, const Orbit& o, int steps);
constexpr int LanesAvx512 = 32;
#endif

} // namespace quor::deeplanes
