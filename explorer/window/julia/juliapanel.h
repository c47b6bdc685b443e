// Julia mode's frame and the button "Julia": entering and leaving the mode,
// the constant picked with the mouse on the picture, JuliaGo and its "Stop".
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Explorer;

class JuliaPanel : public QObject {
    Q_OBJECT
  public:
    JuliaPanel(Explorer& model, const JuliaControls& ui);

    void Julia_Click();
    void JuliaGo_Click();
    void StopJulia_Click();
    // The mouse on the picture; only the left button counts, the keyboard's
    // modifiers are ignored.
    void Sfondo_MouseDown(int button, int modifiers, int x, int y);
    void Sfondo_MouseMove(int button, int modifiers, int x, int y);
    void Sfondo_MouseUp(int button, int modifiers, int x, int y);

  private:
    void render();

    Explorer& model;
    JuliaControls ui;
    qint64 thumbnailShown = 0;
};

} // namespace quorvane
