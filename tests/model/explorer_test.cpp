// The façade with a stand-in engine: the recent pictures, one run at a time,
// commands not offered doing nothing, notices only once the change is
// announced, and pictures that carry what computes them again.
#include "domain/painting.h"
#include "model/explorer.h"
#include "standinengine.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <tuple>

using namespace quorvane;
using quorvane::testing::StandInEngine;

namespace {

Picture computed(int id, const char* name) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(qRgb(id, 0, 0));
    return Picture{image, id, View::of(AreaName::from(name).value()), {}, 100, nullptr};
}

auto fields(const EngineJob& job) {
    const auto& j = std::get<quor::Job>(job);
    return std::tuple(j.tipo, j.xa, j.xb, j.ya, j.yb, j.nmax, j.xj, j.yj);
}

QStringList names(const std::vector<Picture>& pictures) {
    QStringList result;
    for (const Picture& p : pictures)
        result << p.name();
    return result;
}

// The explorer started on the start view with a stand-in engine.
class Started : public ::testing::Test {
  protected:
    Started() {
        model.useEngine(engine);
        model.buildRamp();
        model.loadLibrary(QString(), false, QString());
    }
    // Runs what is offered and waits for its end.
    bool settle() {
        QSignalSpy ended(&engine, &Engine::finished);
        return model.work() == Work::None || ended.wait(5000);
    }

    StandInEngine engine;
    Explorer model;
};

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
    EXPECT_EQ(recent.all().back().name(), "M");
}

TEST_F(Started, OneRunAtATimeAndNothingOfferedBeforeTheStartOrByAnEmptyLibrary) {
    EXPECT_TRUE(model.commands().enabled().isEmpty());
    // Commands that are not offered change nothing, whoever calls them.
    model.runView();
    model.toggleGrid();
    EXPECT_TRUE(engine.jobs.empty());
    EXPECT_EQ(model.mode(), MainMode::Starting);

    model.activate();
    EXPECT_EQ(model.work(), Work::ViewRun);
    // A second run asked for meanwhile starts no second engine.
    model.runView();
    model.toggleJulia();
    ASSERT_TRUE(settle());
    EXPECT_EQ(engine.jobs.size(), 1u);
    EXPECT_TRUE(model.history().startView());
    EXPECT_EQ(model.mode(), MainMode::Ready);

    const View before = model.navigator().view();
    model.stepPlace(1);
    model.activatePlace();
    model.deletePlace();
    model.browse(1); // nothing was computed before the start view
    EXPECT_EQ(model.mode(), MainMode::Ready);
    EXPECT_EQ(model.navigator().view(), before);
    EXPECT_EQ(model.library().places().UltimoLuogo(), -1);
    EXPECT_FALSE(model.commands().Carica || model.commands().SelImage[1]);
}

// What the user is told comes after the change is announced, over a state
// that has settled: a failed run is over, a refused letter changed nothing.
TEST_F(Started, NoticesFollowTheAnnouncedChange) {
    model.activate();
    ASSERT_TRUE(settle());
    QStringList heard;
    QObject::connect(&model, &Explorer::changed, [&] { heard << "changed"; });
    QObject::connect(&model, &Explorer::beep, [&] { heard << "beep"; });
    QObject::connect(&model, &Explorer::notice, [&](const QString& text) {
        heard << text;
        EXPECT_EQ(model.work(), Work::None);
    });

    engine.held = true;
    model.runView();
    heard.clear();
    engine.fail("guasto");
    ASSERT_TRUE(settle());
    EXPECT_EQ(heard.join('|').toStdString(), "changed|guasto");

    heard.clear();
    model.toggleGrid();
    model.moveGrid(0);
    model.confirmSelection(); // a shift without a letter is no selection
    EXPECT_EQ(heard.join('|').toStdString(), "changed|changed|changed|Selezionare un riquadro!");
}

TEST_F(Started, APictureCarriesWhatComputesItAgain) {
    model.activate();
    ASSERT_TRUE(settle());
    model.toggleGrid();
    model.chooseLetter(12);
    model.confirmSelection();
    model.setIterations("250");
    model.runView();
    ASSERT_TRUE(settle());
    const Picture& picture = model.history().current();
    EXPECT_EQ(picture.name(), "M");
    EXPECT_EQ(picture.view, model.navigator().view());
    EXPECT_EQ(picture.iterations, 250);
    EXPECT_EQ(fields(picture.job()), fields(engine.jobs.back()));
    const std::vector<std::int16_t>& counts = model.history().table().counts;
    EXPECT_EQ(paintCounts(counts, *picture.palette, 250), picture.image);

    // A later palette is a new one: the picture's own stays as it was.
    const Palette before = *picture.palette;
    model.setAutomatic(true);
    model.runView();
    ASSERT_TRUE(settle());
    EXPECT_NE(model.history().current().palette, model.history().recent().all().at(1).palette);
    EXPECT_EQ(*model.history().recent().all().at(1).palette, before);

    // So does a Julia picture, with its constant and its view.
    model.toggleJulia();
    model.pressAt(300, 200);
    model.releaseAt(300, 200);
    model.runJulia();
    ASSERT_TRUE(settle());
    const auto& julia = model.julia().state().picture;
    ASSERT_TRUE(julia && julia->julia);
    EXPECT_EQ(fields(julia->job()), fields(engine.jobs.back()));
    EXPECT_EQ(std::get<quor::Job>(julia->job()).tipo, quor::Julia);
    EXPECT_EQ(julia->iterations, 100);
    EXPECT_EQ(julia->julia->constant, model.julia().state().constant);
}
