// The colouring alone: the palette rebuilt at the events that change its
// basis and kept otherwise, the limit announced whenever it is set, and
// palettes that never change once a picture holds them.
#include "model/colouring.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace quorvane;

namespace {

std::unique_ptr<Frequencies> counts(std::initializer_list<std::pair<int, int>> occurring) {
    auto f = std::make_unique<Frequencies>();
    f->fill(0);
    for (auto [count, samples] : occurring)
        (*f)[std::size_t(count)] = samples;
    return f;
}

} // namespace

TEST(Colouring, ThePaletteIsRebuiltOnlyWhenItsBasisChanges) {
    Colouring c;
    c.buildRamp();
    const auto some = counts({{1, 10}, {5, 200}, {40, 3}});
    const auto other = counts({{2, 50}, {90, 7}});
    c.setAutomatic(true);
    const auto first = c.paletteFor(*some);
    Palette automatic{};
    fillPalette(true, 100, *some, c.ramp(), automatic);
    EXPECT_EQ(*first, automatic);
    // An automatic palette is kept for the next picture, whatever it holds.
    EXPECT_TRUE(c.currentForNextRun());
    EXPECT_EQ(c.paletteFor(*other), first);

    const struct {
        const char* event;
        std::function<void()> happen;
        bool rebuilt;
    } events[] = {
        {"the same limit set again", [&] { c.setLimit(c.iterMax()); }, true},
        {"the colouring chosen", [&] { c.setAutomatic(c.automatic()); }, true},
        {"a view chosen", [&] { c.viewChosen(); }, true},
        {"a place activated", [&] { c.takePlace(250, true); }, true},
        {"nothing", [] {}, false},
    };
    for (const auto& e : events) {
        const auto before = c.paletteFor(*some);
        e.happen();
        EXPECT_EQ(c.currentForNextRun(), !e.rebuilt) << e.event;
        const auto after = c.paletteFor(*other);
        EXPECT_EQ(after != before, e.rebuilt) << e.event;
        EXPECT_TRUE(c.currentForNextRun()) << e.event;
    }
    Palette expected{};
    fillPalette(true, 250, *other, c.ramp(), expected);
    EXPECT_EQ(*c.palette(), expected);
}

TEST(Colouring, TheStartViewsColouringIsBuiltAtOnceAndEveryLimitSetIsAnnounced) {
    Colouring c;
    c.buildRamp();
    QSignalSpy limitSet(&c, &Colouring::limitSet);
    c.setAutomatic(true);
    c.setLimit(3000);
    c.takePlace(250, true);
    EXPECT_EQ(limitSet.count(), 2);
    const auto held = c.paletteFor(*counts({{1, 1}, {2, 2}}));
    const Palette heldColours = *held;

    c.restart(*counts({{7, 7}}));
    EXPECT_EQ(limitSet.count(), 3);
    EXPECT_EQ(c.iterMax(), 100);
    EXPECT_FALSE(c.automatic());
    EXPECT_TRUE(c.currentForNextRun());
    Palette linear{};
    fillPalette(false, 100, *counts({}), c.ramp(), linear);
    EXPECT_EQ(*c.palette(), linear);
    // Whoever held the earlier palette still holds it as it was.
    EXPECT_EQ(*held, heldColours);
}
