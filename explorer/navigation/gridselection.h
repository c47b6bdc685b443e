// The lettered grid over the picture: the grid switch, the letters, the
// shift cross, "-1" and the confirmation with "OK". It owns the letters
// chosen and the shifts; the next view it prepares goes to the view core.
#pragma once

#include "model/grid.h"
#include "window/controls.h"

#include <QObject>
#include <QString>

namespace quorvane {

class Platform;
class RecentPictures;
class ViewCore;

class GridSelection : public QObject {
    Q_OBJECT
  public:
    GridSelection(const Controls& ui, ViewCore& core, RecentPictures& recent, Platform& platform);

    int SecondaLettera() const { return secondaLettera; }
    const GridShift& shift() const { return shifts; }

    // Every Form_Load: no letter chosen.
    void reset();

    void Griglia_Click();
    void Lettere_Click(int index);
    void Mezzo_Click(int index);
    void MenoUna_Click();
    void Copia_Click();
    void DisegnaGriglia(bool twoLetter);
    void Nascondi(int code);

  signals:
    // "OK" with nothing chosen: back to the start view.
    void startOver();

  private:
    void closeGrid();
    void confirmSelection();
    void goBack(int cut);

    const Controls& ui;
    ViewCore& core;
    RecentPictures& recent;
    Platform& platform;
    int primaLettera = 0;
    int secondaLettera = 0;
    GridShift shifts;
    QString riquadroSalvato;
};

} // namespace quorvane
