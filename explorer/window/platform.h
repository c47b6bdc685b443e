// What the window asks of the desktop: message boxes, the beep and starting
// the engine. Tests replace it with a fake that records and answers.
#pragma once

#include <QString>
#include <memory>

class QProcess;
class QWidget;

namespace quorvane {

class Platform {
  public:
    virtual ~Platform() = default;
    // A notice with an OK button only, under the application's title.
    virtual void message(QWidget* parent, const QString& text);
    // A question with Yes and No buttons; true for Yes.
    virtual bool question(QWidget* parent, const QString& text);
    virtual void beep();
    // Starts program without a window and without waiting, in workingDir.
    // Returns the running process, or nothing if it could not be started.
    virtual std::unique_ptr<QProcess> startProgram(const QString& program,
                                                   const QString& workingDir);
};

} // namespace quorvane
