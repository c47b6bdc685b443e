#include "model/runner.h"

namespace quorvane {

void Runner::use(Engine& client) {
    if (engine)
        engine->disconnect(this);
    engine = &client;
    connect(engine, &Engine::started, this, &Runner::started);
    connect(engine, &Engine::progress, this, [this](int reached) {
        column = unsigned(reached);
        emit progressed();
    });
    connect(engine, &Engine::reading, this, [this] { emit painting(true); });
    // The painting is over once whoever heard the end has painted.
    connect(engine, &Engine::finished, this, [this](const EngineResult& result) {
        emit ended(result);
        emit painting(false);
    });
}

void Runner::start(const EngineJob& job) {
    column = 0;
    emit progressed();
    engine->start(job);
}

void Runner::stop() {
    if (engine)
        engine->stop();
}

void Runner::clearProgress() {
    column.reset();
    emit progressed();
}

} // namespace quorvane
