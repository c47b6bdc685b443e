#include "domain/areaname.h"

#include "domain/letterpath.h"

namespace quorvane {

bool isAreaName(const QString& name) {
    if (name == QLatin1String("Z"))
        return true;
    if (name.isEmpty() || name.size() > MaxAreaNameLength)
        return false;
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (!isZoomLetter(c) && !isShiftLetter(c))
            return false;
    }
    return true;
}

QString nameAfterRun(const QString& riquadroCorrente, const QString& riquadro) {
    const QString current = riquadroCorrente == QLatin1String("Z") ? QString() : riquadroCorrente;
    if (current.isEmpty() && riquadro.isEmpty())
        return QStringLiteral("Z");
    return current + riquadro;
}

std::optional<DecodedArea> decodeAreaName(const QString& name) {
    if (!isAreaName(name))
        return std::nullopt;

    const auto v = followLetters<double>(
        name, {StartView.xMin, StartView.xMax, StartView.yMin, StartView.yMax});
    int zoomLetters = 0;
    for (const QChar ch : name)
        zoomLetters += isZoomLetter(ch.unicode()) ? 1 : 0;
    double zoom = 1.0;
    for (int i = 0; i < zoomLetters; ++i)
        zoom = zoom * 25;

    DecodedArea area;
    area.limits = {v.xa, v.xb, v.ya, v.yb};
    area.zoom = zoom;
    return area;
}

std::optional<AreaName> AreaName::from(const QString& name) {
    if (!isAreaName(name))
        return std::nullopt;
    return AreaName(name);
}

DecodedArea AreaName::decoded() const {
    return *decodeAreaName(name);
}

AreaName AreaName::shortened(int n) const {
    const QString prefix = name.left(name.size() - n);
    return prefix.isEmpty() ? AreaName() : AreaName(prefix);
}

} // namespace quorvane
