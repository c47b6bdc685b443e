#include "window/platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quorvane {

void Platform::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

bool Platform::question(QWidget* parent, const QString& text) {
    // A plain question, without an icon, as the export confirmations are.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

void Platform::beep() {
    QApplication::beep();
}

QString Platform::saveFileName(QWidget* parent, const QString& title, const QString& proposed,
                               const QString& filters) {
    return QFileDialog::getSaveFileName(parent, title, proposed, filters, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace quorvane
