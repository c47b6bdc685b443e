#include "window/tags.h"

#include <QObject>
#include <QVariant>

namespace quorvane {

void setTag(QObject* control, const QString& text) {
    control->setProperty("tag", text);
}

QString tagOf(const QObject* control) {
    return control->property("tag").toString();
}

bool tagIsTrue(const QObject* control) {
    return tagOf(control).compare(True, Qt::CaseInsensitive) == 0;
}

} // namespace quorvane
