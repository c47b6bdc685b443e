// Steps that window tests of every folder share: presses of the controls, the
// commands the enabling rule has enabled, the pixels a table paints, and a
// window started on a fresh application folder.
#pragma once

#include "appfolder.h"
#include "desktop.h"
#include "domain/palette.h"
#include "model/explorer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>

namespace quorvane::testing {

// Presses controls in turn: '#' the grid switch, 'A'..'Y' a letter, '0'..'4'
// a shift button, '-' "-1", '!' "OK", '>' View.
void press(const Controls& ui, const char* keys);

// Types an iteration limit into "Impostate" and confirms it.
void setLimit(const Controls& ui, const QString& text);

using Commands = std::set<std::string>;

// The names of the commands of the main window that the enabling rule
// governs that are enabled now (the export dialog's Stop is the dialog's).
Commands enabledCommands(const Controls& ui);

// The commands enabled in the ready state whatever the picture and the
// library hold, and more.
Commands readyWith(std::initializer_list<std::string> more);

// Pixels of the picture shown that are not the table's count painted
// through palette.
int pixelsNotPainted(const MainWindow& w, const Palette& palette);

// The main window started on a fresh application folder with the real QuorC;
// with jobsKept, QuorC keeps every job it is given (see keepJobs); with a
// list, the place library holds it from the start.
class StartedWindow : public ::testing::Test {
  protected:
    explicit StartedWindow(bool jobsKept = false, const QByteArray& list = {})
        : w((prepare(jobsKept, list), startWindow(folder, platform))) {}

    AppFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainWindow> w;
    const Controls& ui = w->controls();
    const Explorer& model = w->explorer();

  private:
    void prepare(bool jobsKept, const QByteArray& list);
};

// A black picture, as the screen shows a view not yet computed.
QImage blackPicture();

} // namespace quorvane::testing
