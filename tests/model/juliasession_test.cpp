// The Julia session alone: from a constant to a zoomed view, and the orbit
// traced on the timer until it is stopped or leaves the square.
#include "domain/numbertext.h"
#include "domain/thumbnails.h"
#include "model/juliasession.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QImage black() {
    return Picture::blank({}, 0).image;
}

} // namespace

TEST(JuliaSession, FromAConstantToAZoomedView) {
    const QImage blank = blankThumbnail();
    JuliaSession j(blank);
    j.enter(250);
    j.pick({-0.75, 0.1});
    EXPECT_EQ(j.state().constant, readConstant(numberText(-0.75), numberText(0.1)));
    EXPECT_EQ(j.release(100, 120, black()), JuliaSession::Release::ConstantChosen);
    EXPECT_EQ(j.state().marks, constantMarks(100, 120));
    EXPECT_EQ(j.release(10, 10, black()), JuliaSession::Release::Nothing);
    const quor::Job job = j.job(100);
    EXPECT_EQ((Limits{job.xa, job.xb, job.ya, job.yb}), JuliaView{}.limits);
    EXPECT_EQ(job.xj, j.state().constant.x);

    j.runEnded(std::nullopt, View{}); // stopped: a click zooms all the same
    EXPECT_EQ(j.state().stage, JuliaStage::PictureShown);
    EXPECT_FALSE(j.state().traceAvailable);
    EXPECT_FALSE(j.screen());
    QImage shown = black();
    shown.setPixel(362, 362, qRgb(255, 0, 0));
    const Painting painted{shown, nullptr, std::make_shared<Palette>(), 250};
    j.runEnded(painted, View::of(AreaName::from("M").value()));
    ASSERT_TRUE(j.state().picture);
    EXPECT_EQ(j.state().picture->julia, (JuliaSubject{JuliaView{}, j.state().constant}));
    EXPECT_EQ(*j.screen(), shown);
    EXPECT_EQ(j.release(362, 362, shown), JuliaSession::Release::Zoomed);
    EXPECT_EQ(j.state().view, zoomedJuliaView(JuliaView{}, 362, 362));
    EXPECT_EQ(j.state().stage, JuliaStage::ZoomPending);
    EXPECT_EQ(j.thumbnail(), zoomThumbnail(shown, 362, 362));

    // Zooming on, the doubles run out: the view stays where it was.
    JuliaSession::Release last = JuliaSession::Release::Zoomed;
    for (int i = 0; i < 40 && last == JuliaSession::Release::Zoomed; ++i) {
        j.runEnded(std::nullopt, View{});
        last = j.release(100, 100, shown);
    }
    EXPECT_EQ(last, JuliaSession::Release::ZoomRefused);
    EXPECT_EQ(j.state().stage, JuliaStage::PictureShown);
    EXPECT_EQ(j.leave(), 250);
    EXPECT_EQ(j.state().view, JuliaView{});
}

TEST(JuliaSession, AnOrbitIsTracedUntilStoppedOrOutsideTheSquare) {
    JuliaSession j;
    QSignalSpy steps(&j, &JuliaSession::traceStepped);
    QSignalSpy painted(&j, &JuliaSession::screenPainted);
    QSignalSpy ended(&j, &JuliaSession::traceEnded);
    // The constant shown, or a deep picture's exact point, which the trace
    // follows instead.
    const std::pair<double, std::optional<ExactPoint>> cases[] = {
        {0.0, std::nullopt}, {1.0, std::nullopt}, {0.0, ExactPoint{1, 0, 64}}};
    int ends = 0;
    for (const auto& [c, exact] : cases) {
        j.enter(100);
        j.pick({c, 0}, exact);
        j.release(0, 0, black());
        j.startTrace(black(), 100);
        EXPECT_TRUE(j.tracing());
        EXPECT_EQ(j.state().stage, JuliaStage::TraceShown);
        if ((exact ? exact->x.get_d() : c) == 0.0) {
            // The orbit of 0 never leaves: only Stop ends it.
            ASSERT_TRUE(steps.wait(5000));
            EXPECT_TRUE(ended.isEmpty());
            j.stopTrace();
        } else {
            // 1, 2, 5: out of the square at the second step.
            ASSERT_TRUE(ended.wait(5000));
            EXPECT_EQ(j.state().traceSteps, 2u);
            EXPECT_FALSE(painted.isEmpty());
        }
        EXPECT_EQ(ended.count(), ++ends);
        EXPECT_FALSE(j.tracing());
        EXPECT_TRUE(j.state().trace); // the trace stays on the screen
        j.removeTrace();
        EXPECT_EQ(j.state().stage, JuliaStage::ConstantChosen);
        EXPECT_FALSE(j.state().trace);
    }
}
