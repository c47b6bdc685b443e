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

    auto lock = quorvane::lockAppFolder(folder);
    if (!lock) {
        platform.message(nullptr, quorvane::FolderInUseMessage);
        return 1;
    }
    quorvane::MainWindow window(folder, platform);
    window.show();
    return app.exec();
}
