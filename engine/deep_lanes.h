// The state of deep samples and what the lanes share with the rest of the
// engine. Each instruction set has its own loop (deep_steps.h, compiled once
// per set in its own file); this header is all they share, so nothing
// compiled for a wider set ends up in code that every processor runs.
//
// The interior test. With a periodic reference every sample comes back to
// W(wrap) once a period. Where its returns contract, a disc D around its
// value there is carried through the following periods in ball arithmetic:
// the centre is the sample's own difference, the radius bounds every
// rounding of it, how far the stored reference lies from the exact one and
// the rounding of the offset. If the image of D at a return lies inside D,
// the exact return map (a polynomial) takes D into itself, so it has an
// attracting fixed point there; the sample's parameter then has an
// attracting cycle, which attracts the orbit of 0: the orbit never escapes
// and the count is the limit, whatever rounding would have done. A test that
// fails costs only time.
#pragma once

#include <cmath>
#include <cstdint>

namespace quor::deeplanes {

// One sample: its difference d, its offset dc (c1 = |dcx| + |dcy|), its
// place m on the reference, its steps k and the steps taken (skipped ones
// not counted); then the interior test's state.
struct Lane {
    double dx = 0.0, dy = 0.0, cx = 0.0, cy = 0.0, c1 = 0.0;
    std::uint64_t m = 0, k = 0, taken = 0;
    // The differences at the last History returns (hx[n % History] for
    // return n), and the returns seen.
    static constexpr int Lags = 4, History = 2 * Lags;
    double hx[History] = {}, hy[History] = {};
    int returns = 0;
    // The disc (ox, oy, r0), and the ball that holds its image: centre
    // (ex, ey), radius r; ball counts the returns since the disc was taken
    // (0: no disc).
    double ox = 0.0, oy = 0.0, r0 = 0.0, ex = 0.0, ey = 0.0, r = 0.0;
    int ball = 0, lag = 0;
    // The difference saved at a return, and the return at which the next is
    // saved (doubling).
    std::uint64_t sx = 0, sy = 0;
    int save = 1;
};

// The bounds of one step of the ball. The image of the disc around d of
// radius r lies within (|2 W + 2 d| + r) r of the step's exact image of d;
// Slack covers the rounding of the step (a few units of 2^-53 of its
// terms, with |z| <= |x| + |y|), the stored reference's (2^-53 of W,
// against 2 |W - W exact| |d|) and the offset's; Grow the rounding of the
// bound itself.
constexpr double Slack = 0x1p-50;
constexpr double Grow = 1.0 + 0x1p-48;

// The radius after a step d' = (2 W + d) d + dc from radius r, with
// (ax, ay) = 2 W + d as computed and (dx, dy) = d before the step. The lanes
// compute exactly this, operation for operation.
inline double ballStep(double r, double ax, double ay, double dx, double dy, double c1) {
    const double bx = ax + dx, by = ay + dy;
    const double q = std::sqrt(bx * bx + by * by);
    const double a = std::fabs(ax) + std::fabs(ay);
    const double n = std::fabs(dx) + std::fabs(dy);
    return ((q + r) * r + Slack * ((a + n) * (n + r) + c1)) * Grow;
}

// At a return to W(wrap): true when the disc's image has come back inside
// it, or when the difference is bit for bit one saved at an earlier return
// (the steps are a fixed function of it: they repeat for ever); the sample
// never escapes. The returns of a sample drawn to a cycle
// of j periods (j <= Lags) come back near the one j returns before, nearer
// each time by about the same factor: the disc is taken around the point
// they tend to (Aitken's extrapolation), with the last distance as its
// radius, and given up if its image has not come back inside it within
// 2 j + 2 returns.
bool returnTest(double wrapDefect, Lane& lane);

// The lanes of a worker: Registers groups of lanes side by side (one
// register each), the lanes of a group all at the same place m on the
// reference, so that W(m) is one value for all of them. The groups' steps
// overlap, which hides the latency of each. A lane not in use holds zeros:
// it never escapes or rebases.
constexpr int Registers = 4;
constexpr int MaxLanes = 32;
struct Group {
    alignas(64) double dx[MaxLanes];
    alignas(64) double dy[MaxLanes];
    alignas(64) double cx[MaxLanes];
    alignas(64) double cy[MaxLanes];
    alignas(64) double c1[MaxLanes];
    alignas(64) double r[MaxLanes];
    alignas(64) double ex[MaxLanes];
    alignas(64) double ey[MaxLanes];
    // A lane that left its group: its difference then, its place and the
    // steps it had taken in the run.
    alignas(64) double lx[MaxLanes];
    alignas(64) double ly[MaxLanes];
    std::int64_t lm[MaxLanes];
    int ls[MaxLanes];
    std::int64_t m[Registers]; // each group's place
};

struct Orbit {
    const double* x;
    const double* y;
    std::int64_t last; // index of the last entry
    std::int64_t wrap; // what follows it, if periodic
    bool ends;         // the reference ends after its last entry
    bool returns;      // stop after each return to W(wrap)
};

struct Run {
    int steps = 0;
    unsigned returned = 0; // the groups whose last step returned to W(wrap)
    unsigned left = 0;     // the lanes that left their groups
};

// Steps the lanes in live (bit l for lane l) at most `most` times. A lane
// that would escape or be rebased at a step leaves its group before it
// (its state in lx, ly, lm, ls; zeros in its place). All stop once a group
// has no lane left, before a step at the end of a reference that ends, and
// after a return to W(wrap) when o.returns is set. The groups in ball (bit
// v for group v) carry their lanes' balls (ex, ey, r) along (ballStep).
using StepFn = Run (*)(Group& g, unsigned live, const Orbit& o, int most, unsigned ball);

#if defined(__x86_64__)
Run stepsSse2(Group& g, unsigned live, const Orbit& o, int most, unsigned ball);
Run stepsAvx2(Group& g, unsigned live, const Orbit& o, int most, unsigned ball);
Run stepsAvx512(Group& g, unsigned live, const Orbit& o, int most, unsigned ball);
constexpr int LanesSse2 = 2;
constexpr int LanesAvx2 = 4;
constexpr int LanesAvx512 = 8;
#endif

} // namespace quor::deeplanes
