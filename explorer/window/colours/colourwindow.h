// The colour window "Colori": the ramp shown as a legend of 1532 short
// horizontal lines in six strips, and an "OK" button that closes it.
#pragma once

#include "domain/palette.h"

#include <QString>
#include <QWidget>
#include <array>

class QPushButton;

namespace quorvane {

// One line of the legend, placed in twips (15 to a pixel) as the layout is
// defined, with the ramp colour it shows.
struct ColourLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colore colore = 0;
    bool operator==(const ColourLine&) const = default;
};

class Colori : public QWidget {
    Q_OBJECT
  public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int ClientWidthTwips = 2400;
    static constexpr int ClientHeightTwips = 3585;
    static constexpr int LineLengthTwips = 360;

    explicit Colori(QWidget* parent = nullptr);

    // Line m (0..1531) of the legend; shows Ramp(m).
    const ColourLine& line(int m) const { return lines[std::size_t(m)]; }
    // Colours line m; the ramp builder hands each ramp colour here.
    void setLineColour(int m, Colore colour);

    QPushButton* Fine = nullptr;

    void Fine_Click();

  signals:
    // The window has been closed with "OK" (or the window system's close
    // button): the main window takes input again, and nothing else changes.
    void closed();

  protected:
    void paintEvent(QPaintEvent*) override;
    // Escape and Enter close the window as "OK" does.
    void keyPressEvent(QKeyEvent*) override;
    void closeEvent(QCloseEvent*) override;

  private:
    void Form_Load();

    std::array<ColourLine, RampSize> lines{};
};

} // namespace quorvane
