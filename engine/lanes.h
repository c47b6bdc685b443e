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
// and the steps done so far; and for the cycle check an iterate saved at
// growing intervals with the step count at which the next one is saved.
//
// The step is a fixed function of the bits of the iterate and the
// constant, so an iterate equal bit for bit to one saved earlier, with no
// escape in between, repeats for ever: the sample never escapes and its
// count is the limit, as the plain loop would find it.
struct State {
    alignas(64) double x[MaxLanes];
    alignas(64) double y[MaxLanes];
    alignas(64) double cx[MaxLanes];
    alignas(64) double cy[MaxLanes];
    alignas(64) std::int64_t n[MaxLanes];
    alignas(64) double sx[MaxLanes];
    alignas(64) double sy[MaxLanes];
    alignas(64) std::int64_t save[MaxLanes];
    unsigned turn = 0; // which register of lanes looks for saves next
};

// Added to the count of a lane found repeating (once or more): a count
// below zero marks it, and its low 40 bits are still the steps it took.
constexpr std::int64_t Repeating = -(std::int64_t{1} << 40);
constexpr std::int64_t StepsMask = (std::int64_t{1} << 40) - 1;

// Steps between two comparisons with the saved iterates: a repeating orbit
// is found a few steps later, and the comparisons cost next to nothing.
constexpr int CheckEvery = 16;

// Gives lane l a new sample: iterate (x0, y0), constant (cx, cy). Nothing
// of the lane's previous sample is left: the saved iterate is the new
// starting point.
inline void start(State& s, int l, double x0, double y0, double cx, double cy) {
    s.x[l] = x0;
    s.y[l] = y0;
    s.cx[l] = cx;
    s.cy[l] = cy;
    s.n[l] = 0;
    s.sx[l] = x0;
    s.sy[l] = y0;
    s.save[l] = 1;
}

// Iterates the lanes in live (bit l for lane l; every live lane has
// 0 <= n < nmax) for as many steps as all of them can take without passing
// nmax, at most stepsMax. A lane's counter grows only while its iterate has
// not left the circle, so it stops at exactly the count of the plain loop.
// With Cycles, every CheckEvery steps the iterate of each lane still inside
// is compared with its saved one, and a lane found repeating is marked with
// Repeating; at the end of the round the lanes of one register (in turn)
// whose count has reached their save point save their iterate, and the next
// save point lies twice as far. Returns the live lanes that are finished:
// escaped, at nmax, or marked.
using StepFn = std::uint64_t (*)(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);

template <bool Cycles>
std::uint64_t stepsPortable(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
constexpr int LanesPortable = 8;

#if defined(__x86_64__)
template <bool Cycles>
std::uint64_t stepsSse2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
template <bool Cycles>
std::uint64_t stepsAvx2(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
template <bool Cycles>
std::uint64_t stepsAvx512(State& s, std::uint64_t live, std::int64_t nmax, int stepsMax);
constexpr int LanesSse2 = 16;
constexpr int LanesAvx2 = 24;
constexpr int LanesAvx512 = 48;
#endif

} // namespace quor::lanes
