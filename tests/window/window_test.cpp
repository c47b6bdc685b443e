// The main window driven through its controls, with the real QuorC in a
// temporary application folder.
#include "app/session.h"
#include "domain/areaname.h"
#include "domain/thumbnails.h"
#include "steps.h"
#include "window/colours/colourwindow.h"
#include "window/sfondo.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

bool exchangeFilesGone(const AppFolder& folder) {
    return !folder.exists("Quor.tmp") && !folder.exists("Rep.tmp") && !folder.exists("Tab.tmp");
}

using MainWindowTest = StartedWindow;

} // namespace

TEST_F(MainWindowTest, FirstStartInAnEmptyFolder) {

    EXPECT_TRUE(QDir(folder.file("Immagini")).exists());
    QFile list(folder.file("BeiLuoghi/BeiLuoghi.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), QByteArray("\"MFFSSKJHB\",1000,1\r\n"));
    EXPECT_EQ(model.library().places().UltimoLuogo(), 0);
    EXPECT_EQ(ui.SaveName->text(), "MFFSSKJHB");
    EXPECT_EQ(ui.SaveIcona->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              model.noIcona());
    EXPECT_FALSE(ui.SelSave[0]->isEnabled());
    EXPECT_FALSE(ui.SelSave[1]->isEnabled());

    // The start view is computed once, with limit 100, and shown.
    EXPECT_EQ(platform.engineStarts, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
    const QStringList texts = {
        ui.RiquadroCorrente->text(), ui.Zoom->text(),          ui.Cicli->text(),
        ui.Iterazioni[0]->text(),    ui.Iterazioni[1]->text(), ui.Limite[0]->text(),
        ui.Limite[1]->text(),        ui.Limite[2]->text(),     ui.Limite[3]->text(),
        ui.LastImage->text()};
    EXPECT_EQ(texts, QStringList({"Z", "1", "0%", "100", "100", "-2", "1", "-1.5", "1.5", "0/0"}));
    EXPECT_EQ(ui.Progress->value(), 0);
    EXPECT_EQ(model.history().current().name(), "Z");
    EXPECT_TRUE(exchangeFilesGone(folder));

    // The corner -2 - 1.5i lies outside the circle (green); the sample
    // nearest 0 never escapes (black).
    EXPECT_EQ(ui.sfondo->image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(model.history().table().counts[482 * 724 + 361], 100);
    EXPECT_EQ(ui.sfondo->image().pixel(482, 361), qRgb(0, 0, 0));
    EXPECT_EQ(pixelsNotPainted(*w, (*model.colouring().palette())), 0);
    EXPECT_EQ(model.history().startView()->image, ui.sfondo->image());

    // The ready state: the start view is the run whose counts are held.
    EXPECT_TRUE(ui.Istogramma->isEnabled());
    EXPECT_TRUE(ui.View->isEnabled());
    EXPECT_FALSE(ui.Ferma->isEnabled());
    EXPECT_FALSE(ui.sfondo->isEnabled());
    for (auto* letter : ui.Lettere)
        EXPECT_FALSE(letter->isEnabled());
    EXPECT_EQ(w->findChild<QPushButton*>("Lettere(7)"), ui.Lettere[7]);
    EXPECT_EQ(ui.Lettere[7]->accessibleName(), "H");
}

TEST_F(MainWindowTest, StoppedRunKeepsThePictureAndCleansUp) {
    const QImage before = ui.sfondo->image();
    press(ui, "#M!"); // the cell "M" confirmed: the next run prepared
    folder.installSlowEngine();
    clickWhen(ui.Ferma, [this] { return ui.Ferma->isEnabled() && ui.Cicli->text() != " 0%"; });
    click(ui.View);

    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_EQ(ui.sfondo->image(), before);
    EXPECT_EQ(model.navigator().view().limits.xMin, -2.0);
    EXPECT_EQ(ui.Limite[0]->text(), "-2");
    // The prepared view stays prepared.
    EXPECT_EQ(model.navigator().pending().limits, decodeAreaName("M")->limits);
    EXPECT_EQ(model.navigator().pending().step, ZoomStep::OneLetter);
    EXPECT_EQ(ui.LastImage->text(), "0/0");
    EXPECT_EQ(model.history().table().limit, 100);
    EXPECT_EQ(ui.Cicli->text(), "0%");
    EXPECT_FALSE(ui.Ferma->isEnabled());
    EXPECT_TRUE(ui.View->isEnabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, IterationLimitIsClampedWithABeepAndTakesEffectNextRun) {
    const QImage shown = ui.sfondo->image();
    // Thousands grouped by periods as an Italian writes them, then the rest.
    const std::tuple<const char*, int, int> cases[] = {
        {"1.000", 1000, 0}, {"12.500", 12500, 0}, {"1.000.000", 32767, 1},
        {"1.00", 20, 1},    {"1.0000", 20, 1},    {"-1.000", 20, 1},
        {"5", 20, 1},       {"40000", 32767, 1},  {"250.7", 250, 0},
        {"abc", 20, 1},     {"1e12", 32767, 1},   {"-7", 20, 1},
        {"19.99", 20, 1},   {"250,7", 250, 0}};
    ASSERT_TRUE(model.colouring().currentForNextRun());
    for (const auto& [typed, limit, beeps] : cases) {
        const int before = platform.beeps;
        setLimit(ui, typed);
        EXPECT_EQ(model.colouring().iterMax(), limit) << typed;
        EXPECT_EQ(ui.Iterazioni[1]->text(), QString::number(limit)) << typed;
        // "Effettive" is the limit of the picture shown.
        EXPECT_EQ(ui.Iterazioni[0]->text(), "100") << typed;
        EXPECT_EQ(platform.beeps - before, beeps) << typed;
        EXPECT_FALSE(model.colouring().currentForNextRun()) << typed;
    }
    click(ui.AutoColor);
    EXPECT_TRUE(ui.AutoColor->isChecked());
    EXPECT_EQ(ui.sfondo->image(), shown); // nothing is repainted until the next run

    click(ui.View);
    EXPECT_EQ(model.history().table().limit, 250);
    EXPECT_EQ(ui.Iterazioni[0]->text(), "250");
    EXPECT_TRUE(model.colouring().currentForNextRun());
    EXPECT_EQ((*model.colouring().palette())[250], 0u);
    EXPECT_EQ(pixelsNotPainted(*w, (*model.colouring().palette())), 0);
}

namespace {

// A place stored with the limit of the start view.
struct LimitResetWindow : StartedWindow {
    LimitResetWindow() : StartedWindow(false, "\"MK\",100,0\r\n") {}
};

} // namespace

TEST_F(LimitResetWindow, ALimitTypedWithoutConfirmingGivesWayToEveryResetOnly) {
    const QPoint point(482 + Sfondo::Border, 361 + Sfondo::Border);
    const std::tuple<const char*, std::function<void()>, const char*> steps[] = {
        {"500", [&] { click(ui.Julia); }, "100"}, // entering Julia
        {"300",                                   // leaving Julia after a run
         [&] {
             QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, point);
             click(ui.JuliaGo);
             click(ui.Julia);
         },
         "100"},
        {"700", [&] { press(ui, "#!"); }, "100"},  // OK at Z: the start view again
        {"900", [&] { click(ui.Carica); }, "100"}, // Attiva
        // The grid and a run leave the limit as it is: the user may be typing.
        {"450", [&] { press(ui, "##>"); }, "450"},
    };
    for (const auto& [typed, act, shown] : steps) {
        ui.Iterazioni[1]->setText(typed);
        act();
        EXPECT_EQ(ui.Iterazioni[1]->text(), shown) << typed;
        EXPECT_EQ(model.colouring().iterMax(), 100) << typed;
    }
}

TEST_F(MainWindowTest, ColourWindowOpensAndClosesWithoutChangingAnything) {
    setLimit(ui, "500");
    click(ui.View);
    const QImage shown = ui.sfondo->image();
    const int starts = platform.engineStarts;
    const QString recent = ui.LastImage->text();
    for (int round = 0; round < 2; ++round) {
        click(ui.Colors);
        EXPECT_TRUE(w->colori()->isVisible());
        EXPECT_FALSE(w->isEnabled());
        click(w->colori()->Fine);
        EXPECT_FALSE(w->colori()->isVisible());
        EXPECT_TRUE(w->isEnabled());
        EXPECT_EQ(model.colouring().iterMax(), 500);
        EXPECT_EQ(ui.Iterazioni[1]->text(), "500");
        EXPECT_EQ(ui.sfondo->image(), shown);
        EXPECT_EQ(ui.LastImage->text(), recent);
        EXPECT_EQ(platform.engineStarts, starts);
        EXPECT_TRUE(ui.View->isEnabled());
    }
}

TEST_F(MainWindowTest, EngineFailuresAreReportedAndTheWindowStaysReady) {
    const QImage shown = ui.sfondo->image();
    const std::pair<QByteArray, const char*> engines[] = {
        {"", "non è stato trovato"},                         // no engine at all
        {"printf '  5,' > Rep.tmp\nexit 3\n", "interrotto"}, // dies during the run
        {"printf '    1,    2\\r\\n' > Tab.tmp\nprintf '724,' > Rep.tmp\n", "Tab.tmp"},
        {"printf '724,' > Rep.tmp\n", "Tab.tmp"}, // complete but no table
        {"printf '725,' > Rep.tmp\n", "fermato"}, // stops on its own
        // A table far larger than any real one, and a folder in its place.
        {"truncate -s 64G Tab.tmp\nprintf '724,' > Rep.tmp\n", "Tab.tmp"},
        {"mkdir Tab.tmp\nprintf '724,' > Rep.tmp\n", "Tab.tmp"},
    };
    for (const auto& [script, message] : engines) {
        if (script.isEmpty())
            QFile::remove(folder.file("QuorC"));
        else
            folder.installEngineScript(script);
        platform.messages.clear();
        click(ui.View);
        ASSERT_EQ(platform.messages.size(), 1) << message;
        EXPECT_TRUE(platform.messages[0].contains(QString::fromUtf8(message)))
            << platform.messages[0].toStdString();
        // The user reads Italian only: no reader's detail is shown.
        if (QByteArray(message) == "Tab.tmp") {
            EXPECT_EQ(platform.messages[0], TableDamagedMessage);
        }
        EXPECT_TRUE(exchangeFilesGone(folder)) << message;
        EXPECT_EQ(ui.sfondo->image(), shown) << message;
        EXPECT_EQ(ui.LastImage->text(), "0/0") << message;
        EXPECT_TRUE(ui.View->isEnabled() && ui.Esci->isEnabled()) << message;
        EXPECT_FALSE(ui.Ferma->isEnabled()) << message;
        EXPECT_EQ(ui.Cicli->text(), "0%");
    }
}

TEST(MainWindow, ASecondInstanceOnTheSameFolderIsRefused) {
    AppFolder folder;
    FakePlatform platform;
    auto first = openSession(folder.path(), platform);
    ASSERT_NE(first, nullptr);
    MainWindow* w = first->window.get();
    ASSERT_TRUE(waitUntil([w] { return startedAndIdle(*w); }));

    FakePlatform second;
    EXPECT_EQ(openSession(folder.path(), second), nullptr);
    EXPECT_EQ(second.messages, QStringList{FolderInUseMessage});
    EXPECT_EQ(second.engineStarts, 0);

    first.reset(); // once the first one has ended, the folder is free again
    FakePlatform third;
    auto again = openSession(folder.path(), third);
    ASSERT_NE(again, nullptr);
    MainWindow* w3 = again->window.get();
    EXPECT_TRUE(waitUntil([w3] { return startedAndIdle(*w3); }));
}

TEST_F(MainWindowTest, ClosingDuringARunStopsTheEngine) {
    folder.installSlowEngine();
    MainWindow* win = w.get();
    bool closed = false;
    clickWhen(ui.Ferma, [this, win, &closed] {
        if (ui.Ferma->isEnabled() && ui.Cicli->text() != " 0%" && !closed) {
            closed = true;
            win->close();
        }
        return false;
    });
    QTimer::singleShot(0, win, [this] { click(ui.View); });
    EXPECT_TRUE(waitUntil(
        [&] { return closed && win->explorer().work() == Work::None && !win->isVisible(); }));
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(MainWindowTest, WhatStandsWhereTheExchangeFilesGoIsClearedOrNamed) {
    // Left behind by anything: a file and an empty folder under the names
    // the engine writes through are cleared before the run.
    QFile(folder.file("Tab.tmp.part")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir().mkdir(folder.file("Rep.tmp.part")));
    click(ui.View);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList({"*.tmp*"}), QStringList());

    // A folder that holds something is not the program's to delete: no run
    // starts, and the message names it.
    ASSERT_TRUE(QDir().mkdir(folder.file("Tab.tmp")));
    QFile(folder.file("Tab.tmp/mine")).open(QIODevice::WriteOnly);
    const int starts = platform.engineStarts;
    for (int press = 0; press < 2; ++press)
        click(ui.View);
    const QString blocked =
        "Impossibile avviare il calcolo: al posto di un file di scambio c'è una cartella non "
        "vuota:\n" +
        QDir::toNativeSeparators(folder.file("Tab.tmp")) +
        "\nSpostarla o eliminarla, poi riprovare.";
    EXPECT_EQ(platform.messages, QStringList({blocked, blocked}));
    EXPECT_EQ(platform.engineStarts, starts);
    EXPECT_TRUE(folder.exists("Tab.tmp/mine"));
    EXPECT_TRUE(ui.View->isEnabled());

    QDir(folder.file("Tab.tmp")).removeRecursively();
    platform.messages.clear();
    click(ui.View);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.engineStarts, starts + 1);
    EXPECT_EQ(ui.LastImage->text(), "0/2");
}
