// The picture history alone: the picture on the screen, the stored start
// view, the table of the last run, and browsing the recent pictures.
#include "model/history.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

View viewOf(const char* name) {
    return View::of(AreaName::from(name).value());
}

// A run of the view name painted in a colour of its own.
void run(PictureHistory& h, const char* name, bool startView = false) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(name[0], 0, 0));
    const Painting painted{image, std::make_shared<Frequencies>(), std::make_shared<Palette>(),
                           250};
    h.completeRun(painted, viewOf(name), std::vector<std::int16_t>(4, 1), startView);
}

} // namespace

TEST(PictureHistory, RunsAreKeptAndTheStartViewStoredOnce) {
    PictureHistory h;
    EXPECT_FALSE(h.current().computed());
    EXPECT_FALSE(h.startView());
    EXPECT_FALSE(h.startBrowsing());

    run(h, "Z", true);
    const Picture z = h.current();
    EXPECT_EQ(h.startView()->id, z.id);
    EXPECT_EQ(z.view, viewOf("Z"));
    EXPECT_TRUE(h.currentHasTable());
    run(h, "M");
    EXPECT_EQ(h.startView()->id, z.id);
    EXPECT_EQ(h.olderCount(), 1);

    // A blank screen: no table to chart, and both pictures to step back to.
    h.show(Picture::blank(viewOf("K"), 100));
    h.push();
    EXPECT_FALSE(h.currentHasTable());
    EXPECT_EQ(h.recent().all().size(), 2u);
    EXPECT_EQ(h.olderCount(), 2);
}

TEST(PictureHistory, BrowsingStepsWithinTheRecentPictures) {
    PictureHistory h;
    for (const char* name : {"Z", "M", "K"})
        run(h, name);
    const int current = h.current().id;
    ASSERT_TRUE(h.startBrowsing());
    EXPECT_EQ(h.browseCount(), 2);
    // Position by position, with the name shown, and never past either end.
    const std::pair<int, const char*> steps[] = {{1, "Z"}, {1, "Z"}, {0, "M"}, {0, "K"}, {0, "K"}};
    EXPECT_EQ(h.browsed().name(), "M");
    for (const auto& [index, name] : steps) {
        h.step(index);
        EXPECT_EQ(h.browsed().name(), name) << index;
    }
    EXPECT_EQ(h.browsePosition(), 0);
    h.step(1);
    h.endBrowsing();
    EXPECT_EQ(h.browsePosition(), 0);
    EXPECT_EQ(h.browsed().id, current);
}
