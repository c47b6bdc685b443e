#include "domain/palette.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quorvane {

namespace {

constexpr int TopOfRamp = 1530;   // nearly white, the last colour of the six legs
constexpr int EmptyBefore = 3060; // class of the empty counts below the first one that occurs
constexpr int EmptyAfter = 4590;  // class of the empty counts above the last one that occurs

// A sample count can never be negative; reading a negative entry as empty
// keeps the band sharing monotonic, so every loop below moves forward.
std::int64_t samplesAt(const Frequencies& frequenze, int k) {
    return std::max<std::int64_t>(0, frequenze[std::size_t(k)]);
}

void linearPalette(int n, const Ramp& rampa, Palette& coloreIter) {
    if (n - 1 >= TopOfRamp) {
        const double ratio = double(n - 1) / TopOfRamp;
        int c = 1;
        int b = 1;
        while (c <= n - 1) {
            // The c <= n - 1 test only stops a rounding of b * ratio from
            // writing past the last count; the colours are those of the plain loop.
            while (c <= n - 1 && c < b * ratio + 1) {
                coloreIter[std::size_t(c)] = rampa[std::size_t(std::min(b, TopOfRamp))];
                ++c;
            }
            ++b;
        }
    } else {
        const double ratio = double(TopOfRamp) / (n - 1);
        for (int c = 1; c <= n - 1; ++c) {
            const int b = std::min(int(c * ratio), TopOfRamp);
            coloreIter[std::size_t(c)] = rampa[std::size_t(b)];
        }
    }
}

void automaticPalette(int n, const Frequencies& frequenze, const Ramp& rampa, Palette& coloreIter) {
    std::vector<std::int16_t> classOf(std::size_t(n) + 1, 0);

    // The caller has made sure some count in 1..n-1 occurs, so both scans stop
    // inside that range; the bounds are there only as a second fence.
    int first = 1;
    while (first < n - 1 && samplesAt(frequenze, first) == 0) {
        classOf[std::size_t(first)] = EmptyBefore;
        ++first;
    }
    int last = n - 1;
    while (last > first && samplesAt(frequenze, last) == 0) {
        classOf[std::size_t(last)] = EmptyAfter;
        --last;
    }

    int bands = TopOfRamp;
    if (first != 1)
        --bands;
    if (last != n - 1)
        --bands;
    bands = std::min(bands, last - first + 1);

    std::int64_t total = 0;
    for (int k = first; k <= last; ++k)
        total += samplesAt(frequenze, k);

    // Each pass shares what is left among the classes still to come. With
    // bands >= 2 the pass at c = bands - 2 divides by 1 and takes every
    // remaining count, so c < bands - 1 never cuts the loop short. It only
    // matters when a single count occurs: bands is then 1, there is nothing to
    // share, and that count falls to the step below as class 1 - one band, one
    // class, coloured by the same run rule as every other picture.
    int c = 0;
    int k = first;
    while (k <= last && total != 0 && c < bands - 1) {
        const double share = double(total) / double(bands - c - 1);
        ++c;
        std::int64_t sum = 0;
        while (k <= last && double(sum) < share) {
            classOf[std::size_t(k)] = std::int16_t(c);
            sum += samplesAt(frequenze, k);
            ++k;
        }
        total -= sum;
    }
    for (; k <= last; ++k)
        classOf[std::size_t(k)] = std::int16_t(c + 1);

    int runs = 1;
    for (int j = 1; j <= n - 1; ++j)
        if (classOf[std::size_t(j)] != classOf[std::size_t(j - 1)])
            ++runs;

    // At most bands - 1 classes exist, so runs never exceeds 1530 and the
    // step is at least 1.
    const int step = TopOfRamp / runs;
    int idx = step;
    for (int j = 1; j <= n - 1; ++j) {
        coloreIter[std::size_t(j)] = rampa[std::size_t(idx)];
        if (classOf[std::size_t(j)] != classOf[std::size_t(j - 1)])
            idx = std::min(idx + step, TopOfRamp);
    }
}

} // namespace

Ramp rampColours(Colore nero, const std::function<void(int, Colore)>& onColour) {
    Ramp rampa{};
    auto put = [&](int index, Colore colour) {
        rampa[std::size_t(index)] = colour;
        if (onColour)
            onColour(index, colour);
    };

    // The ramp is walked downwards from white, one component per leg, so that
    // the colour window sees the lines fill in the same order.
    int component[3] = {255, 255, 255};
    constexpr int legs[6] = {2, 1, 2, 0, 1, 2};

    put(0, rgb(0, 255, 0));
    int k = RampSize - 1;
    for (const int leg : legs) {
        const int step = component[leg] == 0 ? 1 : -1;
        for (int i = 0; i < 255; ++i) {
            --k;
            component[leg] += step;
            put(k, rgb(component[0], component[1], component[2]));
        }
    }
    put(RampSize - 1, nero);
    return rampa;
}

void fillPalette(bool automatic, int iterMax, const Frequencies& frequenze, const Ramp& rampa,
                 Palette& coloreIter) {
    // Counts live in 16-bit signed integers and the window keeps the limit in
    // range; clamping here keeps every index inside the arrays for any caller.
    const int n = std::clamp(iterMax, 20, MaxCounts - 1);

    bool flat = true;
    for (int k = 1; k <= n - 1 && flat; ++k)
        flat = samplesAt(frequenze, k) == 0;

    if (!automatic || flat)
        linearPalette(n, rampa, coloreIter);
    else
        automaticPalette(n, frequenze, rampa, coloreIter);

    coloreIter[0] = rampa[0];
    coloreIter[std::size_t(n)] = rampa[RampSize - 1];
}

} // namespace quorvane
