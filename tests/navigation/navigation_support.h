// Helpers shared by the window tests of the grid selection.
#pragma once

#include "appfolder.h"
#include "navigation/areaname.h"

#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

#include <limits>

namespace quorvane::testing {

// The C locale keeps the texts of the limit boxes predictable.
class DefaultLocale {
  public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(saved); }

  private:
    QLocale saved;
};

inline void press(MainWindow& w, char letter) {
    click(w.Lettere[std::size_t(letter - 'A')]);
}
inline void shift(MainWindow& w, int index) {
    click(w.Mezzo[std::size_t(index)]);
}

inline Limits shown(const MainWindow& w) {
    return {w.XMin, w.XMax, w.YMin, w.YMax};
}
inline Limits next(const MainWindow& w) {
    return {w.NuovoXMin, w.NuovoXMax, w.NuovoYMin, w.NuovoYMax};
}

inline Limits decoded(const QString& name) {
    const auto area = decodeAreaName(name);
    EXPECT_TRUE(area.has_value()) << name.toStdString();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    return area ? area->limits : Limits{nan, nan, nan, nan};
}

inline void expectLimits(const Limits& actual, const Limits& expected, const char* what) {
    EXPECT_EQ(actual.xMin, expected.xMin) << what;
    EXPECT_EQ(actual.xMax, expected.xMax) << what;
    EXPECT_EQ(actual.yMin, expected.yMin) << what;
    EXPECT_EQ(actual.yMax, expected.yMax) << what;
}

template <class Overlays> int visibleCount(const Overlays& overlays) {
    int n = 0;
    for (const auto& o : overlays)
        n += o.visible ? 1 : 0;
    return n;
}

} // namespace quorvane::testing
