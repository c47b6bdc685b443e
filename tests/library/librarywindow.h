// The files of the application folder that the window tests of the library
// frames read and prepare.
#pragma once

#include "libraryfiles.h"
#include "steps.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quorvane::testing {

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

// The list file as the user left it, before the window starts.
inline void prepareList(const AppFolder& folder, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(folder.file("BeiLuoghi")));
    writeBytes(listFile(folder), bytes);
}

} // namespace quorvane::testing
