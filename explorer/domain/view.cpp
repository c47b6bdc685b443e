#include "domain/view.h"

#include "domain/exactview.h"
#include "domain/numbertext.h"

namespace quorvane {

View View::of(const AreaName& name) {
    const DecodedArea area = name.decoded();
    return reached(name, area.limits, area.zoom);
}

View View::reached(const AreaName& name, const Limits& doubles, double zoom) {
    const ExactLimits exact = exactLimits(name);
    if (doublesResolve(doubles, exact))
        return {name, doubles, zoom, false};
    return {name, nearestDoubles(exact), zoom, true};
}

EngineJob View::job(int nmax) const {
    if (deep)
        return quor::DeepJob{deepLimits(exactLimits(name)), std::uint32_t(nmax)};
    return viewJob(quor::Quorvane, limits, nmax);
}

PlanePoint View::pointAt(int column, int row) const {
    if (deep)
        return exactPlanePoint(exactLimits(name), column, row);
    return planePoint(limits, column, row);
}

std::array<QString, 4> limitTexts(const View& view, const QLocale& locale) {
    constexpr int DoubleDigits = 15;
    if (view.deep)
        return exactLimitTexts(exactLimits(view.name), DoubleDigits, locale);
    const Limits& l = view.limits;
    return {numberText(l.xMin, locale), numberText(l.xMax, locale), numberText(l.yMin, locale),
            numberText(l.yMax, locale)};
}

} // namespace quorvane
