// The files of the application folder that the window tests of the library
// frames read and prepare, and a window started on a list file of one's own.
#pragma once

#include "desktop.h"
#include "files.h"
#include "steps.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quorvane::testing {

// The 32 x 32 samples of a picture at 5 + 23 i, 5 + 23 j, worked out here
// rather than by the code under test.
inline QImage sampledThumbnail(const QImage& picture) {
    QImage thumbnail(32, 32, QImage::Format_RGB32);
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j)
            thumbnail.setPixel(i, j, picture.pixel(5 + 23 * i, 5 + 23 * j));
    return thumbnail;
}

inline QString listFile(const AppFolder& folder) {
    return folder.file("BeiLuoghi/BeiLuoghi.txt");
}

inline QString thumbnailFile(const AppFolder& folder, const QString& name) {
    return folder.file("BeiLuoghi/" + name + ".bmp");
}

// Every entry of a folder of the application folder, temporaries included.
inline QStringList entriesOf(const AppFolder& folder, const QString& sub) {
    return entries(folder.file(sub));
}

inline QImage saveIcona(const Controls& ui) {
    return ui.SaveIcona->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

// The main window started with the real QuorC on a list file as given.
struct ListWindow {
    explicit ListWindow(QByteArray list, bool jobsKept = false)
        : prepared(std::move(list)), kept(jobsKept) {}
    QByteArray prepared;
    bool kept;
    AppFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainWindow> w = start();
    const Controls& ui = w->controls();
    QByteArray list() const { return readBytes(listFile(folder)); }

  private:
    std::unique_ptr<MainWindow> start() {
        if (kept)
            keepJobs(folder);
        QDir().mkpath(folder.file("BeiLuoghi"));
        writeBytes(listFile(folder), prepared);
        return startWindow(folder, platform);
    }
};

} // namespace quorvane::testing
