// Julia mode driven through the real window: the constant picked with the
// mouse, the Julia run through QuorC, its zoom, leaving the mode, and orbit
// traces.
#include "desktop.h"
#include "domain/orbit.h"
#include "domain/palette.h"
#include "domain/thumbnails.h"
#include "io/export.h"
#include "steps.h"
#include "window/sfondo.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
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

// Picture position (x, y) in the widget, which draws a two-pixel border.
QPoint at(int x, int y) {
    return {x + Sfondo::Border, y + Sfondo::Border};
}

// The window on the start view, with the engine keeping its jobs.
class JuliaWindow : public StartedWindow {
  protected:
    JuliaWindow() : StartedWindow(true) {}

    void pick(int x, int y) { QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, at(x, y)); }
    bool enabled(QWidget* control) const { return control->isEnabled(); }
};

} // namespace

TEST_F(JuliaWindow, APickedConstantIsComputedAsAJuliaSetAndZoomedByClicks) {
    const QImage quorvanePicture = ui.sfondo->image();
    pick(300, 300); // outside Julia mode the picture takes no click
    EXPECT_EQ(ui.XXJU->text(), "0");
    EXPECT_FALSE(enabled(ui.sfondo));

    click(ui.Julia);
    EXPECT_TRUE(ui.frameJulia->isVisible());
    EXPECT_TRUE(enabled(ui.Julia) && enabled(ui.sfondo));
    EXPECT_FALSE(enabled(ui.JuliaGo) || enabled(ui.View) || enabled(ui.IterazOK));
    EXPECT_FALSE(enabled(ui.XXJU)); // shown, never typed

    // Press at column 482 (real part 0), drag out of the picture, let go
    // there: the constant is the last point inside, the marks where let go.
    QTest::mousePress(ui.sfondo, Qt::LeftButton, {}, at(482, 300));
    for (const QPoint p : {at(482, 361), at(730, 361)}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), ui.sfondo->mapToGlobal(QPointF(p)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(ui.sfondo, &move);
    }
    QTest::mouseRelease(ui.sfondo, Qt::LeftButton, {}, at(482, 361));
    const double cy = -1.5 + 361 * 3.0 / 723;
    EXPECT_EQ(ui.XXJU->text(), "0");
    EXPECT_EQ(ui.YYJU->text(), QString::number(cy, 'g', 15));
    const Overlays& o = ui.sfondo->overlays();
    EXPECT_TRUE(o.crossHair[0].visible && o.crossHair[1].visible);
    EXPECT_EQ(o.crossHair[0].colour, QColor(255, 255, 0));
    EXPECT_EQ(o.constantFrame.rect.topLeft(), QPoint(467, 346));
    EXPECT_TRUE(enabled(ui.JuliaGo) && enabled(ui.Traccia));
    EXPECT_EQ(model.julia().state().stage, JuliaStage::ConstantChosen);

    click(ui.JuliaGo);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    const auto jobs = keptJobs(folder);
    ASSERT_EQ(jobs.size(), 2u);
    // The constant travels as the box shows it, to 15 digits.
    const double shown = QString::number(cy, 'g', 15).toDouble();
    EXPECT_EQ(jobs[1], (std::vector<double>{1, -1.6, 1.6, -1.6, 1.6, 100, 0, shown}));
    // The corner (-1.6, -1.6) escapes at once; near 0 with c near 0 nothing
    // escapes.
    EXPECT_EQ(ui.sfondo->image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(ui.sfondo->image().pixel(361, 361), qRgb(0, 0, 0));
    EXPECT_EQ(model.julia().state().stage, JuliaStage::PictureShown);
    for (QWidget* on :
         std::initializer_list<QWidget*>{ui.sfondo, ui.Julia, ui.JuliaGo, ui.SalvaJulia,
                                         ui.IterazOK, ui.Iterazioni[1], ui.AutoColor})
        EXPECT_TRUE(enabled(on)) << on->objectName().toStdString();
    EXPECT_FALSE(enabled(ui.Traccia) || enabled(ui.View) || enabled(ui.Istogramma));
    // The picture of the Quorvane set and its state stay as they were.
    EXPECT_EQ(ui.RiquadroCorrente->text(), "Z");
    EXPECT_EQ(model.history().current().image, quorvanePicture);
    EXPECT_EQ(ui.LastImage->text(), "0/0");

    // A click frames a square five times narrower; nothing more is taken
    // until JuliaGo has computed it.
    const QImage julia = ui.sfondo->image();
    setLimit(ui, "250");
    pick(100, 200);
    EXPECT_EQ(ui.JuliaZoom->text(), "25");
    EXPECT_EQ(o.zoomFrame.rect.topLeft(), QPoint(27, 127));
    EXPECT_FALSE(enabled(ui.sfondo));
    pick(300, 300);
    EXPECT_EQ(ui.JuliaZoom->text(), "25");
    click(ui.JuliaGo);
    ASSERT_EQ(keptJobs(folder).size(), 3u);
    // Centred on the click, a tenth of the width either side.
    const double x = -1.6 + 100 * 3.2 / 723, y = -1.6 + 200 * 3.2 / 723;
    EXPECT_EQ(keptJobs(folder)[2],
              (std::vector<double>{1, x - 0.32, x + 0.32, y - 0.32, y + 0.32, 250, 0, shown}));
    EXPECT_NE(ui.sfondo->image(), julia);
    pick(361, 361);
    EXPECT_EQ(ui.JuliaZoom->text(), "625");
}

TEST_F(JuliaWindow, LeavingBringsBackThePictureAndTheLimit) {
    setLimit(ui, "250");
    click(ui.View);
    const QImage picture = ui.sfondo->image();
    click(ui.Julia);
    EXPECT_EQ(ui.Iterazioni[1]->text(), "100");
    pick(482, 361);
    click(ui.JuliaGo);
    click(ui.Julia);
    EXPECT_FALSE(ui.frameJulia->isVisible());
    EXPECT_EQ(ui.sfondo->image(), picture);
    EXPECT_EQ(model.colouring().iterMax(), 250);
    EXPECT_EQ(ui.Iterazioni[0]->text(), "250");
    EXPECT_EQ(ui.Iterazioni[1]->text(), "250");
    EXPECT_EQ(ui.XXJU->text(), "0");
    EXPECT_EQ(ui.JuliaZoom->text(), "1");
    EXPECT_FALSE(model.colouring().currentForNextRun());
    EXPECT_FALSE(ui.sfondo->overlays().crossHair[0].visible);
    // The picture of the Quorvane set is back with its counts: its chart, its
    // saving and its export are offered again.
    EXPECT_TRUE(enabled(ui.Istogramma) && enabled(ui.Salva) && enabled(ui.SalvaFile));
    EXPECT_TRUE(enabled(ui.View) && enabled(ui.Julia) && enabled(ui.Griglia));
    click(ui.Istogramma);
    EXPECT_EQ(ui.sfondo->composed().pixel(250, 721), qRgb(0, 255, 0));
    click(ui.Istogramma);
}

TEST_F(JuliaWindow, AStoppedRunKeepsTheOldPictureAndItsProgressYetZoomsNext) {
    click(ui.Julia);
    pick(482, 361);
    const QImage before = ui.sfondo->image();
    const Overlays& o = ui.sfondo->overlays();
    ASSERT_TRUE(o.constantFrame.visible && o.crossHair[0].visible);
    folder.installSlowEngine();
    bool marksWhileRunning = true;
    clickWhen(ui.StopJulia, [&] {
        if (!ui.StopJulia->isEnabled() || ui.Cicli->text() == " 0%")
            return false;
        marksWhileRunning = o.constantFrame.visible || o.crossHair[0].visible;
        return true;
    });
    click(ui.JuliaGo);
    EXPECT_FALSE(marksWhileRunning);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(ui.sfondo->image(), before);
    EXPECT_EQ(model.julia().state().stage, JuliaStage::PictureShown);
    EXPECT_FALSE(enabled(ui.StopJulia));
    // The progress keeps the last value the run reached, not the stop's answer.
    EXPECT_GE(ui.Progress->value(), 1);
    EXPECT_LT(ui.Progress->value(), 100);
    EXPECT_EQ(ui.Cicli->text(), QStringLiteral(" %1%").arg(ui.Progress->value()));
    EXPECT_FALSE(folder.exists("Quor.tmp") || folder.exists("Rep.tmp"));
    pick(361, 361);
    EXPECT_EQ(ui.JuliaZoom->text(), "25");
}

TEST_F(JuliaWindow, AnEngineThatFailsLeavesTheModeReady) {
    click(ui.Julia);
    pick(482, 361);
    folder.installEngineScript("printf '  5,' > Rep.tmp\nexit 3\n");
    click(ui.JuliaGo);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].contains("interrotto"));
    EXPECT_TRUE(enabled(ui.Julia) && enabled(ui.JuliaGo));
    EXPECT_EQ(model.work(), Work::None);
}

TEST_F(JuliaWindow, ATraceEscapesAfterOneSegmentAndIsRemovedAgain) {
    click(ui.Julia);
    pick(0, 0); // c = -2 - 1.5i: the first step leaves the square
    ASSERT_EQ(ui.XXJU->text(), "-2");
    click(ui.Traccia);
    EXPECT_EQ(ui.N_Tracce->text(), "1");
    EXPECT_EQ(model.julia().state().stage, JuliaStage::TraceShown);
    // The first segment of the orbit (its pixels are checked directly) drawn
    // in white over the start view.
    OrbitTrace trace(PlanePoint{-2.0, -1.5});
    const OrbitStep step = trace.next();
    ASSERT_TRUE(step.escaped && step.line);
    QImage expected = model.history().startView()->image;
    drawTraceSegment(expected, *step.line, toQRgb(Bianco));
    EXPECT_EQ(ui.sfondo->image(), expected);
    EXPECT_FALSE(ui.sfondo->overlays().crossHair[0].visible);
    EXPECT_TRUE(enabled(ui.Traccia));
    EXPECT_FALSE(enabled(ui.Julia) || enabled(ui.JuliaGo) || enabled(ui.sfondo));

    click(ui.Traccia);
    EXPECT_EQ(ui.sfondo->image(), model.history().current().image);
    EXPECT_TRUE(ui.sfondo->overlays().crossHair[0].visible);
    EXPECT_EQ(model.julia().state().stage, JuliaStage::ConstantChosen);
    EXPECT_FALSE(enabled(ui.Traccia));
    EXPECT_TRUE(enabled(ui.Julia) && enabled(ui.JuliaGo));
}

TEST_F(JuliaWindow, ABoundedOrbitRunsUntilStop) {
    click(ui.Julia);
    pick(482, 361); // c near 0: the orbit never leaves
    clickWhen(ui.StopTraccia,
              [this] { return ui.StopTraccia->isEnabled() && ui.N_Tracce->text().toInt() > 1000; });
    click(ui.Traccia);
    EXPECT_GT(ui.N_Tracce->text().toInt(), 1000);
    EXPECT_EQ(model.work(), Work::None);
    EXPECT_FALSE(enabled(ui.StopTraccia));
    EXPECT_EQ(ui.sfondo->image().pixel(482, 361), qRgb(255, 255, 255));
}

TEST_F(JuliaWindow, ClosingTheWindowEndsARunningTrace) {
    click(ui.Julia);
    pick(482, 361);
    MainWindow* win = w.get();
    auto* closer = new QTimer(win);
    QObject::connect(closer, &QTimer::timeout, [this, win] {
        if (ui.N_Tracce->text().toInt() > 10)
            win->close();
    });
    closer->start(1);
    QTimer::singleShot(0, win, [this] { click(ui.Traccia); });
    EXPECT_TRUE(
        waitUntil([win] { return !win->isVisible() && win->explorer().work() == Work::None; }));
}

TEST_F(ItalianDesktop, TheJuliaConstantShowsACommaAndTravelsWithAPeriod) {
    AppFolder folder;
    keepJobs(folder);
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    click(ui.Julia);
    QTest::mouseClick(ui.sfondo, Qt::LeftButton, {}, at(241, 482)); // c = -1 + 0.5i
    EXPECT_EQ(ui.XXJU->text(), "-1");
    EXPECT_EQ(ui.YYJU->text(), "0,5");
    click(ui.JuliaGo);
    const auto jobs = keptJobs(folder);
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[1], (std::vector<double>{1, -1.6, 1.6, -1.6, 1.6, 100, -1, 0.5}));
}

TEST_F(JuliaWindow, JuliaPicturesExportAsNumberedFilesFromZeroAtEveryStart) {
    click(ui.Julia);
    pick(482, 361);
    click(ui.JuliaGo);
    platform.answers = {false, true};
    click(ui.SalvaJulia); // No: nothing written, the number kept
    EXPECT_FALSE(folder.exists("Immagini/Julia0.bmp"));
    EXPECT_TRUE(enabled(ui.SalvaJulia));
    click(ui.SalvaJulia);
    EXPECT_EQ(platform.questions.size(), 2);
    EXPECT_EQ(platform.questions[1], juliaExportQuestion(0));
    EXPECT_EQ(QFileInfo(folder.file("Immagini/Julia0.bmp")).size(), 1572582);
    EXPECT_FALSE(enabled(ui.SalvaJulia));

    // The next Julia run: a trace is drawn into the picture and exported with it.
    pick(361, 361);
    click(ui.JuliaGo);
    platform.answers = {true};
    click(ui.SalvaJulia);
    EXPECT_TRUE(folder.exists("Immagini/Julia1.bmp"));
    EXPECT_EQ(model.julia().filesExported(), 2);

    // A new start numbers from 0 again and replaces Julia0.bmp.
    w.reset();
    FakePlatform again;
    auto w2 = startWindow(folder, again);
    const Controls& ui2 = w2->controls();
    click(ui2.Julia);
    QTest::mouseClick(ui2.sfondo, Qt::LeftButton, {}, at(0, 0));
    click(ui2.JuliaGo);
    click(ui2.Traccia); // escapes at once: the start view and one segment
    const QImage traced = ui2.sfondo->image();
    ASSERT_NE(traced, w2->explorer().history().startView()->image);
    again.answers = {true};
    click(ui2.SalvaJulia);
    EXPECT_EQ(again.questions.size(), 1);
    EXPECT_TRUE(again.questions[0].contains("Julia0.bmp"));
    QImage written;
    ASSERT_TRUE(written.load(folder.file("Immagini/Julia0.bmp"), "BMP"));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), traced);
}
