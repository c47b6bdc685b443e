// The main window driven through its controls, with the real QuorC in a
// temporary application folder.
#include "appfolder.h"
#include "colours/colourwindow.h"
#include "window/enginerun.h"
#include "window/folderlock.h"
#include "window/thumbnails.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

bool exchangeFilesGone(const AppFolder& folder) {
    return !folder.exists("Quor.tmp") && !folder.exists("Rep.tmp") && !folder.exists("Tab.tmp");
}

void setLimit(MainWindow& w, const QString& text) {
    w.Iterazioni[1]->setText(text);
    click(w.IterazOK);
}

// Every count of the table, painted through the palette, is the pixel shown.
int pixelsNotMatchingTable(const MainWindow& w) {
    int mismatches = 0;
    for (int c = 0; c < 724; ++c)
        for (int r = 0; r < 724; ++r)
            if (w.sfondo->image().pixel(c, r) !=
                toQRgb(w.ColoreIter[std::size_t(w.Tavola[std::size_t(c) * 724 + r])]))
                ++mismatches;
    return mismatches;
}

void prepareSlowView(MainWindow& w) {
    setLimit(w, "32767");
    w.NuovoXMin = -0.2;
    w.NuovoXMax = -0.1;
    w.NuovoYMin = -0.1;
    w.NuovoYMax = 0.0;
}

} // namespace

TEST(MainWindow, FirstStartInAnEmptyFolder) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);

    EXPECT_TRUE(QDir(folder.file("Immagini")).exists());
    QFile list(folder.file("BeiLuoghi/BeiLuoghi.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), QByteArray("\"MFFSSKJHB\",1000,1\r\n"));
    EXPECT_EQ(w->UltimoLuogo, 0);
    EXPECT_EQ(w->SaveName->text(), "MFFSSKJHB");
    EXPECT_EQ(w->SaveIcona->pixmap().toImage().convertToFormat(QImage::Format_RGB32), w->NoIcona);
    EXPECT_FALSE(w->SelSave[0]->isEnabled());
    EXPECT_FALSE(w->SelSave[1]->isEnabled());

    // The start view is computed once, with limit 100, and shown.
    EXPECT_EQ(platform.engineStarts, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
    const QStringList texts = {
        w->RiquadroCorrente->text(), w->Zoom->text(),          w->Cicli->text(),
        w->Iterazioni[0]->text(),    w->Iterazioni[1]->text(), w->Limite[0]->text(),
        w->Limite[1]->text(),        w->Limite[2]->text(),     w->Limite[3]->text(),
        w->LastImage->text()};
    EXPECT_EQ(texts, QStringList({"Z", "1", "0%", "100", "100", "-2", "1", "-1.5", "1.5", "0/1"}));
    EXPECT_EQ(w->Progress->value(), 0);
    EXPECT_EQ(w->PercorsiUltime[0], "Z");
    EXPECT_TRUE(exchangeFilesGone(folder));

    // The corner -2 - 1.5i lies outside the circle (green); the sample
    // nearest 0 never escapes (black).
    EXPECT_EQ(w->sfondo->image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(w->Tavola[482 * 724 + 361], 100);
    EXPECT_EQ(w->sfondo->image().pixel(482, 361), qRgb(0, 0, 0));
    EXPECT_EQ(pixelsNotMatchingTable(*w), 0);
    EXPECT_EQ(w->Z, w->sfondo->image());
    EXPECT_EQ(w->Deposito[0], w->Z);

    // The ready state, with the histogram still disabled after the start.
    EXPECT_FALSE(w->Istogramma->isEnabled());
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_FALSE(w->Ferma->isEnabled());
    EXPECT_FALSE(w->sfondo->isEnabled());
    for (auto* letter : w->Lettere)
        EXPECT_FALSE(letter->isEnabled());
    EXPECT_EQ(w->findChild<QPushButton*>("Lettere(7)"), w->Lettere[7]);
    EXPECT_EQ(w->Lettere[7]->accessibleName(), "H");
}

TEST(MainWindow, RunsFillTheRecentListAndMultiplyTheZoom) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    for (int i = 0; i < 10; ++i)
        click(w->View);
    EXPECT_EQ(w->NumUltime, 10);
    EXPECT_EQ(w->LastImage->text(), "0/10");
    EXPECT_EQ(platform.engineStarts, 11);
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_TRUE(w->Istogramma->isEnabled());

    w->Zoom->setText("25");
    const std::pair<int, const char*> steps[] = {
        {144, "625"}, {28, "390625"}, {255, "390625"}, {0, "1"}};
    for (const auto& [tipo, zoom] : steps) {
        w->TipoScelta = tipo;
        click(w->View);
        EXPECT_EQ(w->Zoom->text(), zoom) << tipo;
        EXPECT_EQ(w->TipoScelta, 255);
    }
    EXPECT_EQ(w->NumUltime, 10);
}

TEST(MainWindow, StoppedRunKeepsThePictureAndCleansUp) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage before = w->sfondo->image();
    prepareSlowView(*w);
    w->TipoScelta = 144;
    MainWindow* win = w.get();
    clickWhen(w->Ferma, [win] { return win->Ferma->isEnabled() && win->Cicli->text() != " 0%"; });
    click(w->View);

    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_EQ(w->sfondo->image(), before);
    EXPECT_EQ(w->XMin, -2.0);
    EXPECT_EQ(w->Limite[0]->text(), "-2");
    EXPECT_EQ(w->NuovoXMin, -0.2); // the prepared view stays prepared
    EXPECT_EQ(w->TipoScelta, 144);
    EXPECT_EQ(w->NumUltime, 1);
    EXPECT_EQ(w->IterEffettive, 100);
    EXPECT_EQ(w->Cicli->text(), "0%");
    EXPECT_FALSE(w->Ferma->isEnabled());
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(MainWindow, IterationLimitIsClampedWithABeepAndTakesEffectNextRun) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage shown = w->sfondo->image();
    const std::tuple<const char*, int, int> cases[] = {
        {"5", 20, 1},       {"40000", 32767, 1}, {"250.7", 250, 0}, {"abc", 20, 1},
        {"1e12", 32767, 1}, {"-7", 20, 1},       {"19.99", 20, 1},  {"250,7", 250, 0}};
    for (const auto& [typed, limit, beeps] : cases) {
        setTag(w->AutoColor, "True");
        const int before = platform.beeps;
        setLimit(*w, typed);
        EXPECT_EQ(w->IterMax, limit) << typed;
        EXPECT_EQ(w->Iterazioni[0]->text(), QString::number(limit)) << typed;
        EXPECT_EQ(w->Iterazioni[1]->text(), QString::number(limit)) << typed;
        EXPECT_EQ(platform.beeps - before, beeps) << typed;
        EXPECT_EQ(tagOf(w->AutoColor), "False") << typed;
    }
    click(w->AutoColor);
    EXPECT_TRUE(w->AutoColor->isChecked());
    EXPECT_EQ(w->sfondo->image(), shown); // nothing is repainted until the next run

    click(w->View);
    EXPECT_EQ(w->IterEffettive, 250);
    EXPECT_EQ(tagOf(w->AutoColor), "True");
    EXPECT_EQ(w->ColoreIter[250], 0u);
    EXPECT_EQ(pixelsNotMatchingTable(*w), 0);
}

TEST(MainWindow, ColourWindowOpensAndClosesWithoutChangingAnything) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    setLimit(*w, "500");
    click(w->View);
    const QImage shown = w->sfondo->image();
    const int starts = platform.engineStarts, recent = w->NumUltime;
    for (int round = 0; round < 2; ++round) {
        click(w->Colors);
        EXPECT_TRUE(w->colori()->isVisible());
        EXPECT_FALSE(w->isEnabled());
        click(w->colori()->Fine);
        EXPECT_FALSE(w->colori()->isVisible());
        EXPECT_TRUE(w->isEnabled());
        EXPECT_EQ(w->IterMax, 500);
        EXPECT_EQ(w->Iterazioni[1]->text(), "500");
        EXPECT_EQ(w->sfondo->image(), shown);
        EXPECT_EQ(w->NumUltime, recent);
        EXPECT_EQ(platform.engineStarts, starts);
        EXPECT_TRUE(w->View->isEnabled());
    }
}

TEST(MainWindow, EngineFailuresAreReportedAndTheWindowStaysReady) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage shown = w->sfondo->image();
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
        click(w->View);
        ASSERT_EQ(platform.messages.size(), 1) << message;
        EXPECT_TRUE(platform.messages[0].contains(QString::fromUtf8(message)))
            << platform.messages[0].toStdString();
        // The user reads Italian only: no reader's detail is shown.
        if (QByteArray(message) == "Tab.tmp") {
            EXPECT_EQ(platform.messages[0], TableDamagedMessage);
        }
        QDir(folder.file("Tab.tmp")).removeRecursively(); // the folder put there
        EXPECT_TRUE(exchangeFilesGone(folder)) << message;
        EXPECT_EQ(w->sfondo->image(), shown) << message;
        EXPECT_EQ(w->NumUltime, 1) << message;
        EXPECT_TRUE(w->View->isEnabled() && w->Esci->isEnabled()) << message;
        EXPECT_FALSE(w->Ferma->isEnabled()) << message;
        EXPECT_EQ(w->Cicli->text(), "0%");
    }
}

TEST(MainWindow, ASecondInstanceOnTheSameFolderIsRefused) {
    AppFolder folder;
    FakePlatform platform;
    auto first = openSession(folder.path(), platform);
    ASSERT_NE(first, nullptr);
    MainWindow* w = first->window.get();
    ASSERT_TRUE(waitUntil([w] { return w->zStored() && !w->busy(); }));

    FakePlatform second;
    EXPECT_EQ(openSession(folder.path(), second), nullptr);
    EXPECT_EQ(second.messages, QStringList{FolderInUseMessage});
    EXPECT_EQ(second.engineStarts, 0);

    first.reset(); // once the first one has ended, the folder is free again
    FakePlatform third;
    auto again = openSession(folder.path(), third);
    ASSERT_NE(again, nullptr);
    MainWindow* w3 = again->window.get();
    EXPECT_TRUE(waitUntil([w3] { return w3->zStored() && !w3->busy(); }));
}

TEST(MainWindow, ClosingDuringARunStopsTheEngine) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    prepareSlowView(*w);
    MainWindow* win = w.get();
    bool closed = false;
    clickWhen(w->Ferma, [win, &closed] {
        if (win->Ferma->isEnabled() && win->Cicli->text() != " 0%" && !closed) {
            closed = true;
            win->close();
        }
        return false;
    });
    QTimer::singleShot(0, win, [win] { win->View_Click(); });
    EXPECT_TRUE(waitUntil([&] { return closed && !win->busy() && !win->isVisible(); }));
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(MainWindow, UnusableLibraryIsReportedAndTheProgramGoesOnEmpty) {
    // Each spoils the library in its own way; none may stop the start.
    const std::pair<const char*, std::function<void(const AppFolder&)>> blockers[] = {
        {"BeiLuoghi", // a file where the library folder should be
         [](const AppFolder& f) { QFile(f.file("BeiLuoghi")).open(QIODevice::WriteOnly); }},
        {"BeiLuoghi.txt", // a folder where the list should be
         [](const AppFolder& f) { QDir().mkpath(f.file("BeiLuoghi/BeiLuoghi.txt")); }},
        {"BeiLuoghi.txt", // a list that never ends
         [](const AppFolder& f) {
             QDir().mkpath(f.file("BeiLuoghi"));
             QFile::link("/dev/zero", f.file("BeiLuoghi/BeiLuoghi.txt"));
         }},
        {"BeiLuoghi.txt", // a pipe that nobody writes
         [](const AppFolder& f) {
             QDir().mkpath(f.file("BeiLuoghi"));
             ::mkfifo(QFile::encodeName(f.file("BeiLuoghi/BeiLuoghi.txt")).constData(), 0600);
         }},
        {"BeiLuoghi.txt", // far more than a thousand places can fill
         [](const AppFolder& f) {
             QDir().mkpath(f.file("BeiLuoghi"));
             QFile list(f.file("BeiLuoghi/BeiLuoghi.txt"));
             list.open(QIODevice::WriteOnly);
             list.write(QByteArray(2 << 20, ' ') + "\"M\",100,0\r\n");
         }},
    };
    for (const auto& [shown, spoil] : blockers) {
        AppFolder folder;
        spoil(folder);
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        ASSERT_EQ(platform.messages.size(), 1) << shown;
        EXPECT_TRUE(platform.messages[0].contains(shown)) << platform.messages[0].toStdString();
        EXPECT_EQ(w->UltimoLuogo, -1);
        EXPECT_EQ(w->SaveName->text(), "");
        EXPECT_EQ(w->RiquadroCorrente->text(), "Z");
        EXPECT_TRUE(w->View->isEnabled());
    }
}
