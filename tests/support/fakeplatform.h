// Platform services for window tests: messages and beeps are recorded,
// questions and the save dialog are answered from a script, the engine is
// started for real.
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
    QString saveFileName(QWidget*, const QString&, const QString& proposed,
                         const QString&) override {
        proposals << proposed;
        if (saveNames.empty())
            return {};
        const QString name = saveNames.front();
        saveNames.pop_front();
        return name;
    }
    std::unique_ptr<QProcess> engineProcess(const QString& program,
                                            const QString& workingDir) override {
        ++engineStarts;
        return Platform::engineProcess(program, workingDir);
    }

    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;
    QStringList proposals;         // what the save dialog was opened on
    std::deque<QString> saveNames; // its answers; none is a cancel
    int beeps = 0;
    int engineStarts = 0;
};

} // namespace quorvane::testing
