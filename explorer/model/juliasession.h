// Julia mode: the constant picked with the mouse and its marks, the Julia
// view and its zoom by clicks, the last Julia picture and its thumbnail, the
// count of Julia pictures exported, and the orbit of the constant drawn over
// the start view one step at a time on a timer.
#pragma once

#include "domain/exactorbit.h"
#include "domain/juliaview.h"
#include "domain/marks.h"
#include "domain/orbit.h"
#include "model/commands.h"
#include "model/picture.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <variant>

namespace quorvane {

// Julia mode's own facts, from entering the mode to leaving it.
struct JuliaState {
    JuliaStage stage = JuliaStage::NoConstant;
    PlanePoint constant;                 // as its shown texts read back
    std::optional<ExactPoint> exact;     // a deep picture's sample, whose orbit a trace draws
    QString xText = QStringLiteral("0"); // XXJU
    QString yText = QStringLiteral("0"); // YYJU
    JuliaView view;
    int savedLimit = 100; // the iteration limit from before the mode (`IterSalvate`)
    bool traceAvailable = false;
    ConstantMarks marks;
    QRect zoomFrame;
    std::optional<Picture> picture; // the last completed Julia picture
    std::optional<Picture> trace;   // the start view with the orbit drawn over it
    std::uint64_t traceSteps = 0;
};

class JuliaSession : public QObject {
    Q_OBJECT
  public:
    // blank is the thumbnail on JuliaGo before a zoom is framed.
    explicit JuliaSession(const QImage& blank = {}, QObject* parent = nullptr);

    const JuliaState& state() const { return julia; }
    const QImage& thumbnail() const { return icon; }
    int filesExported() const { return files; } // `NumJulia`
    bool tracing() const { return traceTimer.isActive(); }
    // What the screen shows in Julia mode; none before a Julia picture.
    std::optional<QImage> screen() const;

    // Enters the mode with the limit in force, which leaving gives back.
    void enter(int limit);
    int leave();

    // The point c under the mouse, held as its texts read back; on a deep
    // picture also exactly, for its trace.
    void pick(const PlanePoint& c, const std::optional<ExactPoint>& exact = {});
    enum class Release { Nothing, ConstantChosen, Zoomed, ZoomRefused };
    // The button let go at (x, y) over screen.
    Release release(int x, int y, const QImage& screen);

    quor::Job job(int nmax) const;
    // The run ended, painted when it was complete, over the view shown
    // outside the mode. Also after a stop the picture counts as a Julia
    // picture: a click zooms.
    void runEnded(const std::optional<Painting>& painted, const View& shown);
    void exported() { ++files; }

    // The orbit of the constant over start (of its exact point when it has
    // one), one step each time the event loop is free, until it leaves the
    // square or stopTrace.
    void startTrace(const QImage& start, int limit);
    void stopTrace();
    void removeTrace();

  signals:
    // A trace step drew into the picture on the screen within area.
    void screenPainted(const QRect& area);
    void traceStepped();
    // The trace stopped, by the user or by leaving the square.
    void traceEnded();

  private:
    void traceStep();

    JuliaState julia;
    QImage blankIcon;
    QImage icon;
    int files = 0;
    std::optional<std::variant<OrbitTrace, ExactOrbitTrace>> orbit;
    QTimer traceTimer;
};

} // namespace quorvane
