// "File": the picture shown exported as a 724 x 724 bitmap into Immagini,
// under its area name or, for a Julia picture, as the next numbered file.
#pragma once

#include "window/controls.h"

#include <QObject>

namespace quorvane {

class Platform;
class ViewCore;

class PictureExport : public QObject {
    Q_OBJECT
  public:
    PictureExport(const Controls& ui, const ViewCore& core, Platform& platform,
                  const QString& appFolder);

    // The number of the next Julia file; 0 at every start.
    int NumJulia() const { return numJulia; }
    // The picture shown has been exported and not changed since.
    bool pictureExported() const;

    void SalvaFile_Click();
    void SalvaJulia_Click();

  private:
    // Asks, then writes; true when the file was written.
    bool exportAs(const QString& question, const QString& fileName);

    const Controls& ui;
    const ViewCore& core;
    Platform& platform;
    QString folder;
    int numJulia = 0;
    int exportedGeneration = -1;
};

} // namespace quorvane
