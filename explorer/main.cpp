// Quorvane: the window in which the user explores the Quorvane set.
#include "window/folderlock.h"
#include "window/mainwindow.h"
#include "window/platform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    const QString folder = QCoreApplication::applicationDirPath();
    quorvane::Platform platform;

    auto session = quorvane::openSession(folder, platform);
    if (!session)
        return 1;
    return app.exec();
}
