// The lane state that the fast kernel's vector loops work on. Each
// instruction set has its own loop, in its own file compiled for that set;
// this header is all they share with the rest of the engine, so nothing
// compiled for a wider set can end up in code that every processor runs.
#pragma once

#include <cstdint>

namespace quor::lanes {

constexpr int MaxLanes = 64;

// One sample per lane: the iterate, the constant added at each step (the
// sample itself for the Quorvane set, the job's constant for a Julia set)
// and the steps done so far.
struct State {
    alignas(64) double x[MaxLanes];
    alignas(64) double y[MaxLanes];
    alignas(64) double cx[MaxLanes];
    alignas(64) double cy[MaxLanes];
    alignas(64) std::int64_t n[MaxLanes];
};

// Iterates the lanes in live (bit l for lane l; every live lane has
// n < nmax) for as many steps as all of them can take without passing nmax,
// at most stepsMax. A lane's counter grows only while its iterate has not
// left the circle, so it stops at exactly the count of the plain loop.
// Returns the live lanes that are finished: escaped, or at nmax.
using StepFn = std::uint64_t (*)(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);

std::uint64_t stepsPortable(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
constexpr int LanesPortable = 8;

#if defined(__x86_64__)
std::uint64_t stepsSse2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
std::uint64_t stepsAvx2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
std::uint64_t stepsAvx512(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
constexpr int LanesSse2 = 16;
constexpr int LanesAvx2 = 24;
constexpr int LanesAvx512 = 48;
#endif

} // namespace quor::lanes
