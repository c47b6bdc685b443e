#include "domain/palette.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

namespace quorvane {
namespace {

// fillPalette over a ramp whose entry i is i, so a palette entry names its ramp index.
struct PaletteRun {
    std::unique_ptr<Frequencies> f = std::make_unique<Frequencies>(); // all zero
    std::unique_ptr<Palette> palette = std::make_unique<Palette>();
    Ramp rampa{};
    PaletteRun() { std::iota(rampa.begin(), rampa.end(), Colore(0)); }
    PaletteRun& run(bool automatic, int n) {
        palette->fill(0xDEADBEEF);
        fillPalette(automatic, n, *f, rampa, *palette);
        return *this;
    }
    int at(int count) const { return int((*palette)[std::size_t(count)]); }
};

TEST(Ramp, LegsRunFromGreenToNearlyWhiteAndAreHandedOutInBuildingOrder) {
    std::vector<std::pair<int, Colore>> calls;
    const Ramp r = rampColours(rgb(12, 34, 56), [&](int m, Colore c) { calls.emplace_back(m, c); });
    const std::pair<int, Colore> ends[] = {
        {0, rgb(0, 255, 0)},      {1, rgb(0, 255, 0)},        {256, rgb(0, 255, 255)},
        {511, rgb(0, 0, 255)},    {766, rgb(255, 0, 255)},    {1021, rgb(255, 0, 0)},
        {1276, rgb(255, 255, 0)}, {1530, rgb(255, 255, 254)}, {1531, rgb(12, 34, 56)}};
    for (const auto& [i, want] : ends)
        EXPECT_EQ(r[std::size_t(i)], want) << "index " << i;
    for (std::size_t i = 2; i <= 1530; ++i) { // one component moves by one a step

        const auto moved = [&](int (*of)(Colore)) { return std::abs(of(r[i]) - of(r[i - 1])); };
        ASSERT_EQ(moved(redOf) + moved(greenOf) + moved(blueOf), 1) << "index " << i;
    }
    ASSERT_EQ(calls.size(), std::size_t(RampSize));
    for (int i = 0; i < RampSize; ++i) {
        const int m = i == 0 ? 0 : i == 1531 ? 1531 : 1531 - i; // 0, 1530 down to 1, 1531
        ASSERT_EQ(calls[std::size_t(i)], std::make_pair(m, r[std::size_t(m)])) << "call " << i;
    }
}

TEST(Palette, LinearSamplesOrStretchesTheRampAlsoForAFlatAutomaticPicture) {
    // N, count, ramp index; the picture is flat: only counts 0 and 32767 (N or beyond) occur.
    const std::array<int, 3> cases[] = {
        {100, 1, 15},   {100, 50, 772}, {100, 99, 1530}, {20, 1, 80},    {20, 10, 805},
        {20, 19, 1530}, {32767, 22, 1}, {32767, 23, 2},  {32767, 44, 3}, {32767, 32766, 1530}};
    PaletteRun p;
    (*p.f)[0] = 5000, (*p.f)[32767] = 9000;
    for (const bool automatic : {false, true}) {
        for (const auto& [n, count, index] : cases)
            EXPECT_EQ(p.run(automatic, n).at(count), index) << "N " << n << " count " << count;
        p.run(automatic, 3061); // exactly two counts per ramp colour
        for (int c = 1; c <= 3060; ++c)
            ASSERT_EQ(p.at(c), (c + 1) / 2) << "count " << c << " " << automatic;
    }
}

TEST(Palette, AutomaticFollowsTheDistribution) {
    // Worked by hand: N = 20, samples at 3 (4), 5 (2), 6 (2), 8 (4); 0 and N take no part.
    // 1, 2 empty-before; bands = min(1528, 6) = 6; total 12; share 12/5 -> class 1 = {3};
    // 8/4 -> 2 = {4, 5}; 6/3 -> 3 = {6}; 4/2 -> 4 = {7, 8}; 9..19 empty-after. Changes at
    // 1, 3, 4, 6, 7, 9 -> runs 7, step 218; the colour moves on the count after a change.
    // One count alone is one class: 10 in N = 20 changes at 1, 10, 11 -> runs 4, step 382;
    // at either end runs 3, step 510. Rows: N, {count, samples}, {up to count, index}.
    using Pairs = std::vector<std::pair<int, int>>;
    const std::tuple<int, Pairs, Pairs> cases[] = {
        {20,
         {{0, 1000}, {3, 4}, {5, 2}, {6, 2}, {8, 4}, {20, 3000}},
         {{1, 218}, {3, 436}, {4, 654}, {6, 872}, {7, 1090}, {9, 1308}, {19, 1526}}},
        {20, {{10, 7}}, {{1, 382}, {10, 764}, {11, 1146}, {19, 1528}}},
        {20, {{1, 7}}, {{1, 510}, {2, 1020}, {19, 1530}}},
        {32767, {{32766, 7}}, {{1, 510}, {32766, 1020}}}};
    for (const auto& [n, samples, runs] : cases) {
        PaletteRun p;
        for (const auto& [count, m] : samples)
            (*p.f)[std::size_t(count)] = m;
        p.run(true, n);
        int k = 1;
        for (const auto& [last, index] : runs)
            for (; k <= last; ++k)
                ASSERT_EQ(p.at(k), index) << "N " << n << " count " << k;
    }
}

TEST(Palette, EveryPaletteRunsFromGreenToNero) {
    // 0 takes Ramp(0), green, N Ramp(1531), nero, the counts between ramp colours that
    // never go back; for negative and huge frequencies, and a limit held to 20..32767.
    PaletteRun p;
    for (int k = 0; k < MaxCounts; ++k)
        (*p.f)[std::size_t(k)] = (k % 3 == 0) ? -1000000 : 2147483647;
    const std::pair<int, int> limits[] = {{3, 20}, {100, 100}, {3061, 3061}, {40000, 32767}};
    for (const auto& [given, n] : limits)
        for (const bool automatic : {false, true}) {
            p.run(automatic, given);
            EXPECT_EQ(std::make_pair(p.at(0), p.at(n)), std::make_pair(0, 1531)) << given;
            for (int k = 1; k < n; ++k)
                ASSERT_TRUE(p.at(k) >= (k == 1 ? 1 : p.at(k - 1)) && p.at(k) <= 1530) << k;
        }
}

} // namespace
} // namespace quorvane
