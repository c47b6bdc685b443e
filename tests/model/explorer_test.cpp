// The explorer's state without any widget: the recent pictures, one run
// at a time, the view a run gives, and commands not offered doing nothing.
#include "countingstarter.h"
#include "io/engineclient.h"
#include "model/explorer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::testing::CountingStarter;

namespace {

Picture computed(int id, const char* name) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(qRgb(id, 0, 0));
    return Picture{image, id, name, 100};
}

QStringList names(const std::vector<Picture>& pictures) {
    QStringList result;
    for (const Picture& p : pictures)
        result << p.name;
    return result;
}

} // namespace

TEST(RecentPictures, KeepOnlyComputedPicturesOnceEachNewestFirst) {
    RecentPictures recent;
    recent.push(Picture{}); // blank
    EXPECT_TRUE(recent.all().empty());
    recent.push(computed(1, "Z"));
    recent.push(computed(1, "Z")); // already the newest
    recent.push(computed(2, "M"));
    EXPECT_EQ(names(recent.older(2)), QStringList{"Z"});        // M is on the screen
    EXPECT_EQ(names(recent.older(0)), QStringList({"M", "Z"})); // a blank screen
    EXPECT_EQ(names(recent.older(1)), QStringList({"M", "Z"})); // an older one recalled
    for (int id = 3; id <= 12; ++id)
        recent.push(computed(id, "A"));
    // Ten to step back to from the newest; the oldest dropped out.
    EXPECT_EQ(recent.all().size(), 11u);
    EXPECT_EQ(recent.older(12).size(), 10u);
    EXPECT_EQ(recent.older(0).size(), 10u);
    EXPECT_EQ(recent.all().back().name, "M");
}

TEST(PendingView, TheRunGivesTheNameLimitsAndZoomPrepared) {
    const View shown{"gM", {0, 1, 2, 3}, 25};
    PendingView next;
    next.limits = {4, 5, 6, 7};
    const std::pair<ZoomStep, double> steps[] = {{ZoomStep::StartView, 1},
                                                 {ZoomStep::OneLetter, 625},
                                                 {ZoomStep::TwoLetters, 15625},
                                                 {ZoomStep::Kept, 25}};
    next.fragment = "hK";
    for (const auto& [step, zoom] : steps) {
        next.step = step;
        EXPECT_EQ(next.target(shown), (View{"gMhK", next.limits, zoom}));
    }
    next.fragment.clear();
    EXPECT_EQ(next.target(View{}).name, "Z");
    next.fragment = "K";
    EXPECT_EQ(next.target(View{}).name, "K");
}

namespace {

bool waitForIdle(const Explorer& model) {
    QElapsedTimer timer;
    timer.start();
    while (model.work() != Work::None && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return model.work() == Work::None;
}

} // namespace

TEST(Explorer, OneRunAtATimeAndNothingOfferedBeforeTheStartOrByAnEmptyLibrary) {
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORC_PATH), folder.filePath("QuorC")));
    CountingStarter starter;
    EngineClient engine(starter, folder.path(), folder.filePath("QuorC"));
    Explorer model;
    model.useEngine(engine);
    EXPECT_TRUE(model.commands().enabled().isEmpty());
    model.buildRamp();
    model.loadLibrary(folder.path(), false, folder.path());
    // Commands that are not offered change nothing, whoever calls them.
    model.runView();
    model.toggleGrid();
    EXPECT_EQ(starter.starts, 0);
    EXPECT_EQ(model.mode(), MainMode::Starting);

    model.activate();
    EXPECT_EQ(model.work(), Work::ViewRun);
    // A second run asked for meanwhile starts no second engine.
    model.runView();
    model.toggleJulia();
    ASSERT_TRUE(waitForIdle(model));
    EXPECT_EQ(starter.starts, 1);
    EXPECT_TRUE(model.startViewStored());
    EXPECT_EQ(model.mode(), MainMode::Ready);

    const View before = model.view();
    model.stepPlace(1);
    model.activatePlace();
    model.deletePlace();
    model.browse(1); // nothing was computed before the start view
    EXPECT_EQ(model.mode(), MainMode::Ready);
    EXPECT_EQ(model.view(), before);
    EXPECT_EQ(model.places().UltimoLuogo(), -1);
    EXPECT_FALSE(model.commands().Carica || model.commands().SelImage[1]);
}
