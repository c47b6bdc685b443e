// The colour ramp and the two palettes that paint a table of counts.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace quorvane {

// 24-bit RGB packed with red in the low byte.
using Colore = std::uint32_t;
constexpr Colore rgb(int r, int g, int b) {
    return Colore(r & 255) | (Colore(g & 255) << 8) | (Colore(b & 255) << 16);
}
constexpr int redOf(Colore c) {
    return int(c & 255);
}
constexpr int greenOf(Colore c) {
    return int((c >> 8) & 255);
}
constexpr int blueOf(Colore c) {
    return int((c >> 16) & 255);
}

constexpr Colore Nero = rgb(0, 0, 0);
constexpr Colore Bianco = rgb(255, 255, 255);
constexpr Colore Rosso = rgb(255, 0, 0);
constexpr Colore Verde = rgb(0, 255, 0);

constexpr int RampSize = 1532;   // indices 0..1531
constexpr int MaxCounts = 32768; // counts 0..32767

using Ramp = std::array<Colore, RampSize>;
using Frequencies = std::array<std::int32_t, MaxCounts>;
using Palette = std::array<Colore, MaxCounts>;

// Builds the ramp. onColour receives each colour as soon as it is computed,
// in the order index 0, then 1530 down to 1, then 1531 (the colour window
// colours its lines from it).
Ramp rampColours(Colore nero, const std::function<void(int, Colore)>& onColour = {});

// Rebuilds the palette for iteration limit iterMax (20..32767) from the ramp:
// linear, or automatic (driven by frequenze) when automatic is true and some
// count between 1 and iterMax - 1 occurs.
void fillPalette(bool automatic, int iterMax, const Frequencies& frequenze, const Ramp& rampa,
                 Palette& coloreIter);

} // namespace quorvane
