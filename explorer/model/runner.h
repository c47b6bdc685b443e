// The engine as the explorer drives it: one run at a time, the progress the
// user sees while it runs, and its end handed on.
#pragma once

#include "io/engine.h"

#include <QObject>
#include <optional>

namespace quorvane {

class Runner : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    void use(Engine& engine);
    bool ready() const { return engine != nullptr; }
    // The last progress number of the run shown; none once a View run has
    // ended (a Julia run's stays).
    std::optional<unsigned> progress() const { return column; }

    // Runs job from progress 0.
    void start(const EngineJob& job);
    void stop();
    void clearProgress();

  signals:
    // The engine runs: the window goes back to its place.
    void started();
    void progressed();
    // A run's table is read and painted (true), or that is over (false).
    void painting(bool on);
    void ended(const EngineResult& result);

  private:
    Engine* engine = nullptr;
    std::optional<unsigned> column;
};

} // namespace quorvane
