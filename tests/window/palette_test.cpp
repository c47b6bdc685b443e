#include "window/palette.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace quorvane {
namespace {

// A ramp whose colour at index i is the value i, so that a palette entry names
// the ramp index it was taken from.
Rampa indexRamp() {
    Rampa r{};
    for (int i = 0; i < RampSize; ++i)
        r[std::size_t(i)] = Colore(i);
    return r;
}

// Palettes are large; keep them off the stack.
struct PaletteRun {
    std::unique_ptr<Frequenze> frequenze = std::make_unique<Frequenze>();
    std::unique_ptr<ColoreIter> palette = std::make_unique<ColoreIter>();
    Rampa rampa = indexRamp();

    PaletteRun() {
        frequenze->fill(0);
        palette->fill(0xDEADBEEF);
    }
    void run(bool automatic, int n) { Colora(automatic, n, *frequenze, rampa, *palette); }
    int at(int count) const { return int((*palette)[std::size_t(count)]); }
};

TEST(CreaRampa, LegsRunFromGreenToNearlyWhite) {
    const Rampa r = CreaRampa(rgb(0, 0, 0));

    EXPECT_EQ(r[0], rgb(0, 255, 0));
    EXPECT_EQ(r[1530], rgb(255, 255, 254));
    EXPECT_EQ(r[1276], rgb(255, 255, 0)); // yellow
    EXPECT_EQ(r[1275], rgb(255, 254, 0));
    EXPECT_EQ(r[1021], rgb(255, 0, 0)); // red
    EXPECT_EQ(r[1020], rgb(255, 0, 1));
    EXPECT_EQ(r[766], rgb(255, 0, 255)); // magenta
    EXPECT_EQ(r[765], rgb(254, 0, 255));
    EXPECT_EQ(r[511], rgb(0, 0, 255)); // blue
    EXPECT_EQ(r[510], rgb(0, 1, 255));
    EXPECT_EQ(r[256], rgb(0, 255, 255)); // cyan
    EXPECT_EQ(r[255], rgb(0, 255, 254));
    EXPECT_EQ(r[1], rgb(0, 255, 0)); // green again at the foot of the last leg
    EXPECT_EQ(r[1531], rgb(0, 0, 0));

    // Every entry of each leg, from the leg table: one component moves by one a step.
    for (int i = 1; i <= 1530; ++i) {
        Colore want = 0;
        if (i >= 1276)
            want = rgb(255, 255, i - 1276);
        else if (i >= 1021)
            want = rgb(255, i - 1021, 0);
        else if (i >= 766)
            want = rgb(255, 0, 1021 - i);
        else if (i >= 511)
            want = rgb(i - 511, 0, 255);
        else if (i >= 256)
            want = rgb(0, 511 - i, 255);
        else
            want = rgb(0, 255, i - 1);
        ASSERT_EQ(r[std::size_t(i)], want) << "index " << i;
    }

    // The inside colour is whatever the caller's Nero is.
    EXPECT_EQ(CreaRampa(rgb(12, 34, 56))[1531], rgb(12, 34, 56));
    EXPECT_EQ(redOf(r[1530]), 255);
    EXPECT_EQ(greenOf(r[1530]), 255);
    EXPECT_EQ(blueOf(r[1530]), 254);
}

TEST(CreaRampa, HandsOutEachColourOnceInBuildingOrder) {
    std::vector<std::pair<int, Colore>> calls;
    const Rampa r = CreaRampa(rgb(1, 2, 3), [&](int m, Colore c) { calls.emplace_back(m, c); });

    ASSERT_EQ(calls.size(), std::size_t(RampSize));
    EXPECT_EQ(calls.front().first, 0);
    for (int i = 1; i <= 1530; ++i)
        ASSERT_EQ(calls[std::size_t(i)].first, 1531 - i) << "call " << i;
    EXPECT_EQ(calls.back().first, 1531);
    for (const auto& [m, c] : calls)
        ASSERT_EQ(c, r[std::size_t(m)]) << "index " << m;
    EXPECT_EQ(calls.back().second, rgb(1, 2, 3));
}

TEST(Colora, LinearBelowTheRampLengthSamplesItEvenly) {
    PaletteRun p;
    p.run(false, 100);
    EXPECT_EQ(p.at(1), 15);
    EXPECT_EQ(p.at(50), 772);
    EXPECT_EQ(p.at(99), 1530);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(100), 1531);
    EXPECT_EQ(p.palette->at(101), 0xDEADBEEFu) << "counts above the limit are left alone";

    // The same with the real ramp.
    const Rampa real = CreaRampa(rgb(0, 0, 0));
    ColoreIter& pal = *p.palette;
    Colora(false, 100, *p.frequenze, real, pal);
    EXPECT_EQ(pal[1], real[15]);
    EXPECT_EQ(pal[50], real[772]);
    EXPECT_EQ(pal[99], rgb(255, 255, 254));
    EXPECT_EQ(pal[0], rgb(0, 255, 0));
    EXPECT_EQ(pal[100], rgb(0, 0, 0));

    // The smallest limit: 1530 / 19 per count.
    p.run(false, 20);
    EXPECT_EQ(p.at(1), 80);
    EXPECT_EQ(p.at(10), 805);
    EXPECT_EQ(p.at(19), 1530);
    EXPECT_EQ(p.at(20), 1531);
}

TEST(Colora, LinearAboveTheRampLengthStretchesIt) {
    PaletteRun p;
    p.run(false, 3061); // ratio exactly 2
    for (int c = 1; c <= 3060; ++c)
        ASSERT_EQ(p.at(c), (c + 1) / 2) << "count " << c;
    EXPECT_EQ(p.at(1), 1);
    EXPECT_EQ(p.at(2), 1);
    EXPECT_EQ(p.at(3), 2);
    EXPECT_EQ(p.at(4), 2);
    EXPECT_EQ(p.at(3060), 1530);
    EXPECT_EQ(p.at(3061), 1531);

    p.run(false, 1531); // ratio exactly 1: one count per ramp colour
    for (int c = 1; c <= 1530; ++c)
        ASSERT_EQ(p.at(c), c);
    EXPECT_EQ(p.at(1531), 1531);

    p.run(false, 32767); // ratio 32766 / 1530 = 21.415...
    EXPECT_EQ(p.at(1), 1);
    EXPECT_EQ(p.at(22), 1);
    EXPECT_EQ(p.at(23), 2);
    EXPECT_EQ(p.at(44), 3);
    EXPECT_EQ(p.at(32766), 1530);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(32767), 1531);
    for (int c = 2; c <= 32766; ++c) {
        const int step = p.at(c) - p.at(c - 1);
        ASSERT_TRUE(step == 0 || step == 1) << "count " << c;
    }
}

TEST(Colora, FlatPictureFallsBackToLinearEvenWhenAutomatic) {
    PaletteRun p;
    // Only counts 0 and N occur: nothing for the bands to follow.
    (*p.frequenze)[0] = 5000;
    (*p.frequenze)[100] = 9000;
    (*p.frequenze)[150] = 7; // beyond the limit: not part of this picture
    p.run(true, 100);
    EXPECT_EQ(p.at(1), 15);
    EXPECT_EQ(p.at(50), 772);
    EXPECT_EQ(p.at(99), 1530);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(100), 1531);
}

TEST(Colora, AutomaticFollowsTheDistribution) {
    PaletteRun p;
    // N = 20; samples at counts 3 (4), 5 (2), 6 (2), 8 (4), plus counts 0 and N,
    // which never take part. Worked by hand:
    //   classes: 1,2 empty-before; bands = min(1528, 6) = 6; total 12;
    //   share 12/5 = 2.4 -> class 1 = {3}; share 8/4 = 2 -> class 2 = {4, 5};
    //   share 6/3 = 2 -> class 3 = {6}; share 4/2 = 2 -> class 4 = {7, 8};
    //   9..19 empty-after. Changes at 1, 3, 4, 6, 7, 9 -> runs 7, step 218.
    //   The colour moves on at the count after each change.
    auto& f = *p.frequenze;
    f[0] = 1000;
    f[3] = 4;
    f[5] = 2;
    f[6] = 2;
    f[8] = 4;
    f[20] = 3000;
    p.run(true, 20);
    const int want[21] = {0,    218,  436,  436,  654,  872,  872,  1090, 1308, 1308, 1526,
                          1526, 1526, 1526, 1526, 1526, 1526, 1526, 1526, 1526, 1531};
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(p.at(k), want[k]) << "count " << k;

    // Counts from 1 on, no empty ends: N = 20, samples 1 (1), 2 (1), 3 (1), 4 (9),
    // 19 (1), every other count empty (counts 5..18 are inside first..last).
    //   bands = min(1530, 19) = 19; total 13; share 13/18 -> class 1 = {1};
    //   12/17 -> 2 = {2}; 11/16 -> 3 = {3}; 10/15 -> 4 = {4}; 1/14 -> class 5 =
    //   {5..19} (it takes the empty counts until it reaches the sample at 19).
    //   Changes at 1, 2, 3, 4, 5 -> runs 6, step 255.
    f.fill(0);
    f[1] = 1;
    f[2] = 1;
    f[3] = 1;
    f[4] = 9;
    f[19] = 1;
    p.run(true, 20);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(1), 255);
    EXPECT_EQ(p.at(2), 510);
    EXPECT_EQ(p.at(3), 765);
    EXPECT_EQ(p.at(4), 1020);
    EXPECT_EQ(p.at(5), 1275);
    for (int k = 6; k <= 19; ++k)
        EXPECT_EQ(p.at(k), 1530) << "count " << k;
    EXPECT_EQ(p.at(20), 1531);

    // The same inputs unchecked give the linear palette.
    p.run(false, 20);
    EXPECT_EQ(p.at(1), 80);
    EXPECT_EQ(p.at(19), 1530);
}

TEST(Colora, AutomaticWithEveryCountEquallyFilled) {
    PaletteRun p;
    // N = 1531, every count 1..1530 holds 1 sample: bands = 1530, total 1530.
    // The first share, 1530/1529, is just above 1, so class 1 takes counts 1
    // and 2; from then on every share is exactly 1528/1528, 1527/1527, ... and
    // each class takes one count: 1529 classes, 1529 changes, runs 1530,
    // step 1. The colour moves on one count after each change.
    auto& f = *p.frequenze;
    for (int k = 1; k <= 1530; ++k)
        f[std::size_t(k)] = 1;
    p.run(true, 1531);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(1), 1);
    EXPECT_EQ(p.at(2), 2);
    for (int k = 3; k <= 1530; ++k)
        ASSERT_EQ(p.at(k), k - 1) << "count " << k;
    EXPECT_EQ(p.at(1531), 1531);
}

TEST(Colora, AutomaticWithASingleOccurringCount) {
    PaletteRun p;
    auto& f = *p.frequenze;

    // One count in the middle: it is one class between the two empty runs;
    // changes at 1, 10 and 11 -> runs 4, step 382.
    f[0] = 50;
    f[10] = 500000;
    f[20] = 90;
    p.run(true, 20);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(1), 382);
    for (int k = 2; k <= 10; ++k)
        EXPECT_EQ(p.at(k), 764) << "count " << k;
    EXPECT_EQ(p.at(11), 1146);
    for (int k = 12; k <= 19; ++k)
        EXPECT_EQ(p.at(k), 1528) << "count " << k;
    EXPECT_EQ(p.at(20), 1531);

    // The first count alone: changes at 1 and 2 -> runs 3, step 510.
    f.fill(0);
    f[1] = 7;
    p.run(true, 20);
    EXPECT_EQ(p.at(1), 510);
    EXPECT_EQ(p.at(2), 1020);
    for (int k = 3; k <= 19; ++k)
        EXPECT_EQ(p.at(k), 1530) << "count " << k;
    EXPECT_EQ(p.at(20), 1531);

    // The last count below the limit alone: changes at 1 and N - 1 -> runs 3.
    f.fill(0);
    f[32766] = 3;
    p.run(true, 32767);
    EXPECT_EQ(p.at(1), 510);
    EXPECT_EQ(p.at(2), 1020);
    EXPECT_EQ(p.at(32765), 1020);
    EXPECT_EQ(p.at(32766), 1020);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(32767), 1531);
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

TEST(Colora, AnyFrequencyArrayStaysInsideTheArrays) {
    PaletteRun p;
    auto& f = *p.frequenze;
    // Negative and huge entries are not sample counts; they must not derail
    // the band sharing or lead outside the arrays.
    for (int k = 0; k < MaxCounts; ++k)
        f[std::size_t(k)] = (k % 3 == 0) ? -1000000 : 2147483647;
    p.run(true, 32767);
    EXPECT_EQ(p.at(0), 0);
    EXPECT_EQ(p.at(32767), 1531);
    for (int k = 1; k <= 32766; ++k) {
        ASSERT_GE(p.at(k), 1);
        ASSERT_LE(p.at(k), 1530);
        ASSERT_GE(p.at(k), p.at(k - 1 > 0 ? k - 1 : 1)) << "count " << k;
    }

    // Only negative entries: read as empty, so the picture is flat.
    f.fill(-5);
    p.run(true, 100);
    EXPECT_EQ(p.at(1), 15);
    EXPECT_EQ(p.at(99), 1530);

    // A limit outside 20..32767 is held to that range.
    f.fill(0);
    p.palette->fill(0xDEADBEEF);
    p.run(false, 40000);
    EXPECT_EQ(p.at(32767), 1531);
    EXPECT_EQ(p.at(32766), 1530);
    p.run(false, 3);
    EXPECT_EQ(p.at(20), 1531);
    EXPECT_EQ(p.at(19), 1530);
}

} // namespace
} // namespace quorvane
