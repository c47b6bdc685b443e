// The picture history alone: the picture on the screen, the stored start
// view, the table of the last run, and browsing the recent pictures.
#include "model/history.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

Picture computed(const char* name) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(qRgb(name[0], 0, 0));
    return Picture{image, newPictureId(), View::of(AreaName::from(name).value()), {}, 100, nullptr};
}

RunTable tableOf(const Picture& picture) {
    return {std::vector<std::int16_t>(4, 1), std::make_shared<Frequencies>(), picture.id, 100};
}

} // namespace

TEST(PictureHistory, RunsAreKeptAndTheStartViewStoredOnce) {
    PictureHistory h;
    EXPECT_FALSE(h.current().computed());
    EXPECT_FALSE(h.startView());
    EXPECT_FALSE(h.startBrowsing());

    const Picture z = computed("Z"), m = computed("M");
    h.completeRun(tableOf(z), z, true);
    EXPECT_EQ(h.startView()->id, z.id);
    EXPECT_TRUE(h.currentHasTable());
    h.completeRun(tableOf(m), m, false);
    EXPECT_EQ(h.startView()->id, z.id);
    EXPECT_EQ(h.current().id, m.id);
    EXPECT_EQ(h.olderCount(), 1);

    // A blank screen: no table to chart, and both pictures to step back to.
    h.show(Picture::blank(View::of(AreaName::from("K").value()), 100));
    h.push();
    EXPECT_FALSE(h.currentHasTable());
    EXPECT_EQ(h.recent().all().size(), 2u);
    EXPECT_EQ(h.olderCount(), 2);
}

TEST(PictureHistory, BrowsingStepsWithinTheRecentPictures) {
    PictureHistory h;
    const Picture z = computed("Z"), m = computed("M"), k = computed("K");
    for (const Picture& p : {z, m, k})
        h.completeRun(tableOf(p), p, false);
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
    EXPECT_EQ(h.browsed().id, k.id);
}
