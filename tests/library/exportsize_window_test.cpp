// "Esporta…" in the main window, with the real QuorC in a temporary
// application folder: the command and where it is offered, the dialog it
// opens, the files it writes sample by sample, an export as work like a run,
// its Stop, a full disk, Julia pictures, and Ctrl+C.
#include "childengines.h"
#include "io/export.h"
#include "librarywindow.h"
#include "plaincount.h"
#include "window/library/exportdialog.h"
#include "window/library/exportpanel.h"
#include "window/sfondo.h"

#include <QApplication>
#include <QClipboard>
#include <QProgressBar>
#include <QTest>

#include <cmath>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

class EsportaWindow : public StartedWindow {
  protected:
    // Presses "Esporta…": the dialog it opens.
    ExportDialog* open() {
        click(ui.Esporta);
        ExportDialog* d = w->exports().dialog();
        EXPECT_TRUE(d && d->isVisible());
        return d;
    }
    QString image(const QString& name) const {
        return QDir::toNativeSeparators(folder.file("Immagini/" + name));
    }
    // Presses "Esporta" in the dialog with side and file; the export starts.
    void start(ExportDialog* d, const QString& side, const QString& file) {
        d->EsportaLato->setText(side);
        d->EsportaFile->setText(file);
        QTest::mouseClick(d->EsportaVai, Qt::LeftButton);
    }
    // ... and has ended.
    void exportAs(ExportDialog* d, const QString& side, const QString& file) {
        start(d, side, file);
        EXPECT_TRUE(waitForIdle(*w, 120000)) << "the export did not end";
    }
    // What the user sees of the picture and the view described.
    QStringList shown() const {
        QStringList texts{ui.RiquadroCorrente->text(), ui.Zoom->text(), ui.LastImage->text(),
                          ui.LastName->text(), ui.Iterazioni[0]->text()};
        for (const QLineEdit* limit : ui.Limite)
            texts << limit->text();
        return texts;
    }
};

// Pixels of the file at path that are not the colour of the plain count of
// job's sample (X Min + column step, Y Min + row step) in palette; -1 when
// the file is not a picture of side points.
int wrongPixels(const QString& path, const quor::Job& job, double step, const Palette& palette,
                int side) {
    const QImage written(path);
    if (written.size() != QSize(side, side))
        return -1;
    int wrong = 0;
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column) {
            const int count = plainCount(job, job.xa + column * step, job.ya + row * step);
            wrong += written.pixel(column, row) != toQRgb(palette[std::size_t(count)]);
        }
    return wrong;
}

} // namespace

TEST_F(EsportaWindow, OfferedForAComputedPictureOpensTheDialogOnItsNameAlsoByCtrlE) {
    EXPECT_TRUE(ui.Esporta->isEnabled());
    EXPECT_FALSE(ui.Esporta->toolTip().isEmpty() || ui.Esporta->accessibleName().isEmpty());
    QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(
        waitUntil([&] { return w->exports().dialog() && w->exports().dialog()->isVisible(); }));
    ExportDialog* d = w->exports().dialog();
    EXPECT_EQ(d->windowModality(), Qt::WindowModal);
    EXPECT_EQ(d->EsportaFile->text(), image("Z.png"));
    EXPECT_EQ(d->EsportaLato->text(), "2896");
    d->close();
    EXPECT_FALSE(d->isVisible());

    // Never with the grid on, on the chart, or over a blank screen.
    const auto offered = [&](const char* where) {
        QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
        QTest::qWait(150); // a shortcut clicks its button after a short while
        EXPECT_FALSE(d->isVisible()) << where;
        d->close();
        return ui.Esporta->isEnabled();
    };
    click(ui.Griglia);
    EXPECT_FALSE(offered("grid"));
    click(ui.Griglia);
    click(ui.Istogramma);
    EXPECT_FALSE(offered("chart"));
    click(ui.Istogramma);
    click(ui.Carica);
    EXPECT_FALSE(offered("blank"));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(EsportaWindow, EveryPixelIsThePlainCountsColourSeamsAndCutTilesIncluded) {
    const Palette& palette = *model.history().current().palette;
    ExportDialog* d = open();
    // The start view at 3073 points, 3 * 2^10 + 1: a step of 2^-10, so every
    // sample lies exactly where the plain algorithm puts it; 5 x 5 tiles,
    // the last of 177 columns and rows; a picture large enough for huge
    // pages. As PNG.
    exportAs(d, "3073", image("z.png"));
    EXPECT_EQ(wrongPixels(folder.file("Immagini/z.png"), viewJob(quor::Quorvane, StartView, 100),
                          std::ldexp(1.0, -10), palette, 3073),
              0);
    // No area name gives a view whose width is 1447 steps of a power of two:
    // such a view is handed to the dialog as the command hands it the view
    // on the screen. 2 x 2 whole tiles, as BMP.
    const double step = std::ldexp(1.0, -9);
    const quor::Job chosen =
        viewJob(quor::Quorvane, {-2, -2 + 1447 * step, -1.25, -1.25 + 1447 * step}, 100);
    d->prepare(chosen, palette, image("quadrato"));
    exportAs(d, "1448", image("quadrato.bmp"));
    EXPECT_EQ(wrongPixels(folder.file("Immagini/quadrato.bmp"), chosen, step, palette, 1448), 0);
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList({"quadrato.bmp", "z.png"}));
    EXPECT_TRUE(ui.Esporta->isEnabled()); // also after an export
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(EsportaWindow, WhileItRunsOnlyItsStopIsOfferedAndStoppingOrClosingWritesNothing) {
    const QImage picture = ui.sfondo->image();
    const QStringList before = shown();
    const Commands ready = enabledCommands(ui);
    folder.installSlowEngine();
    ExportDialog* d = open();
    // Each way of ending it: its Stop, closing the dialog, closing the window.
    const std::function<void()> ends[] = {
        [&] { QTest::mouseClick(d->EsportaStop, Qt::LeftButton); },
        [&] { QTest::keyClick(d, Qt::Key_Escape); }, [&] { w->close(); }};
    for (const auto& end : ends) {
        start(d, "2896", image("lento.png"));
        ASSERT_EQ(model.work(), Work::Export);
        EXPECT_EQ(enabledCommands(ui), Commands{});
        EXPECT_TRUE(d->EsportaStop->isEnabled());
        EXPECT_FALSE(d->EsportaVai->isEnabled() || d->EsportaLato->isEnabled());
        // The window lives on: the progress of the engine's columns arrives.
        ASSERT_TRUE(waitUntil([&] { return d->EsportaProgresso->value() > 2; }));
        end();
        EXPECT_TRUE(waitForIdle(*w, 30000));
        EXPECT_EQ(childEngines(), 0);
        EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList{});
        EXPECT_EQ(ui.sfondo->image(), picture);
        EXPECT_EQ(shown(), before);
        if (w->isVisible()) {
            EXPECT_EQ(enabledCommands(ui), ready);
            if (!d->isVisible())
                d->open();
        }
    }
    EXPECT_TRUE(waitUntil([&] { return !w->isVisible(); })) << "the window did not close";
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(EsportaWindow, AStopWhileTheFileIsWrittenLeavesNothingAndAFullDiskTheOldFile) {
    ExportDialog* d = open();
    clickWhen(d->EsportaStop, [d] {
        return d->EsportaProgresso->format() == QStringLiteral("Scrittura del file…");
    });
    exportAs(d, "5792", image("grande.png"));
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList{});

    // The disk holds the engine's tables, not the picture: the file there
    // was stays whole, and nothing is left beside it.
    writeBytes(folder.file("Immagini/Z.bmp"), "an earlier export");
    platform.answers = {true};
    ASSERT_TRUE(onFullDisk(4 << 20, [&] { exportAs(d, "2896", image("Z.bmp")); }));
    EXPECT_EQ(platform.messages, QStringList{"Impossibile salvare l'immagine:\n" + image("Z.bmp")});
    EXPECT_EQ(readBytes(folder.file("Immagini/Z.bmp")), "an earlier export");
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList{"Z.bmp"});
    EXPECT_EQ(childEngines(), 0);
}

TEST_F(EsportaWindow, AJuliaPictureExportsAsTheNextJuliaFileAndTakesItsNumber) {
    click(ui.Julia);
    EXPECT_FALSE(ui.Esporta->isEnabled()); // no Julia picture yet
    QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, {482 + Sfondo::Border, 361 + Sfondo::Border});
    click(ui.JuliaGo);
    ASSERT_TRUE(ui.Esporta->isEnabled());
    ExportDialog* d = open();
    EXPECT_EQ(d->EsportaFile->text(), image("Julia0.png"));
    // At 724 points the one tile is the screen's own job: the same pixels.
    exportAs(d, "724", d->EsportaFile->text());
    const QImage written(folder.file("Immagini/Julia0.png"));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), ui.sfondo->image());
    EXPECT_EQ(model.julia().filesExported(), 1);
    // Another name takes no number; "File" goes on from the next.
    exportAs(d, "724", image("altro"));
    EXPECT_TRUE(folder.exists("Immagini/altro.png"));
    EXPECT_EQ(model.julia().filesExported(), 1);
    d->close();
    platform.answers = {false};
    click(ui.SalvaJulia);
    EXPECT_EQ(platform.questions, QStringList{juliaExportQuestion(1)});

    // A zoom framed over the picture leaves it on the screen, to export.
    QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, {300, 300});
    ASSERT_EQ(model.julia().state().stage, JuliaStage::ZoomPending);
    EXPECT_EQ(open()->EsportaFile->text(), image("Julia1.png"));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(EsportaWindow, CtrlCCopiesThePictureWithoutWhatLiesAboveIt) {
    press(ui, "#M");
    ASSERT_NE(ui.sfondo->composed(), ui.sfondo->image());
    QApplication::clipboard()->clear();
    QTest::keyClick(w.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              ui.sfondo->image());
    // A box that has the keyboard copies its own text.
    click(ui.Griglia);
    ui.Limite[0]->setFocus();
    ui.Limite[0]->selectAll();
    QTest::keyClick(ui.Limite[0], Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "-2");
}
