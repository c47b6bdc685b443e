// A temporary application folder holding the real QuorC, and the helpers
// that start the main window on it and wait for it.
#pragma once

#include "app/mainwindow.h"
#include "fakeplatform.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;

namespace quorvane::testing {

class AppFolder {
  public:
    // withEngine false leaves the folder without QuorC.
    explicit AppFolder(bool withEngine = true);
    QString path() const { return dir.path(); }
    QString file(const QString& name) const { return dir.filePath(name); }
    // Replaces QuorC by a shell script (for engines that misbehave).
    void installEngineScript(const QByteArray& script);
    // Replaces QuorC by an engine that reports a column every 50 ms and
    // obeys a stop request, but never finishes on its own within a test.
    void installSlowEngine();
    bool exists(const QString& name) const;

  private:
    QTemporaryDir dir;
};

// Waits, letting events through, until condition holds; false after timeoutMs.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 30000);

// Waits, letting events through, until the window has no work going on;
// false after timeoutMs.
bool waitForIdle(const MainWindow& w, int timeoutMs = 30000);

// The window has stored its start view and no work is going on.
bool startedAndIdle(const MainWindow& w);

// Creates the window, shows it and waits until the start view is stored.
std::unique_ptr<MainWindow> startWindow(const AppFolder& folder, FakePlatform& platform);

// Clicks a control as the user would (only an enabled one reacts), then
// waits until the work it started, if any, has ended.
void click(QAbstractButton* button);

// Clicks button once the condition holds, while the test waits for work to
// end (for example Ferma during a run); never after the button is gone.
void clickWhen(QAbstractButton* button, std::function<bool()> condition);

} // namespace quorvane::testing
