// Tag flags: texts ("True", "False", "0", a count) that a control carries as
// a state flag, written and read as those texts.
#pragma once

#include <QString>

class QObject;

namespace quorvane {

void setTag(QObject* control, const QString& text);
QString tagOf(const QObject* control);
// "True" in any case is true; "False", "0" and an empty tag are false.
bool tagIsTrue(const QObject* control);

inline const QString True = QStringLiteral("True");
inline const QString False = QStringLiteral("False");

} // namespace quorvane
