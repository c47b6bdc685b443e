// The runner alone, with a stand-in engine: the progress shown, and the end
// heard while the painting is under way.
#include "domain/limits.h"
#include "model/runner.h"
#include "standinengine.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::testing::StandInEngine;

TEST(Runner, ShowsTheProgressAndHandsOnTheEndBeforeThePaintingIsOver) {
    StandInEngine engine;
    Runner runner;
    EXPECT_FALSE(runner.ready());
    runner.use(engine);
    QStringList heard;
    QObject::connect(&runner, &Runner::painting, [&](bool on) { heard << (on ? "on" : "off"); });
    QObject::connect(&runner, &Runner::ended, [&](const EngineResult& result) {
        heard << (result.status == RunStatus::Complete ? "complete" : "other");
    });
    QSignalSpy ended(&runner, &Runner::ended);
    runner.start(viewJob(quor::Quorvane, StartView, 100));
    EXPECT_EQ(runner.progress(), 0u);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(runner.progress(), 724u);
    EXPECT_EQ(heard.join(' ').toStdString(), "on complete off");
    runner.clearProgress();
    EXPECT_FALSE(runner.progress());
}
