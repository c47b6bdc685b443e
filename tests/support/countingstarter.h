// An engine starter that counts the engines it hands over.
#pragma once

#include "io/engineclient.h"

namespace quorvane::testing {

struct CountingStarter : EngineStarter {
    std::unique_ptr<QProcess> engineProcess(const QString& program,
                                            const QString& workingDir) override {
        ++starts;
        return EngineStarter::engineProcess(program, workingDir);
    }
    int starts = 0;
};

} // namespace quorvane::testing
