// Platform services for window tests: messages and beeps are recorded,
// questions are answered from a script, the engine is started for real.
#pragma once

#include "window/platform.h"

#include <QProcess>
#include <QStringList>
#include <deque>

namespace quorvane::testing {

class FakePlatform : public Platform {
  public:
    void message(QWidget*, const QString& text) override { messages << text; }
    bool question(QWidget*, const QString& text) override {
        questions << text;
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void beep() override { ++beeps; }
    std::unique_ptr<QProcess> engineProcess(const QString& program,
                                            const QString& workingDir) override {
        ++engineStarts;
        return Platform::engineProcess(program, workingDir);
    }

    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    int beeps = 0;
    int engineStarts = 0;
};

} // namespace quorvane::testing
