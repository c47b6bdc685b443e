#include "window/numbertext.h"

#include <cmath>
#include <cstdlib>

namespace quorvane {

QString numberText(double v, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

std::optional<double> numberFromText(const QString& text, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    bool ok = false;
    double v = l.toDouble(text.trimmed(), &ok);
    if (!ok) {
        // A box may hold text written under the C locale (a period).
        v = QLocale::c().toDouble(text.trimmed(), &ok);
    }
    if (!ok)
        return std::nullopt;
    return v;
}

double leadingNumber(const QString& text) {
    // Like a typed value should be read: blanks, an optional sign, digits,
    // one decimal separator (period or comma), digits, an optional exponent.
    QByteArray s = text.trimmed().toLatin1();
    s.replace(',', '.');
    const char* begin = s.constData();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || std::isnan(v))
        return 0.0;
    // strtod also takes hexadecimal and "inf"; only plain decimals count.
    for (const char* p = begin; p != end; ++p)
        if (!(std::isdigit((unsigned char)*p) || *p == '.' || *p == '-' || *p == '+' || *p == 'e' ||
              *p == 'E'))
            return 0.0;
    return v;
}

} // namespace quorvane
