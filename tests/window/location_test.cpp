// Where the files live: the layout decides between the program's own folder
// and the user's data folder, and an installed QuorC runs from its helper
// folder on the user's folder.
#include "app/session.h"
#include "appfolder.h"
#include "io/location.h"
#include "window/sfondo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

enum class Put { Nothing, Program, PlainFile, Folder };

// Puts what a case asks for at path: a copy of the real QuorC, a file that
// may not be run, or a folder of that name.
void put(const QString& path, Put what) {
    if (what == Put::Nothing)
        return;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    if (what == Put::Folder) {
        ASSERT_TRUE(QDir().mkpath(path));
        return;
    }
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORC_PATH), path));
    const auto readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, what == Put::Program ? readWrite | QFileDevice::ExeOwner
                                                                 : readWrite));
}

// Every file and folder under root with its last change, to see that
// nothing was written there.
QStringList snapshot(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + QLatin1Char(' ') +
                       QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

} // namespace

TEST(Location, TheLayoutDecidesTheApplicationFolderAndTheEngine) {
    struct Case {
        const char* what;
        Put beside;
        Put helper;
        bool installed;
    };
    const Case cases[] = {
        {"portable: QuorC beside Quorvane", Put::Program, Put::Nothing, false},
        {"installed: QuorC in the helper folder", Put::Nothing, Put::Program, true},
        {"both: the copy beside wins", Put::Program, Put::Program, false},
        {"neither: the program's folder, as before", Put::Nothing, Put::Nothing, false},
        {"a helper QuorC that may not be run", Put::Nothing, Put::PlainFile, false},
        {"a folder named QuorC in the helper folder", Put::Nothing, Put::Folder, false},
        {"a folder named QuorC beside", Put::Folder, Put::Program, true},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("prefix/bin"));
        ASSERT_TRUE(QDir().mkpath(bin));
        const QString helper =
            QDir::cleanPath(bin + QLatin1Char('/') + installedEngineFolder() + "/QuorC");
        put(bin + "/QuorC", c.beside);
        put(helper, c.helper);
        const QString user = root.filePath(QStringLiteral("home/.local/share/Quorvane"));

        const Location want = c.installed ? Location{user, helper, true, user + "/Immagini"}
                                          : Location{bin, bin + "/QuorC", false, bin + "/Immagini"};
        const Location got = locate(bin, user);
        EXPECT_EQ(got, want) << c.what << ": got " << got.appFolder.toStdString() << " and "
                             << got.engine.toStdString();
        EXPECT_FALSE(QFileInfo::exists(user)) << c.what << ": deciding created the user folder";
    }
    // The helper folder lies under libexec/ of the same prefix.
    EXPECT_EQ(QDir::cleanPath(QStringLiteral("/usr/bin/") + installedEngineFolder()),
              QStringLiteral("/usr/libexec/quorvane"));
}

TEST(Location, TheDesktopsPicturesFolderIfItHasOne) {
    QTemporaryDir root;
    const QByteArray home = root.filePath("home").toUtf8();
    const QByteArray config = root.filePath("config").toUtf8();
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
    ASSERT_TRUE(QDir().mkpath(home) && QDir().mkpath(config));
    // No user-dirs.dirs and no ~/Pictures: no pictures folder.
    EXPECT_EQ(desktopPicturesFolder(), "");
    // An Italian desktop's own, as xdg-user-dirs writes it.
    QFile dirs(config + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"$HOME/Scrivania\"\nXDG_PICTURES_DIR=\"$HOME/Immagini\"\n");
    dirs.close();
    ASSERT_TRUE(QDir().mkpath(home + "/Immagini"));
    EXPECT_EQ(desktopPicturesFolder(), home + "/Immagini");
    // A pictures folder set to the home folder itself means none.
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"$HOME/\"\n");
    dirs.close();
    EXPECT_EQ(desktopPicturesFolder(), "");
    qputenv("HOME", oldHome);
    oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(Location, AnInstalledCopyRunsItsQuorCOnTheUserFolderAndExportsToThePictures) {
    QTemporaryDir root;
    const QString prefix = root.filePath(QStringLiteral("prefix"));
    const QString bin = prefix + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin));
    put(QDir::cleanPath(bin + QLatin1Char('/') + installedEngineFolder() + "/QuorC"), Put::Program);
    const QString user = root.filePath(QStringLiteral("home/.local/share/Quorvane"));
    const QString pictures = root.filePath(QStringLiteral("home/Immagini"));
    const Location where = locate(bin, user, pictures);
    ASSERT_TRUE(where.installed);
    EXPECT_EQ(where.exports, pictures + "/Quorvane");
    ASSERT_TRUE(QDir().mkpath(where.appFolder));
    const QStringList prefixBefore = snapshot(prefix);

    FakePlatform platform;
    auto session = openSession(where.appFolder, platform, where.engine, where.exports);
    ASSERT_NE(session, nullptr);
    MainWindow* w = session->window.get();
    ASSERT_TRUE(waitUntil([w] { return startedAndIdle(*w); }));

    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(platform.engineStarts, 1);
    // QuorC found its job in the user folder, so that was its working folder.
    EXPECT_EQ(w->controls().sfondo->image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(w->controls().sfondo->image().pixel(482, 361), qRgb(0, 0, 0));
    for (const char* name : {"BeiLuoghi/BeiLuoghi.txt", "Quorvane.lock"})
        EXPECT_TRUE(QFileInfo::exists(user + QLatin1Char('/') + name)) << name;
    for (const char* name : {"Quor.tmp", "Rep.tmp", "Tab.tmp", "QuorC", "Immagini"})
        EXPECT_FALSE(QFileInfo::exists(user + QLatin1Char('/') + name)) << name;
    EXPECT_EQ(snapshot(prefix).join('\n').toStdString(), prefixBefore.join('\n').toStdString());

    // "File" makes the folder in the pictures when it first writes there,
    // and asks naming it.
    EXPECT_FALSE(QFileInfo::exists(where.exports));
    platform.answers = {true};
    click(w->controls().SalvaFile);
    EXPECT_TRUE(QFileInfo(where.exports + "/Z.bmp").isFile());
    EXPECT_FALSE(QFileInfo::exists(user + "/Immagini"));
    EXPECT_EQ(platform.questions, QStringList{"Attenzione: verrà generato nella cartella\n'" +
                                              QDir::toNativeSeparators(where.exports) +
                                              "'\nun file tipo 'bmp' da 1.536 KB.\n\nContinuare?"});
}
