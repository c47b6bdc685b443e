// The fixed layout of the main window, in device-independent pixels, so it
// keeps its proportions on a high-density screen.
#include "window/icons.h"
#include "window/mainwindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace quorvane {

namespace {

QString indexed(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(name).arg(i);
}

template <class W> W* place(W* w, const QString& name, int x, int y, int width, int height) {
    w->setObjectName(name);
    w->setGeometry(x, y, width, height);
    return w;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                    int w, int h) {
    auto* b = place(new QPushButton(caption, parent), name, x, y, w, h);
    b->setAccessibleName(caption.isEmpty() ? name : caption);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& label, const QString& text,
                   int x, int y, int w, int h, bool readOnly) {
    auto* e = place(new QLineEdit(text, parent), name, x, y, w, h);
    e->setAccessibleName(label.isEmpty() ? name : label);
    e->setReadOnly(readOnly);
    return e;
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& caption, int x, int y, int w, int h) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(caption);
    f->setAccessibleName(caption);
    f->setGeometry(x, y, w, h);
    return f;
}

QPushButton* pictureButton(QWidget* parent, const QString& name, const QString& accessible,
                           const QPixmap& icon, int x, int y, int w, int h) {
    auto* b = button(parent, name, QString(), x, y, w, h);
    b->setIcon(QIcon(icon));
    b->setIconSize(icon.deviceIndependentSize().toSize());
    b->setAccessibleName(accessible);
    return b;
}

} // namespace

void MainWindow::buildControls() {
    setWindowTitle(QStringLiteral("Quorvane"));
    setObjectName(QStringLiteral("Quorvane"));
    setFixedSize(945, 727);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);

    sfondo = new Sfondo(this);
    sfondo->setObjectName(QStringLiteral("Sfondo"));
    sfondo->setAccessibleName(QStringLiteral("Sfondo"));
    sfondo->move(0, 0);

    const int fx = 731, fw = 212;

    frameIterazioni = frame(this, QStringLiteral("Iterazioni massime"), fx, 0, fw, 62);
    label(frameIterazioni, QStringLiteral("Impostate"), 8, 15, 57, 14);
    label(frameIterazioni, QStringLiteral("Effettive"), 66, 15, 48, 14);
    Iterazioni[1] = textBox(frameIterazioni, indexed("Iterazioni", 1), QStringLiteral("Impostate"),
                            QStringLiteral("100"), 8, 30, 50, 22, false);
    Iterazioni[0] = textBox(frameIterazioni, indexed("Iterazioni", 0), QStringLiteral("Effettive"),
                            QStringLiteral("100"), 66, 30, 45, 22, true);
    // "Effettive" only shows the limit of the picture: the keyboard belongs
    // to "Impostate" beside it.
    Iterazioni[0]->setFocusPolicy(Qt::NoFocus);
    IterazOK =
        button(frameIterazioni, QStringLiteral("IterazOK"), QStringLiteral(">>"), 114, 30, 22, 22);
    Istogramma = button(frameIterazioni, QStringLiteral("Istogramma"), QStringLiteral("Istogramma"),
                        139, 30, 69, 22);

    frameLimiti = frame(this, QStringLiteral("Limiti attuali"), fx, 62, fw, 146);
    const char* limitLabels[4] = {"X Min", "X Max", "Y Min", "Y Max"};
    for (int i = 0; i < 4; ++i) {
        label(frameLimiti, QString::fromLatin1(limitLabels[i]), 8, 18 + 21 * i, 40, 18);
        Limite[i] = textBox(frameLimiti, indexed("Limite", i), QString::fromLatin1(limitLabels[i]),
                            QString(), 50, 17 + 21 * i, 156, 20, true);
    }
    label(frameLimiti, QStringLiteral("Denominazione area"), 8, 102, 112, 14);
    label(frameLimiti, QStringLiteral("Zoom"), 124, 102, 80, 14);
    RiquadroCorrente =
        textBox(frameLimiti, QStringLiteral("RiquadroCorrente"),
                QStringLiteral("Denominazione area"), QString(), 8, 117, 112, 20, true);
    Zoom = textBox(frameLimiti, QStringLiteral("Zoom"), QStringLiteral("Zoom"), QString(), 124, 117,
                   82, 20, true);

    frameVisualizzazione = frame(this, QStringLiteral("Visualizzazione"), fx, 208, fw, 86);
    View = button(frameVisualizzazione, QStringLiteral("View"), QString(), 8, 17, 44, 44);
    View->setAccessibleName(QStringLiteral("View"));
    View->setIconSize(QSize(32, 32));
    Ferma = button(frameVisualizzazione, QStringLiteral("Ferma"), QStringLiteral("Stop"), 58, 17,
                   52, 22);
    AutoColor = place(new QCheckBox(QStringLiteral("Colorazione automatica"), frameVisualizzazione),
                      QStringLiteral("AutoColor"), 58, 42, 150, 18);
    AutoColor->setAccessibleName(AutoColor->text());
    Progress =
        place(new QProgressBar(frameVisualizzazione), QStringLiteral("Progress"), 8, 66, 150, 12);
    Progress->setRange(0, 100);
    Progress->setValue(0);
    Progress->setTextVisible(false);
    Progress->setAccessibleName(QStringLiteral("Progress"));
    Cicli = place(new QLabel(QStringLiteral("100%"), frameVisualizzazione), QStringLiteral("Cicli"),
                  162, 63, 44, 18);
    Cicli->setAccessibleName(QStringLiteral("Cicli"));

    frameSelezione = frame(this, QStringLiteral("Nuova selezione"), fx, 294, fw, 180);
    Griglia =
        button(frameSelezione, QStringLiteral("Griglia"), QStringLiteral("ON"), 8, 18, 36, 26);
    Area = place(new QLabel(QStringLiteral("Sottoarea selezionata:"), frameSelezione),
                 QStringLiteral("Area"), 50, 14, 156, 13);
    Riquadro = textBox(frameSelezione, QStringLiteral("Riquadro"),
                       QStringLiteral("Sottoarea selezionata:"), QString(), 50, 27, 156, 19, true);
    for (int i = 0; i < 25; ++i) {
        const QString letter(QChar(65 + i));
        Lettere[i] = button(frameSelezione, indexed("Lettere", i), letter, 8 + 24 * (i % 5),
                            50 + 24 * (i / 5), 25, 25);
    }
    const int mx = 160, my = 72;
    const QPoint mezzoAt[5] = {
        {mx + 22, my}, {mx, my + 22}, {mx - 22, my}, {mx, my - 22}, {mx, my}};
    const char* mezzoNames[5] = {"destra", "giù", "sinistra", "su", "centro"};
    for (int i = 0; i < 5; ++i)
        Mezzo[i] =
            pictureButton(frameSelezione, indexed("Mezzo", i), QString::fromUtf8(mezzoNames[i]),
                          mezzoIcon(i), mezzoAt[i].x(), mezzoAt[i].y(), 22, 22);
    MenoUna =
        button(frameSelezione, QStringLiteral("MenoUna"), QStringLiteral("-1"), 138, 124, 32, 24);
    Copia = button(frameSelezione, QStringLiteral("Copia"), QStringLiteral("OK"), 174, 124, 32, 24);

    frameLibreria = frame(this, QStringLiteral("Libreria immagini"), fx, 474, fw, 96);
    SaveName = textBox(frameLibreria, QStringLiteral("SaveName"), QStringLiteral("Luogo"),
                       QString(), 8, 17, 196, 20, true);
    SaveIcona = place(new QLabel(frameLibreria), QStringLiteral("SaveIcona"), 8, 42, 34, 34);
    SaveIcona->setAccessibleName(QStringLiteral("SaveIcona"));
    SaveIcona->setFrameStyle(QFrame::Box);
    SaveIcona->setAlignment(Qt::AlignCenter);
    SelSave[0] = pictureButton(frameLibreria, indexed("SelSave", 0), QStringLiteral("precedente"),
                               arrowIcon(Qt::LeftArrow), 48, 48, 22, 22);
    SelSave[1] = pictureButton(frameLibreria, indexed("SelSave", 1), QStringLiteral("successivo"),
                               arrowIcon(Qt::RightArrow), 72, 48, 22, 22);
    Carica =
        button(frameLibreria, QStringLiteral("Carica"), QStringLiteral("Attiva"), 102, 42, 50, 22);
    Salva =
        button(frameLibreria, QStringLiteral("Salva"), QStringLiteral("Salva"), 154, 42, 50, 22);
    Elimina = button(frameLibreria, QStringLiteral("Elimina"), QStringLiteral("Elimina"), 102, 66,
                     50, 22);
    SalvaFile =
        button(frameLibreria, QStringLiteral("SalvaFile"), QStringLiteral("File"), 154, 66, 50, 22);

    frameUltime = frame(this, QStringLiteral("Ultime immagini"), fx, 570, fw, 72);
    LastName = textBox(frameUltime, QStringLiteral("LastName"), QStringLiteral("Ultima immagine"),
                       QString(), 8, 17, 130, 20, true);
    LastImage = textBox(frameUltime, QStringLiteral("LastImage"), QStringLiteral("Posizione"),
                        QStringLiteral("0/0"), 142, 17, 62, 20, true);
    LastImage->setAlignment(Qt::AlignCenter);
    SelImage[0] = pictureButton(frameUltime, indexed("SelImage", 0), QStringLiteral("più recente"),
                                arrowIcon(Qt::LeftArrow), 8, 42, 22, 22);
    SelImage[1] = pictureButton(frameUltime, indexed("SelImage", 1), QStringLiteral("più vecchia"),
                                arrowIcon(Qt::RightArrow), 32, 42, 22, 22);
    AttSel =
        button(frameUltime, QStringLiteral("AttSel"), QStringLiteral("Attiva"), 102, 42, 50, 22);
    EndSel = button(frameUltime, QStringLiteral("EndSel"), QStringLiteral("Esci"), 154, 42, 50, 22);

    frameJulia = frame(this, QStringLiteral("Insiemi di Julia e tracce"), fx, 474, fw, 168);
    label(frameJulia, QStringLiteral("X"), 8, 19, 12, 18);
    XXJU = textBox(frameJulia, QStringLiteral("XXJU"), QStringLiteral("X"), QString(), 22, 18, 120,
                   20, false);
    label(frameJulia, QStringLiteral("Y"), 8, 41, 12, 18);
    YYJU = textBox(frameJulia, QStringLiteral("YYJU"), QStringLiteral("Y"), QString(), 22, 40, 120,
                   20, false);
    label(frameJulia, QStringLiteral("Zoom"), 8, 63, 30, 18);
    JuliaZoom = textBox(frameJulia, QStringLiteral("JuliaZoom"), QStringLiteral("Zoom"), QString(),
                        40, 62, 102, 20, true);
    JuliaGo = button(frameJulia, QStringLiteral("JuliaGo"), QString(), 152, 18, 44, 44);
    JuliaGo->setAccessibleName(QStringLiteral("JuliaGo"));
    JuliaGo->setIconSize(QSize(32, 32));
    StopJulia =
        button(frameJulia, QStringLiteral("StopJulia"), QStringLiteral("Stop"), 8, 86, 60, 22);
    SalvaJulia =
        button(frameJulia, QStringLiteral("SalvaJulia"), QStringLiteral("File"), 72, 86, 60, 22);
    frameTracce = frame(frameJulia, QStringLiteral("Tracce"), 4, 110, fw - 8, 54);
    N_Tracce = textBox(frameTracce, QStringLiteral("N_Tracce"), QStringLiteral("Tracce"), QString(),
                       8, 20, 50, 22, false);
    Traccia =
        button(frameTracce, QStringLiteral("Traccia"), QStringLiteral("Traccia"), 64, 20, 60, 22);
    StopTraccia =
        button(frameTracce, QStringLiteral("StopTraccia"), QStringLiteral("Stop"), 128, 20, 60, 22);
    frameJulia->hide();

    Julia = button(this, QStringLiteral("Julia"), QStringLiteral("Julia"), fx, 652, 66, 26);
    Colors = button(this, QStringLiteral("Colors"), QStringLiteral("Colori"), fx + 73, 652, 66, 26);
    Esci = button(this, QStringLiteral("Esci"), QStringLiteral("Esci"), fx + 146, 652, 66, 26);
}

} // namespace quorvane
