// The help window that F1 opens: a short guide in Italian to every frame,
// the letter grid, Julia mode and traces, the library and the recent
// pictures, the folders this copy uses, the keys and the version.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace quorvane {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // libraryFolder and exportFolder are the folders this copy really uses.
    HelpWindow(const QString& libraryFolder, const QString& exportFolder,
               QWidget* parent = nullptr);

    QString text() const;

  private:
    QTextBrowser* browser = nullptr;
};

} // namespace quorvane
