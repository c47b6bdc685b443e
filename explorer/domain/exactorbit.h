// The orbit trace of a point of a deep picture. Its point is a sample's
// exact position, and its orbit is followed in MPFR at two precisions 64
// bits apart: a point is drawn only once both put it on the same pixel of
// the start view and agree whether it has left the square, as the project's
// oracle trusts a count only where both its precisions agree. Where they
// part, both precisions double and the orbit is computed again from c to
// the step at hand, so the precision grows as far as the orbit needs it.
#pragma once

#include "domain/exactview.h"
#include "domain/orbit.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace quorvane {

class ExactOrbitTrace {
  public:
    explicit ExactOrbitTrace(const ExactPoint& c);
    ~ExactOrbitTrace();
    ExactOrbitTrace(ExactOrbitTrace&&) noexcept;
    ExactOrbitTrace& operator=(ExactOrbitTrace&&) noexcept;

    // One step: the next point of the orbit and the segment to it; nothing
    // when no precision up to MaxBits tells where it lies.
    std::optional<OrbitStep> next();

    std::uint64_t steps() const { return count; }
    QPointF pixel() const { return zPixel; }
    long precision() const; // the lower of the two, in bits

    static constexpr long MaxBits = 1L << 16;

  private:
    struct Orbit;
    void raise();

    ExactPoint c;
    std::unique_ptr<Orbit> low, high;
    QPointF zPixel;
    std::uint64_t count = 0;
};

} // namespace quorvane
