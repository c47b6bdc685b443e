// Area names: "Z" for the start view, or 1..38 letters "A".."Y" (zoom into a
// cell of the 5 x 5 grid) and "a".."y" (shift by whole pixel steps).
#pragma once

#include "domain/limits.h"

#include <QString>
#include <optional>

namespace quorvane {

struct DecodedArea {
    Limits limits;
    double zoom = 1.0;
};

constexpr int MaxAreaNameLength = 38;

bool isAreaName(const QString& name);

// The name of the picture a run gives: the confirmed fragment appended to the
// current name ("Z" stands for no letters), or "Z" when both are empty.
QString nameAfterRun(const QString& riquadroCorrente, const QString& riquadro);

// The limits and zoom factor a name stands for, or nothing for a bad name.
std::optional<DecodedArea> decodeAreaName(const QString& name);

// An area name known to be one: made only from a valid name, so that what
// takes one need not check it again.
class AreaName {
  public:
    AreaName() = default; // "Z", the start view
    static std::optional<AreaName> from(const QString& name);

    const QString& text() const { return name; }
    DecodedArea decoded() const;
    // The name with the last n letters cut off (a name's prefix is a name);
    // "Z" when none is left.
    AreaName shortened(int n) const;
    bool operator==(const AreaName&) const = default;

  private:
    explicit AreaName(const QString& valid) : name(valid) {}
    QString name = QStringLiteral("Z");
};

} // namespace quorvane
