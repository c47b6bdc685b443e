// Steps shared by the window tests of the library frames: the files of the
// application folder, presses of the grid's controls and the enabled states.
#pragma once

#include "appfolder.h"
#include "libraryfiles.h"
#include "window/viewcore.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvane::testing {

inline QString listFile(const AppFolder& folder) {
    return folder.file("BeiLuoghi/BeiLuoghi.txt");
}

inline QString thumbnailFile(const AppFolder& folder, const QString& name) {
    return folder.file("BeiLuoghi/" + name + ".bmp");
}

// Every entry of a folder of the application folder, temporaries included.
inline QStringList entriesOf(const AppFolder& folder, const QString& sub) {
    return QDir(folder.file(sub)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// The list file as the user left it, before the window starts.
inline void prepareList(const AppFolder& folder, const QByteArray& bytes) {
    ASSERT_TRUE(QDir().mkpath(folder.file("BeiLuoghi")));
    writeBytes(listFile(folder), bytes);
}

inline void setLimit(const Controls& ui, const QString& text) {
    ui.Iterazioni[1]->setText(text);
    click(ui.IterazOK);
}

// Presses controls in turn: '#' the grid switch, 'A'..'Y' a letter, '-'
// "-1", '!' "OK", '>' View.
inline void press(const Controls& ui, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        if (*k >= 'A' && *k <= 'Y')
            click(ui.Lettere[std::size_t(*k - 'A')]);
        else
            click(*k == '#' ? ui.Griglia : *k == '-' ? ui.MenoUna : *k == '!' ? ui.Copia : ui.View);
    }
}

// The main window started on a fresh application folder with the real QuorC.
class StartedWindow : public ::testing::Test {
  protected:
    AppFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainWindow> w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const ViewCore& core = w->core();
};

using Commands = std::set<std::string>;

// The names of the commands the enabling rule governs that are enabled now.
inline Commands enabledCommands(const ViewCore& core) {
    Commands names;
    for (const auto& [control, ready] : core.readyState())
        if (control->isEnabled())
            names.insert(control->objectName().toStdString());
    return names;
}

// The commands enabled in the ready state whatever the picture and the
// library hold, and more.
inline Commands readyWith(std::initializer_list<std::string> more) {
    Commands names{"Griglia",   "Iterazioni(1)", "IterazOK", "View",
                   "AutoColor", "Colors",        "Esci",     "Julia"};
    names.insert(more);
    return names;
}

} // namespace quorvane::testing
