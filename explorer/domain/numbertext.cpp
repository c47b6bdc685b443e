#include "domain/numbertext.h"

#include <QRegularExpression>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quorvane {

QString numberText(double v, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

QString zoomText(double zoom, const QLocale& locale) {
    constexpr double FifteenDigits = 1e15;
    if (zoom < FifteenDigits)
        return numberText(zoom, locale);
    return QStringLiteral("25^%1").arg(std::lround(std::log(zoom) / std::log(25.0)));
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
    // from_chars ignores the C library's locale, which Qt sets from the
    // desktop: strtod would stop at the period on an Italian desktop.
    QByteArray s = text.trimmed().toLatin1();
    s.replace(',', '.');
    const char* begin = s.constData();
    const char* const last = begin + s.size();
    const bool negative = begin != last && *begin == '-';
    if (begin != last && (*begin == '+' || *begin == '-'))
        ++begin;
    // from_chars also takes "inf" and "nan"; only plain decimals count.
    if (begin == last || !(std::isdigit((unsigned char)*begin) || *begin == '.'))
        return 0.0;
    double v = 0.0;
    const auto [end, error] = std::from_chars(begin, last, v, std::chars_format::general);
    if (end == begin)
        return 0.0;
    if (error == std::errc::result_out_of_range) {
        // Beyond a double either way: the sign has been taken off, so a "-"
        // left in the number is the exponent's, and the value is tiny.
        v = std::find(begin, end, '-') != end ? 0.0 : HUGE_VAL;
    }
    return negative ? -v : v;
}

double typedNumber(const QString& text) {
    static const QRegularExpression thousands(QStringLiteral("^[+-]?[0-9]{1,3}(\\.[0-9]{3})+$"));
    const QString s = text.trimmed();
    if (thousands.match(s).hasMatch())
        return leadingNumber(QString(s).remove(u'.'));
    return leadingNumber(s);
}

} // namespace quorvane
