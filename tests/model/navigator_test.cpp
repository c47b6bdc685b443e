// The navigator alone: the views it derives from names and selections, the
// view a run gives, and the job it makes.
#include "domain/exactview.h"
#include "domain/thumbnails.h"
#include "model/navigator.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

AreaName named(const QString& name) {
    return AreaName::from(name).value();
}

QImage filled(QRgb colour) {
    QImage image(724, 724, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(PendingView, TheRunGivesTheNameLimitsAndZoomPrepared) {
    const View shown{named("gM"), {0, 1, 2, 3}, 25};
    PendingView next;
    next.name = named("gMhK");
    next.limits = {4, 5, 6, 7};
    const std::pair<ZoomStep, double> steps[] = {{ZoomStep::StartView, 1},
                                                 {ZoomStep::OneLetter, 625},
                                                 {ZoomStep::TwoLetters, 15625},
                                                 {ZoomStep::Kept, 25}};
    for (const auto& [step, zoom] : steps) {
        next.step = step;
        EXPECT_EQ(next.target(shown), (View{named("gMhK"), next.limits, zoom}));
    }
}

TEST(Navigator, ASelectionIsPreparedThenComputedUnderItsName) {
    const QImage blank = blankThumbnail();
    Navigator n(blank);
    n.startOver(filled(qRgb(1, 2, 3)));
    EXPECT_EQ(n.view(), View{});
    EXPECT_EQ(n.pending().step, ZoomStep::StartView);

    n.startSelection();
    ASSERT_TRUE(n.chooseLetter(12));
    ASSERT_TRUE(n.chooseLetter(10));
    ASSERT_EQ(n.confirmation(), Confirmation::Select);
    ASSERT_TRUE(n.select(filled(qRgb(9, 9, 9))));
    const PendingView& next = n.pending();
    EXPECT_EQ(next.name, named("MK"));
    EXPECT_EQ(next.limits, nextRunLimits(StartView, 12, 10, {}));
    EXPECT_EQ(next.frame, QRect(289, 347, 30, 30));
    EXPECT_TRUE(next.subCell);
    EXPECT_EQ(n.view(), View{}); // nothing shown changes before the run

    const auto job = std::get<quor::Job>(n.job(250));
    EXPECT_EQ(job.tipo, quor::Quorvane);
    EXPECT_EQ(job.nmax, 250);
    EXPECT_EQ((Limits{job.xa, job.xb, job.ya, job.yb}), next.limits);

    const View done = n.completeRun();
    EXPECT_EQ(done, (View{named("MK"), nextRunLimits(StartView, 12, 10, {}), 625}));
    EXPECT_EQ(n.view(), done);
    // Pressing View again computes the same view, with no further zoom.
    EXPECT_EQ(n.pending().target(done), done);
}

TEST(Navigator, NamesAreDescribedAtOnceAndGoingBackShortensTheName) {
    const QImage blank = blankThumbnail();
    Navigator n(blank);
    const QImage icon = filled(qRgb(4, 5, 6));
    n.describe(named("MFFSSKJHB"), Origin::Place, icon);
    EXPECT_EQ(n.view(), View::of(named("MFFSSKJHB")));
    EXPECT_EQ(n.pending().limits, n.view().limits);
    EXPECT_EQ(n.pending().step, ZoomStep::Kept);
    EXPECT_EQ(n.pending().thumbnail, icon);

    n.startSelection();
    for (int i = 0; i < 3; ++i)
        n.cutOne();
    ASSERT_EQ(n.confirmation(), Confirmation::GoBack);
    n.goBack();
    EXPECT_EQ(n.view(), View::of(named("MFFSSK")));
    EXPECT_EQ(n.pending().origin, Origin::GoingBack);
    EXPECT_EQ(n.pending().thumbnail, blank);
    EXPECT_EQ(n.pending().target(n.view()), n.view());

    // Past 38 letters a letter is refused and the selection stays.
    n.describe(named(QByteArray(37, 'M')), Origin::Place, icon);
    n.startSelection();
    ASSERT_TRUE(n.chooseLetter(12));
    const GridSelection before = n.selection();
    EXPECT_FALSE(n.chooseLetter(24));
    EXPECT_EQ(n.selection(), before);
}

TEST(Navigator, ASelectionOnADeepViewIsComputedFromItsNameExactly) {
    Navigator n(blankThumbnail());
    n.describe(named("MFFSSKJHBMMMMMMMMM"), Origin::Place, filled(qRgb(4, 5, 6)));
    ASSERT_TRUE(n.view().deep);
    ASSERT_TRUE(std::holds_alternative<quor::DeepJob>(n.job(1000)));

    n.startSelection();
    ASSERT_TRUE(n.chooseLetter(12));
    ASSERT_TRUE(n.chooseLetter(24));
    ASSERT_TRUE(n.select(filled(qRgb(9, 9, 9))));
    const AreaName name = named("MFFSSKJHBMMMMMMMMMMY");
    EXPECT_TRUE(n.pending().deep);
    // The limits come from the appended name, not from the picture's doubles.
    const auto job = std::get<quor::DeepJob>(n.job(1000));
    EXPECT_EQ(job.limits, deepLimits(exactLimits(name)));
    EXPECT_EQ(job.nmax, 1000u);

    const View done = n.completeRun();
    EXPECT_EQ(done.name, name);
    EXPECT_EQ(done.limits, View::of(name).limits);
    EXPECT_TRUE(done.deep);
    EXPECT_EQ(std::get<quor::DeepJob>(n.job(1000)).limits, job.limits);
}
