#include "domain/juliaview.h"

#include "domain/numbertext.h"

#include <algorithm>
#include <utility>

namespace quorvane {

PlanePoint planePoint(const Limits& limits, double x, double y) {
    return {limits.xMin + x * (limits.xMax - limits.xMin) / PictureSteps,
            limits.yMin + y * (limits.yMax - limits.yMin) / PictureSteps};
}

bool insidePicture(double x, double y) {
    return x >= 0 && x < quor::DimScreen && y >= 0 && y < quor::DimScreen;
}

namespace {

// A number as a locale writes it, in the C form: the locale's signs, decimal
// point and exponent, and digits of any script, become their ASCII
// counterparts; the marks that fix the writing direction go.
QString cForm(const QString& text, const QLocale& locale) {
    QString s = text;
    const std::pair<QString, QString> symbols[] = {{locale.exponential(), "e"},
                                                   {locale.negativeSign(), "-"},
                                                   {locale.positiveSign(), "+"},
                                                   {locale.decimalPoint(), "."}};
    for (const auto& [symbol, ascii] : symbols)
        if (!symbol.isEmpty())
            s.replace(symbol, ascii);
    QString out;
    for (QChar ch : s) {
        if (ch.category() == QChar::Other_Format)
            continue;
        if (ch.unicode() == 0x2212) // a minus sign the locale does not use
            ch = u'-';
        else if (ch.unicode() >= 0x80 && ch.digitValue() >= 0)
            ch = QChar(u'0' + ch.digitValue());
        out += ch;
    }
    return out;
}

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() < 0x80; });
}

} // namespace

double constantPart(const QString& text, const QLocale& locale) {
    // leadingNumber takes a comma as a period and reads with from_chars,
    // which never looks at the C library's locale. It reads every text of
    // ASCII characters, which is what the boxes hold in most locales; other
    // texts are first brought to the C form.
    return leadingNumber(isAscii(text) ? text : cForm(text, locale));
}

PlanePoint readConstant(const QString& xxju, const QString& yyju, const QLocale& locale) {
    return {constantPart(xxju, locale), constantPart(yyju, locale)};
}

std::optional<JuliaView> zoomedJuliaView(const JuliaView& view, double x, double y) {
    const Limits& v = view.limits;
    const PlanePoint centre = planePoint(v, x, y);
    const double sx = (v.xMax - v.xMin) / PictureSteps / 5;
    const double sy = (v.yMax - v.yMin) / PictureSteps / 5;
    if (centre.x + sx == centre.x || centre.y + sy == centre.y)
        return std::nullopt;
    const double h = (v.xMax - v.xMin) / 10;
    return JuliaView{{centre.x - h, centre.x + h, centre.y - h, centre.y + h}, view.zoom * 25};
}

quor::Job juliaJob(const Limits& view, int iterMax, const PlanePoint& c) {
    quor::Job job = viewJob(quor::Julia, view, iterMax);
    job.xj = c.x;
    job.yj = c.y;
    return job;
}

} // namespace quorvane
