// The grid selection handlers of the main window: the grid switch, the
// letters, the shift cross, "-1" and the confirmation with "OK".
#include "navigation/grid.h"
#include "navigation/selection.h"
#include "window/mainwindow.h"
#include "window/numbertext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {
const QString MaxResolution =
    QStringLiteral("Raggiunta la massima risoluzione! Impossibile ingrandire ulteriormente.");
const QString NoSquareChosen = QStringLiteral("Selezionare un riquadro!");
const QString BadName = QStringLiteral("Formato stringa scorretto!");
} // namespace

void MainWindow::wireNavigation() {
    connect(Griglia, &QPushButton::clicked, this, [this] { Griglia_Click(); });
    for (int i = 0; i < 25; ++i)
        connect(Lettere[i], &QPushButton::clicked, this, [this, i] { Lettere_Click(i); });
    for (int i = 0; i < 5; ++i)
        connect(Mezzo[i], &QPushButton::clicked, this, [this, i] { Mezzo_Click(i); });
    connect(MenoUna, &QPushButton::clicked, this, [this] { MenoUna_Click(); });
    connect(Copia, &QPushButton::clicked, this, [this] { Copia_Click(); });
}

static GridShift shiftOf(const MainWindow& w) {
    return GridShift{w.SpostaX, w.SpostaY, w.AffinaX, w.AffinaY};
}

bool MainWindow::CalcolaLimiti(const QString& name) {
    const auto decoded = decodeAreaName(name);
    if (!decoded) {
        platform.message(this, BadName);
        return false;
    }
    XMin = NuovoXMin = decoded->limits.xMin;
    XMax = NuovoXMax = decoded->limits.xMax;
    YMin = NuovoYMin = decoded->limits.yMin;
    YMax = NuovoYMax = decoded->limits.yMax;
    showLimits();
    Zoom->setText(numberText(decoded->zoom));
    return true;
}

void MainWindow::DisegnaGriglia(bool twoLetter) {
    const GridLayout layout = quorvane::DisegnaGriglia(shiftOf(*this), twoLetter, PrimaLettera);
    for (auto& letter : sfondo->MonoLettera)
        letter.visible = true;
    for (int i = 0; i < 12; ++i) {
        sfondo->GridH[i].line = layout.gridH[i];
        sfondo->GridH[i].colour = Qt::white;
        sfondo->GridH[i].visible = true;
    }
    if (layout.subGrid) {
        const SubGridLayout& sub = *layout.subGrid;
        sfondo->MonoLettera[sub.hiddenMonoLettera].visible = false;
        for (int j = 0; j < 8; ++j) {
            sfondo->GridL[j].line = sub.gridL[j];
            sfondo->GridL[j].colour = Qt::white;
            sfondo->GridL[j].visible = true;
        }
        for (int k = 0; k < 25; ++k) {
            sfondo->BiLettera[k].rect = sub.biLettera[k];
            sfondo->BiLettera[k].visible = true;
        }
        sfondo->Quad1[0].rect = sub.quad1;
        sfondo->Quad1[0].colour = Qt::blue;
        sfondo->Quad1[0].visible = true;
    }
    sfondo->update();
}

void MainWindow::Nascondi(int code) {
    auto hideAll = [](auto& overlays) {
        for (auto& o : overlays)
            o.visible = false;
    };
    switch (code) {
    case 0:
        hideAll(sfondo->MonoLettera);
        break;
    case 1:
        hideAll(sfondo->BiLettera);
        break;
    case 2:
        hideAll(sfondo->Linea);
        break;
    case 3:
        hideAll(sfondo->GridH);
        hideAll(sfondo->GridL);
        break;
    default:
        return;
    }
    sfondo->update();
}

void MainWindow::Griglia_Click() {
    Blocca();
    sfondo->showImage(Deposito[0]);
    if (Griglia->text() == QStringLiteral("ON")) {
        Griglia->setText(QStringLiteral("OFF"));
        RiquadroSalvato = Riquadro->text();
        Riquadro->setText(QStringLiteral("Z"));
        SpostaY = SpostaX = AffinaY = AffinaX = ShiftCentre;
        DisegnaGriglia(false);
        SecondaLettera = NoLetterYet;
        for (auto* letter : Lettere)
            letter->setEnabled(true);
        if (menoUnaAvailable(RiquadroCorrente->text()))
            MenoUna->setEnabled(true);
        setTag(MenoUna, QStringLiteral("0"));
        for (auto* m : Mezzo)
            m->setEnabled(true);
        Copia->setEnabled(true);
        Griglia->setEnabled(true);
        return;
    }
    // Cancelling leaves a selection confirmed earlier pending as it was,
    // its zoom factor (TipoScelta) included.
    Griglia->setText(QStringLiteral("ON"));
    Nascondi(0);
    Nascondi(1);
    Nascondi(3);
    Riquadro->setText(RiquadroSalvato);
    setTag(Griglia, QStringLiteral("False"));
    sfondo->Quad1[0].visible = false;
    sfondo->Quad2[0].visible = false;
    sfondo->update();
    Sblocca();
}

void MainWindow::Lettere_Click(int index) {
    const bool fine = tagIsTrue(Griglia);
    // A name has at most MaxAreaNameLength letters: past that the user cannot
    // zoom further here, as at the limit of double precision.
    const QString fragment =
        fine ? withSecondLetter(Riquadro->text(), index) : withFirstLetter(Riquadro->text(), index);
    if (maxResolutionReached(Limits{XMin, XMax, YMin, YMax}, fine) ||
        nameAfterRun(RiquadroCorrente->text(), fragment).size() > MaxAreaNameLength) {
        platform.beep();
        platform.message(this, MaxResolution);
        return;
    }
    MenoUna->setEnabled(false);
    if (fine) {
        SecondaLettera = index;
        for (auto* letter : Lettere)
            letter->setEnabled(false);
        for (auto* m : Mezzo)
            m->setEnabled(false);
        Riquadro->setText(fragment);
        sfondo->BiLettera[SecondaLettera].visible = false;
        sfondo->Quad2[0].rect = quad2Rect(PrimaLettera, SecondaLettera, shiftOf(*this));
        sfondo->Quad2[0].colour = Qt::blue;
        sfondo->Quad1[0].visible = false;
        sfondo->Quad2[0].visible = true;
        sfondo->update();
        return;
    }
    PrimaLettera = index;
    DisegnaGriglia(true);
    SecondaLettera = FirstLetterOnly;
    Riquadro->setText(fragment);
    for (auto* m : Mezzo)
        m->setEnabled(true);
    setTag(Griglia, QStringLiteral("True"));
}

void MainWindow::Mezzo_Click(int index) {
    const bool fine = tagIsTrue(Griglia);
    int& x = fine ? AffinaX : SpostaX;
    int& y = fine ? AffinaY : SpostaY;
    const MezzoMove move = mezzoMove(index, x, y);
    x = move.x;
    y = move.y;
    for (int i = 0; i < 5; ++i)
        if (move.enable[i])
            Mezzo[i]->setEnabled(*move.enable[i]);
    if (fine) {
        Riquadro->setText(fineStageText(PrimaLettera, shiftOf(*this)));
    } else {
        const CoarseStageText text = coarseStageText(shiftOf(*this), RiquadroCorrente->text());
        Riquadro->setText(text.riquadro);
        MenoUna->setEnabled(text.menoUnaEnabled);
        if (text.resetMenoUnaTag)
            setTag(MenoUna, QStringLiteral("0"));
    }
    DisegnaGriglia(fine);
}

void MainWindow::MenoUna_Click() {
    for (auto* letter : Lettere)
        letter->setEnabled(false);
    for (auto* m : Mezzo)
        m->setEnabled(false);
    const MenoUnaStep step = menoUnaStep(RiquadroCorrente->text(), tagOf(MenoUna).toInt());
    setTag(MenoUna, QString::number(step.tag));
    Riquadro->setText(step.riquadro);
    if (step.disableMenoUna)
        MenoUna->setEnabled(false);
}

void MainWindow::Copia_Click() {
    const int cut = tagOf(MenoUna).toInt();
    switch (classifyConfirmation(Riquadro->text(), cut, SecondaLettera)) {
    case Confirmation::StartOver:
        Griglia->setText(QStringLiteral("ON"));
        Nascondi(0);
        Nascondi(3);
        Form_Load();
        return;
    case Confirmation::GoBack: {
        const QString shorter = shortenedName(RiquadroCorrente->text(), cut);
        RiquadroCorrente->setText(shorter);
        CalcolaLimiti(shorter);
        View->setIcon(QIcon(QPixmap::fromImage(NoIcona)));
        TipoScelta = 255;
        Griglia->setText(QStringLiteral("ON"));
        setTag(Griglia, QStringLiteral("False"));
        Nascondi(0);
        Nascondi(3);
        Riquadro->clear();
        // There is no picture of the shortened view until it is computed.
        sfondo->showImage(Black);
        Deposito[0] = Black;
        PercorsiUltime[0].clear();
        Sblocca();
        for (QWidget* w : {static_cast<QWidget*>(Istogramma), static_cast<QWidget*>(Salva),
                           static_cast<QWidget*>(SalvaFile), static_cast<QWidget*>(Carica)})
            w->setEnabled(false);
        return;
    }
    case Confirmation::NeedSelection:
        platform.message(this, NoSquareChosen);
        return;
    case Confirmation::Select:
        break;
    }

    Blocca();
    Griglia->setText(QStringLiteral("ON"));
    setTag(Griglia, QStringLiteral("False"));
    Nascondi(0);
    Nascondi(1);
    Nascondi(3);
    const GridShift shift = shiftOf(*this);
    const ChosenSquare square = chosenSquare(PrimaLettera, SecondaLettera, shift);
    TipoScelta = square.tipoScelta;
    Icona = sampleThumbnail(sfondo->image(), square);
    QIcon icon(QPixmap::fromImage(Icona));
    icon.addPixmap(QPixmap::fromImage(NoIcona), QIcon::Disabled);
    View->setIcon(icon);
    const Limits next =
        nextRunLimits(Limits{XMin, XMax, YMin, YMax}, PrimaLettera, SecondaLettera, shift);
    NuovoXMin = next.xMin;
    NuovoXMax = next.xMax;
    NuovoYMin = next.yMin;
    NuovoYMax = next.yMax;
    for (auto* frames : {&sfondo->Quad1, &sfondo->Quad2}) {
        (*frames)[1].rect = (*frames)[0].rect;
        (*frames)[1].visible = (*frames)[0].visible;
        (*frames)[1].colour = Qt::red;
        (*frames)[0].visible = false;
    }
    sfondo->update();
    setTag(AutoColor, QStringLiteral("False"));
    Sblocca();
}

} // namespace quorvane
