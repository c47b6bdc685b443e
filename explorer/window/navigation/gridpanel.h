// The frame "Nuova selezione": the grid switch, the letters, the shift
// cross, "-1" and the confirmation with "OK"; it shows the selection being
// built and the grid's stage.
#pragma once

#include "window/controls.h"

#include <QObject>
#include <functional>
#include <utility>

namespace quorvane {

class Explorer;

class GridPanel : public QObject {
    Q_OBJECT
  public:
    GridPanel(Explorer& model, const GridControls& ui);

    void Griglia_Click();
    void Lettere_Click(int index);
    void Mezzo_Click(int index);
    void MenoUna_Click();
    void Copia_Click();

  protected:
    // While the grid is on, the keys of the main window stand for its
    // buttons; otherwise they reach the focused control as usual.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void render();
    // The button a key stands for and its handler; none for other keys.
    std::pair<QPushButton*, std::function<void()>> keyCommand(int key, Qt::KeyboardModifiers m);

    Explorer& model;
    GridControls ui;
};

} // namespace quorvane
