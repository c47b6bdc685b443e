// Start-up, activation, the enabling rule and the end of the program.
#include "colours/colourwindow.h"
#include "library/placelist.h"
#include "window/location.h"
#include "window/mainwindow.h"
#include "window/numbertext.h"
#include "window/thumbnails.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace quorvane {

void setTag(QObject* control, const QString& text) {
    control->setProperty("tag", text);
}
QString tagOf(const QObject* control) {
    return control->property("tag").toString();
}
bool tagIsTrue(const QObject* control) {
    return tagOf(control).compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
}

MainWindow::MainWindow(const QString& appFolder, Platform& services, const QString& engine)
    : folder(appFolder), engineFile(engine.isEmpty() ? engineIn(appFolder) : engine),
      platform(services) {
    Tavola.assign(std::size_t(Sfondo::Side) * Sfondo::Side, 0);
    buildControls();
    Black = QImage(Sfondo::Side, Sfondo::Side, QImage::Format_RGB32);
    Black.fill(Qt::black);
    Z = Black;
    Deposito[0] = Black;
    NoIcona = blankThumbnail();
    Icona = NoIcona;
    setTag(this, QStringLiteral("0"));
    setTag(AutoColor, QStringLiteral("False"));
    setTag(Istogramma, QStringLiteral("False"));
    setTag(Griglia, QStringLiteral("False"));
    setTag(MenoUna, QStringLiteral("0"));
    setTag(EndSel, QStringLiteral("False"));
    setTag(Julia, QStringLiteral("False"));
    setTag(JuliaGo, QStringLiteral("False"));
    setTag(Traccia, QStringLiteral("False"));
    zTag = false;
    coloriWindow = std::make_unique<Colori>();
    connect(coloriWindow.get(), &Colori::closed, this, &MainWindow::coloriClosed);
    wireHandlers();
    Form_Load();
}

MainWindow::~MainWindow() = default;

bool MainWindow::zStored() const {
    return zTag;
}

void MainWindow::placeWindow() {
    // The left edge of the screen, as high as the window system allows.
    if (const QScreen* s = screen())
        move(s->availableGeometry().topLeft());
}

void MainWindow::Form_Load() {
    const bool reentry = tagIsTrue(this);
    if (!reentry) {
        placeWindow();
        CreaRampa();
        for (int i = 0; i < 25; ++i) {
            auto& m = sfondo->MonoLettera[i];
            m.rect = QRect((i % 5) * 145 + 65, (i / 5) * 145 + 65, 14, 14);
            m.text = QString(QChar(65 + i));
            sfondo->BiLettera[i].text = m.text;
        }
        for (int i = 0; i < Sfondo::Side; ++i)
            sfondo->Linea[i].line = QLine(i, 0, i, 0);
        for (int i = 1; i <= 10; ++i)
            Deposito[i] = Black;
        Nero = rgb(0, 0, 0);
        Rosso = rgb(255, 0, 0);
        Verde = rgb(0, 255, 0);
        Bianco = rgb(255, 255, 255);
        NumUltime = 0;
        loadLibrary();
        LuogoScelto = 0;
        SaveIcona->setPixmap(
            QPixmap::fromImage(loadThumbnail(libraryFolder(), NomiLuoghi[0], NoIcona)));
        SaveName->setText(NomiLuoghi[0]);
        ZIcona = startViewThumbnail(Rampa);
        QIcon viewIcon(QPixmap::fromImage(ZIcona));
        viewIcon.addPixmap(QPixmap::fromImage(NoIcona), QIcon::Disabled);
        View->setIcon(viewIcon);
        QIcon juliaIcon;
        juliaIcon.addPixmap(QPixmap::fromImage(NoIcona), QIcon::Disabled);
        JuliaGo->setIcon(juliaIcon);
    }

    XMin = -2.0;
    XMax = 1.0;
    YMin = -1.5;
    YMax = 1.5;
    showLimits();
    sfondo->Quad1[1].visible = false;
    sfondo->Quad2[1].visible = false;
    sfondo->update();
    NuovoXMin = XMin;
    NuovoXMax = XMax;
    NuovoYMin = YMin;
    NuovoYMax = YMax;
    TipoScelta = 0;
    PrimaLettera = 0;
    SecondaLettera = 0;
    RiquadroCorrente->setText(QStringLiteral("Z"));
    Riquadro->clear();
    Zoom->setText(QStringLiteral("1"));
    Cicli->setText(QStringLiteral("0%"));
    Progress->setValue(0);
    InCorso = false;
    if (reentry) {
        coloriWindow->setTag(QStringLiteral("False"));
        Form_Activate();
    }
}

QString MainWindow::libraryFolder() const {
    return folder + QStringLiteral("/BeiLuoghi");
}

void MainWindow::loadLibrary() {
    UltimoLuogo = -1;
    bool libraryFolderExists = true;
    for (const QString& dir : {libraryFolder(), folder + QStringLiteral("/Immagini")}) {
        if (QDir(dir).exists() || QDir().mkpath(dir))
            continue;
        platform.message(this, QStringLiteral("Impossibile creare la cartella:\n") +
                                   QDir::toNativeSeparators(dir));
        if (dir == libraryFolder())
            libraryFolderExists = false;
    }
    // Without its folder the library starts empty; the message said why.
    if (!libraryFolderExists)
        return;
    const QString list = libraryFolder() + QLatin1Char('/') + PlaceListName;
    QString error = seedPlaceList(list);
    PlaceListResult read;
    if (error.isEmpty()) {
        read = readPlaceList(list);
        error = read.error;
    }
    if (!error.isEmpty()) {
        platform.message(this, error);
        return;
    }
    for (const Place& p : read.places) {
        ++UltimoLuogo;
        NomiLuoghi[UltimoLuogo] = p.name;
        IterLuoghi[UltimoLuogo] = p.iter;
        AutoLuoghi[UltimoLuogo] = std::uint8_t(p.autoColor);
    }
}

void MainWindow::showLimits() {
    const double v[4] = {XMin, XMax, YMin, YMax};
    for (int i = 0; i < 4; ++i)
        Limite[i]->setText(numberText(v[i]));
}

void MainWindow::Form_Activate() {
    if (coloriWindow->tag() == QStringLiteral("True")) {
        setTag(this, QStringLiteral("True"));
        return;
    }
    Blocca();
    if (tagIsTrue(this))
        PushRecent(Z, QStringLiteral("Z"));
    IterMax = 100;
    Iterazioni[0]->setText(QStringLiteral("100"));
    Iterazioni[1]->setText(QStringLiteral("100"));
    IterEffettive = IterMax;
    AutoColor->setChecked(false);
    // The limit and the choice of palette have just been reset, so a
    // palette left from an earlier picture no longer fits them.
    setTag(AutoColor, QStringLiteral("False"));
    Colora();
    Cicli->setText(QStringLiteral("0%"));
    if (!zTag) {
        View_Click();
        Z = sfondo->image();
        zTag = true;
    }
    sfondo->showImage(Z);
    Deposito[0] = Z;
    QIcon viewIcon(QPixmap::fromImage(ZIcona));
    viewIcon.addPixmap(QPixmap::fromImage(NoIcona), QIcon::Disabled);
    View->setIcon(viewIcon);
    Sblocca();
    Istogramma->setEnabled(false);
    setTag(this, QStringLiteral("True"));
}

// The enabling rule: every command with its state when the window is ready.
// Blocca disables them all (the picture excepted); Sblocca applies the rule.
std::vector<std::pair<QWidget*, bool>> MainWindow::readyState() const {
    std::vector<std::pair<QWidget*, bool>> rule = {{Griglia, true},
                                                   {MenoUna, false},
                                                   {Copia, false},
                                                   {Iterazioni[1], true},
                                                   {IterazOK, true},
                                                   {Istogramma, true},
                                                   {View, true},
                                                   {Ferma, false},
                                                   {AutoColor, true},
                                                   {Colors, true},
                                                   {Esci, true},
                                                   {Julia, true},
                                                   {JuliaGo, false},
                                                   {SalvaJulia, false},
                                                   {Traccia, false},
                                                   {sfondo, false},
                                                   {EndSel, false},
                                                   {AttSel, false},
                                                   {SelImage[0], false},
                                                   {SelImage[1], NumUltime > 0},
                                                   {SelSave[0], LuogoScelto != 0},
                                                   {SelSave[1], LuogoScelto != UltimoLuogo},
                                                   {Salva, true},
                                                   {SalvaFile, true},
                                                   {Elimina, true},
                                                   {Carica, true}};
    for (QWidget* m : Mezzo)
        rule.emplace_back(m, false);
    for (QWidget* letter : Lettere)
        rule.emplace_back(letter, false);
    return rule;
}

void MainWindow::Blocca() {
    for (const auto& [control, ready] : readyState())
        if (control != sfondo)
            control->setEnabled(false);
}

void MainWindow::Sblocca() {
    for (const auto& [control, ready] : readyState())
        control->setEnabled(ready);
    // Blocca took the focus from whatever had it; a new limit can be typed
    // straight away.
    Iterazioni[1]->setFocus();
}

void MainWindow::Esci_Click() {
    coloriWindow->hide();
    close();
}

void MainWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!firstShowDone) {
        firstShowDone = true;
        // The first activation computes the start view; it runs once the
        // window is on the screen so the user sees the progress.
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (running) {
        // Stop the engine and clean up first; the window closes when the
        // run has ended.
        closeRequested = true;
        InCorso = false;
        e->ignore();
        return;
    }
    coloriWindow->hide();
    e->accept();
}

void MainWindow::Colors_Click() {
    setEnabled(false);
    coloriWindow->show();
    coloriWindow->raise();
    coloriWindow->update();
}

void MainWindow::coloriClosed() {
    setEnabled(true);
    activateWindow();
    Form_Activate();
}

} // namespace quorvane
