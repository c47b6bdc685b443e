// The help window that F1 opens: a short guide in Italian to every frame,
// the letter grid, Julia mode and traces, the library and the recent
// pictures, the folders this copy uses, the keys and the version; Escape or
// its button "Chiudi" closes it.
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

  protected:
    // Escape closes the guide, as its button "Chiudi" does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser = nullptr;
};

} // namespace quorvane
