// Quorvane: the window in which the user explores the Quorvane set.
#include "app/mainwindow.h"
#include "app/session.h"
#include "io/location.h"
#include "window/italiantexts.h"
#include "window/platform.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
    quorvane::installItalianTexts(app);
    const quorvane::Location where =
        quorvane::locate(QCoreApplication::applicationDirPath(),
                         QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation),
                         quorvane::desktopPicturesFolder());
    quorvane::Platform platform;

    // An installed copy meets the user's folder for the first time here.
    if (where.appFolder.isEmpty() || !QDir().mkpath(where.appFolder)) {
        platform.message(nullptr, QStringLiteral("Impossibile creare la cartella:\n") +
                                      QDir::toNativeSeparators(where.appFolder));
        return 1;
    }
    // A portable copy keeps Immagini beside the programs, made at the start.
    auto session = quorvane::openSession(where.appFolder, platform, where.engine,
                                         where.installed ? where.exports : QString());
    if (!session)
        return 1;
    return app.exec();
}
