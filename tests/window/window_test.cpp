// The main window driven through its controls, with the real QuorC in a
// temporary application folder.
#include "appfolder.h"
#include "colours/colourwindow.h"
#include "window/folderlock.h"
#include "window/thumbnails.h"

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

using namespace quorvane;
using namespace quorvane::testing;

namespace {

bool exchangeFilesGone(const AppFolder& folder) {
    return !folder.exists("Quor.tmp") && !folder.exists("Rep.tmp") && !folder.exists("Tab.tmp");
}

QRgb pixelAt(const MainWindow& w, int column, int row) {
    return w.sfondo->image().pixel(column, row);
}

void setLimit(MainWindow& w, const QString& text) {
    w.Iterazioni[1]->setText(text);
    click(w.IterazOK);
}

// Every count of the table, painted through the palette, is the pixel shown.
void expectPictureMatchesTable(const MainWindow& w) {
    int mismatches = 0;
    for (int c = 0; c < 724; ++c)
        for (int r = 0; r < 724; ++r) {
            const int count = w.Tavola[std::size_t(c) * 724 + r];
            if (pixelAt(w, c, r) != toQRgb(w.ColoreIter[std::size_t(count)]))
                ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
}

} // namespace

TEST(MainWindow, FirstStartInAnEmptyFolder) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);

    EXPECT_TRUE(QDir(folder.file("BeiLuoghi")).exists());
    EXPECT_TRUE(QDir(folder.file("Immagini")).exists());
    QFile list(folder.file("BeiLuoghi/BeiLuoghi.txt"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), QByteArray("\"MFFSSKJHB\",1000,1\r\n"));
    EXPECT_EQ(w->UltimoLuogo, 0);
    EXPECT_EQ(w->SaveName->text(), "MFFSSKJHB");
    EXPECT_EQ(w->SaveIcona->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              w->NoIcona.convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(w->SelSave[0]->isEnabled());
    EXPECT_FALSE(w->SelSave[1]->isEnabled());

    // The start view is computed once, with limit 100, and shown.
    EXPECT_EQ(platform.engineStarts, 1);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(w->RiquadroCorrente->text(), "Z");
    EXPECT_EQ(w->Zoom->text(), "1");
    EXPECT_EQ(w->Cicli->text(), "0%");
    EXPECT_EQ(w->Progress->value(), 0);
    EXPECT_EQ(w->Iterazioni[0]->text(), "100");
    EXPECT_EQ(w->Iterazioni[1]->text(), "100");
    EXPECT_EQ(w->IterEffettive, 100);
    EXPECT_EQ(w->Limite[0]->text(), "-2");
    EXPECT_EQ(w->Limite[1]->text(), "1");
    EXPECT_EQ(w->Limite[2]->text(), "-1.5");
    EXPECT_EQ(w->Limite[3]->text(), "1.5");
    EXPECT_EQ(w->NumUltime, 1);
    EXPECT_EQ(w->LastImage->text(), "0/1");
    EXPECT_EQ(w->PercorsiUltime[0], "Z");
    EXPECT_TRUE(exchangeFilesGone(folder));

    // The corner -2 - 1.5i lies outside the circle (count 0, green); the
    // sample nearest 0 never escapes (black).
    EXPECT_EQ(pixelAt(*w, 0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(w->Tavola[482 * 724 + 361], 100);
    EXPECT_EQ(pixelAt(*w, 482, 361), qRgb(0, 0, 0));
    expectPictureMatchesTable(*w);
    EXPECT_EQ(w->Z, w->sfondo->image());
    EXPECT_EQ(w->Deposito[0], w->Z);
    std::int64_t samples = 0;
    for (int k = 0; k <= 100; ++k)
        samples += w->Frequenze[std::size_t(k)];
    EXPECT_EQ(samples, 724 * 724);

    // The ready state after the start, with the histogram still disabled.
    EXPECT_FALSE(w->Istogramma->isEnabled());
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_TRUE(w->Griglia->isEnabled());
    EXPECT_FALSE(w->Ferma->isEnabled());
    EXPECT_FALSE(w->sfondo->isEnabled());
    EXPECT_TRUE(w->SelImage[1]->isEnabled());
    for (auto* letter : w->Lettere)
        EXPECT_FALSE(letter->isEnabled());
    EXPECT_TRUE(tagIsTrue(w.get()));
    EXPECT_EQ(w->findChild<QPushButton*>("Lettere(7)"), w->Lettere[7]);
    EXPECT_EQ(w->findChild<QLineEdit*>("Limite(0)"), w->Limite[0]);
    EXPECT_EQ(w->Lettere[7]->accessibleName(), "H");
}

TEST(MainWindow, RunsCountRecentPicturesAndTheZoomFactor) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);

    // Ten more runs: the recent list stops at ten earlier pictures.
    for (int i = 0; i < 10; ++i) {
        click(w->View);
        ASSERT_FALSE(w->busy());
    }
    EXPECT_EQ(w->NumUltime, 10);
    EXPECT_EQ(w->LastImage->text(), "0/10");
    EXPECT_EQ(w->PercorsiUltime[0], "Z");
    EXPECT_EQ(platform.engineStarts, 11);
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_TRUE(w->Istogramma->isEnabled());

    // The zoom factor follows how the view was chosen.
    w->Zoom->setText("25");
    w->TipoScelta = 144;
    click(w->View);
    EXPECT_EQ(w->Zoom->text(), "625");
    EXPECT_EQ(w->TipoScelta, 255);
    w->TipoScelta = 28;
    click(w->View);
    EXPECT_EQ(w->Zoom->text(), "390625");
    click(w->View); // 255: unchanged
    EXPECT_EQ(w->Zoom->text(), "390625");
    w->TipoScelta = 0;
    click(w->View);
    EXPECT_EQ(w->Zoom->text(), "1");
    EXPECT_EQ(w->NumUltime, 10);
}

TEST(MainWindow, StoppedRunKeepsThePictureAndCleansUp) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage before = w->sfondo->image();
    const auto tableBefore = w->Tavola;

    setLimit(*w, "32767");
    w->NuovoXMin = -0.75;
    w->NuovoXMax = -0.74;
    w->NuovoYMin = 0.10;
    w->NuovoYMax = 0.11;
    w->TipoScelta = 144;
    // Stop as soon as the engine has reported a column.
    MainWindow* win = w.get();
    clickWhen(w->Ferma, [win] { return win->Ferma->isEnabled() && win->Cicli->text() != " 0%"; });
    click(w->View);

    EXPECT_FALSE(w->busy());
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_EQ(w->sfondo->image(), before);
    EXPECT_EQ(w->Tavola, tableBefore);
    EXPECT_EQ(w->XMin, -2.0);
    EXPECT_EQ(w->YMax, 1.5);
    EXPECT_EQ(w->Limite[0]->text(), "-2");
    EXPECT_EQ(w->NuovoXMin, -0.75); // the prepared view stays prepared
    EXPECT_EQ(w->TipoScelta, 144);
    EXPECT_EQ(w->NumUltime, 1);
    EXPECT_EQ(w->IterEffettive, 100);
    EXPECT_EQ(w->Cicli->text(), "0%");
    EXPECT_FALSE(w->Ferma->isEnabled());
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(MainWindow, IterationLimitIsClampedWithABeep) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    struct Case {
        const char* typed;
        int limit;
        int beeps;
    } cases[] = {{"5", 20, 1},       {"40000", 32767, 1}, {"250.7", 250, 0}, {"abc", 20, 1},
                 {"20", 20, 0},      {"32767", 32767, 0}, {"1e12", 32767, 1}, {"-7", 20, 1},
                 {"  321  ", 321, 0}, {"19.99", 20, 1}};
    for (const Case& c : cases) {
        setTag(w->AutoColor, "True");
        const int beeps = platform.beeps;
        setLimit(*w, c.typed);
        EXPECT_EQ(w->IterMax, c.limit) << c.typed;
        EXPECT_EQ(w->Iterazioni[0]->text(), QString::number(c.limit)) << c.typed;
        EXPECT_EQ(w->Iterazioni[1]->text(), QString::number(c.limit)) << c.typed;
        EXPECT_EQ(platform.beeps - beeps, c.beeps) << c.typed;
        EXPECT_EQ(tagOf(w->AutoColor), "False") << c.typed;
    }
    // The picture shown is not repainted by a new limit or colouring choice.
    const QImage shown = w->sfondo->image();
    click(w->AutoColor);
    EXPECT_TRUE(w->AutoColor->isChecked());
    EXPECT_EQ(tagOf(w->AutoColor), "False");
    EXPECT_EQ(w->sfondo->image(), shown);

    // The next run takes the new limit and the automatic palette.
    setLimit(*w, "250");
    click(w->View);
    EXPECT_EQ(w->IterEffettive, 250);
    EXPECT_EQ(w->Iterazioni[0]->text(), "250");
    EXPECT_EQ(tagOf(w->AutoColor), "True");
    EXPECT_EQ(w->ColoreIter[250], 0u);
    expectPictureMatchesTable(*w);
}

TEST(MainWindow, ColourWindowOpensAndClosesWithoutChangingAnything) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    setLimit(*w, "500");
    click(w->View);
    const QImage shown = w->sfondo->image();
    const int starts = platform.engineStarts;
    const int recent = w->NumUltime;
    Colori* colours = w->colori();

    for (int round = 0; round < 2; ++round) {
        click(w->Colors);
        EXPECT_TRUE(colours->isVisible());
        EXPECT_FALSE(w->isEnabled());
        auto* ok = colours->findChild<QPushButton*>("Fine");
        ASSERT_NE(ok, nullptr);
        click(ok);
        EXPECT_FALSE(colours->isVisible());
        EXPECT_TRUE(w->isEnabled());
        EXPECT_EQ(colours->tag(), "True");
        EXPECT_EQ(w->IterMax, 500);
        EXPECT_EQ(w->Iterazioni[1]->text(), "500");
        EXPECT_EQ(w->sfondo->image(), shown);
        EXPECT_EQ(w->NumUltime, recent);
        EXPECT_EQ(platform.engineStarts, starts);
        EXPECT_TRUE(w->View->isEnabled());
    }
}

TEST(MainWindow, MissingEngineIsReportedAndTheWindowStaysReady) {
    AppFolder folder(false);
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].startsWith("Il motore di calcolo non è stato trovato"));
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_TRUE(w->View->isEnabled());
    EXPECT_TRUE(w->Esci->isEnabled());
    EXPECT_FALSE(w->Ferma->isEnabled());
    EXPECT_EQ(w->NumUltime, 0);
    EXPECT_EQ(w->Cicli->text(), "0%");

    click(w->View);
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_FALSE(w->busy());
}

TEST(MainWindow, EngineThatDiesOrLeavesABadTableIsReported) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const QImage shown = w->sfondo->image();

    // Reports a few columns, then dies without a final report.
    folder.installEngineScript("printf '  5,' > Rep.tmp\nexit 3\n");
    click(w->View);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].contains("interrotto"));
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_EQ(w->sfondo->image(), shown);
    EXPECT_EQ(w->NumUltime, 1);
    EXPECT_TRUE(w->View->isEnabled());

    // Reports a complete run over a truncated table.
    folder.installEngineScript("printf '    1,    2\\r\\n' > Tab.tmp\nprintf '724,' > Rep.tmp\n");
    click(w->View);
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].contains("Tab.tmp"));
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_EQ(w->sfondo->image(), shown);

    // Stops on its own (725) while the window did not ask.
    folder.installEngineScript("printf '725,' > Rep.tmp\n");
    click(w->View);
    ASSERT_EQ(platform.messages.size(), 3);
    EXPECT_TRUE(exchangeFilesGone(folder));
    EXPECT_EQ(w->NumUltime, 1);
    EXPECT_FALSE(w->busy());
}

TEST(MainWindow, ASecondInstanceOnTheSameFolderIsRefused) {
    AppFolder folder;
    FakePlatform platform;
    auto first = openSession(folder.path(), platform);
    ASSERT_NE(first, nullptr);
    MainWindow* w = first->window.get();
    ASSERT_TRUE(waitUntil([w] { return w->zStored() && !w->busy(); }));
    const QImage shown = w->sfondo->image();

    FakePlatform second;
    EXPECT_EQ(openSession(folder.path(), second), nullptr);
    ASSERT_EQ(second.messages.size(), 1);
    EXPECT_EQ(second.messages[0], FolderInUseMessage);
    EXPECT_EQ(second.engineStarts, 0);
    EXPECT_EQ(w->sfondo->image(), shown);

    // Once the first one has ended, the folder is free again.
    first.reset();
    FakePlatform third;
    auto again = openSession(folder.path(), third);
    EXPECT_NE(again, nullptr);
    EXPECT_TRUE(third.messages.isEmpty());
    if (again) {
        MainWindow* w3 = again->window.get();
        EXPECT_TRUE(waitUntil([w3] { return w3->zStored() && !w3->busy(); }));
    }
}

TEST(MainWindow, ItalianLocaleShowsCommasAndWritesPeriods) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    AppFolder folder;
    // Keep a copy of each job the window writes.
    QFile::rename(folder.file("QuorC"), folder.file("QuorC.real"));
    folder.installEngineScript("cp Quor.tmp job.txt\nexec ./QuorC.real\n");
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    EXPECT_EQ(w->Limite[2]->text(), "-1,5");
    EXPECT_EQ(w->Limite[3]->text(), "1,5");

    setLimit(*w, "250,7");
    EXPECT_EQ(w->IterMax, 250);
    w->NuovoXMin = -0.7436;
    w->NuovoXMax = -0.7435;
    w->NuovoYMin = 0.1318;
    w->NuovoYMax = 0.1319;
    w->Zoom->setText("2,5");
    w->TipoScelta = 144;
    click(w->View);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(w->Limite[0]->text(), "-0,7436");
    EXPECT_EQ(w->Zoom->text(), "62,5");
    QFile job(folder.file("job.txt"));
    ASSERT_TRUE(job.open(QIODevice::ReadOnly));
    // The job carries periods whatever the locale, and each value exactly.
    const QList<QByteArray> lines = job.readAll().split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "0\r");
    const double expected[] = {-0.7436, -0.7435, 0.1318, 0.1319, 250};
    for (int i = 0; i < 5; ++i) {
        const QByteArray line = lines[i + 1];
        ASSERT_TRUE(line.endsWith('\r')) << i;
        EXPECT_FALSE(line.contains(',')) << line.toStdString();
        EXPECT_EQ(std::strtod(line.chopped(1).constData(), nullptr), expected[i])
            << line.toStdString();
    }
    EXPECT_EQ(lines[5], "250\r");
    QLocale::setDefault(QLocale::c());
}

TEST(MainWindow, ClosingDuringARunStopsTheEngine) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    setLimit(*w, "32767");
    w->NuovoXMin = -0.2;
    w->NuovoXMax = -0.1;
    w->NuovoYMin = -0.1;
    w->NuovoYMax = 0.0;
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
    {
        // A file where the library folder should be.
        AppFolder folder;
        QFile blocker(folder.file("BeiLuoghi"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_TRUE(platform.messages[0].startsWith("Impossibile creare la cartella:\n"));
        EXPECT_TRUE(platform.messages[0].contains("BeiLuoghi"));
        EXPECT_EQ(w->UltimoLuogo, -1);
        EXPECT_EQ(w->SaveName->text(), "");
        EXPECT_TRUE(QDir(folder.file("Immagini")).exists());
        EXPECT_EQ(w->RiquadroCorrente->text(), "Z");
        EXPECT_EQ(w->NumUltime, 1);
    }
    {
        // A list "file" that cannot be read: the folder stays as it was.
        AppFolder folder;
        ASSERT_TRUE(QDir().mkpath(folder.file("BeiLuoghi/BeiLuoghi.txt")));
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        ASSERT_EQ(platform.messages.size(), 1);
        EXPECT_TRUE(platform.messages[0].contains("BeiLuoghi.txt"));
        EXPECT_EQ(w->UltimoLuogo, -1);
        EXPECT_TRUE(QDir(folder.file("BeiLuoghi/BeiLuoghi.txt")).exists());
        EXPECT_TRUE(w->View->isEnabled());
    }
    {
        // A list edited by hand: bad lines and names are skipped, limits clamped.
        AppFolder folder;
        ASSERT_TRUE(QDir().mkpath(folder.file("BeiLuoghi")));
        QFile list(folder.file("BeiLuoghi/BeiLuoghi.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(" \"MK\" , 50000 , 1 \r\nrubbish\r\n\"../../etc\",100,0\r\n\"gM\",5,0");
        list.close();
        FakePlatform platform;
        auto w = startWindow(folder, platform);
        EXPECT_TRUE(platform.messages.isEmpty());
        EXPECT_EQ(w->UltimoLuogo, 1);
        EXPECT_EQ(w->NomiLuoghi[0], "MK");
        EXPECT_EQ(w->IterLuoghi[0], 32767);
        EXPECT_EQ(w->AutoLuoghi[0], 1);
        EXPECT_EQ(w->NomiLuoghi[1], "gM");
        EXPECT_EQ(w->IterLuoghi[1], 20);
        EXPECT_EQ(w->SaveName->text(), "MK");
        EXPECT_FALSE(w->SelSave[0]->isEnabled());
        EXPECT_TRUE(w->SelSave[1]->isEnabled());
    }
}
