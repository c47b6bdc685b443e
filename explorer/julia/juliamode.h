// Julia mode: the constant picked with the mouse on the picture of the
// Quorvane set, the Julia set of it computed by QuorC through the window's
// one run protocol, its zoom by clicks, and the orbit of the constant drawn
// over the start view. It owns the Julia view, `IterSalvate`, the chosen
// constant and the trace.
#pragma once

#include "model/juliaview.h"
#include "model/marks.h"
#include "window/controls.h"
#include "window/viewcore.h"

#include <QObject>

namespace quorvane {

class Platform;
class RecentPictures;

class JuliaMode : public QObject {
    Q_OBJECT
  public:
    JuliaMode(const Controls& ui, ViewCore& core, const RecentPictures& recent, Platform& platform);

    bool isOn() const;
    const JuliaView& view() const { return juliaView; }
    // The commands of the mode, for the enabling rule; nothing when it is off.
    std::optional<JuliaReady> ready(bool pictureExported) const;

    void Julia_Click();
    void JuliaGo_Click();
    void StopJulia_Click();
    void Traccia_Click();
    void StopTraccia_Click();
    // The mouse on the picture; only the left button counts, the keyboard's
    // modifiers are ignored.
    void Sfondo_MouseDown(int button, int modifiers, int x, int y);
    void Sfondo_MouseMove(int button, int modifiers, int x, int y);
    void Sfondo_MouseUp(int button, int modifiers, int x, int y);

  private:
    void enter();
    void leave();
    void hideMarks();
    void showConstantAt(int x, int y);
    void showMarks();
    void zoomAt(int x, int y);
    void drawTrace();
    void removeTrace();

    const Controls& ui;
    ViewCore& core;
    const RecentPictures& recent;
    Platform& platform;
    JuliaView juliaView;
    int iterSalvate = 100;
    JuliaReady state;
    ConstantMarks marks;
};

} // namespace quorvane
