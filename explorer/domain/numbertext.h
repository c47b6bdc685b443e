// Numbers as the user reads them in the text boxes (the user's locale, about
// 15 significant digits, no digit grouping) and back.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace quorvane {

QString numberText(double v, const QLocale& locale = QLocale());
// A zoom factor 25^n: as numberText while its digits fit, from 25^11 on as
// "25^n", which reads whole up to the deepest name's 25^38.
QString zoomText(double zoom, const QLocale& locale = QLocale());
// The value of a text box written by numberText; nothing for other text.
std::optional<double> numberFromText(const QString& text, const QLocale& locale = QLocale());
// The leading number of a typed text, read with either decimal separator;
// 0 when the text does not start with a number.
double leadingNumber(const QString& text);
// A whole number as the user typed it: digits grouped in threes by periods
// are one number, as an Italian writes a thousand ("1.000"); any other text
// is its leading number.
double typedNumber(const QString& text);

} // namespace quorvane
