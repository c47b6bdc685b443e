// What the window asks of the desktop: message boxes, the beep, and the
// engine process it hands the explorer. Tests replace it with a fake that
// records and answers.
#pragma once

#include "io/engineclient.h"

#include <QString>

class QWidget;

namespace quorvane {

class Platform : public EngineStarter {
  public:
    // A notice with an OK button only, under the application's title.
    virtual void message(QWidget* parent, const QString& text);
    // A question with Yes and No buttons; true for Yes.
    virtual bool question(QWidget* parent, const QString& text);
    virtual void beep();
    // The desktop's dialog for a file to save into, opened on proposed;
    // filters as QFileDialog reads them. Empty when the user cancels. It asks
    // nothing of a file that exists: the caller does.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& proposed,
                                 const QString& filters);
};

} // namespace quorvane
