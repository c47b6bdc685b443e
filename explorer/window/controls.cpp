// The fixed layout of the main window, in device-independent pixels, so it
// keeps its proportions on a high-density screen.
#include "window/controls.h"

#include "model/commands.h"
#include "window/icons.h"
#include "window/screenfit.h"
#include "window/sfondo.h"

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
    b->setIcon(buttonIcon(icon));
    b->setIconSize(icon.deviceIndependentSize().toSize());
    b->setAccessibleName(accessible);
    return b;
}

// What each command and box does, and what comes next where that matters.
void setToolTips(const Controls& c) {
    const auto tip = [](QWidget* w, const char* text) { w->setToolTip(QString::fromUtf8(text)); };
    tip(c.Iterazioni[1], "Limite di iterazioni della prossima immagine, da 20 a 32767: "
                         "confermarlo con «>>» o con Invio.");
    tip(c.Iterazioni[0], "Limite di iterazioni dell'immagine mostrata.");
    tip(c.IterazOK, "Imposta il limite scritto in «Impostate» per la prossima immagine.");
    tip(c.Istogramma, "Mostra quanti punti dell'immagine escono a ogni passo; un secondo clic "
                      "chiude il grafico.");
    const char* limits[4] = {"Parte reale del bordo sinistro dell'immagine mostrata.",
                             "Parte reale del bordo destro dell'immagine mostrata.",
                             "Parte immaginaria della riga in alto dell'immagine mostrata.",
                             "Parte immaginaria della riga in basso dell'immagine mostrata."};
    for (std::size_t i = 0; i < 4; ++i)
        tip(c.Limite[i], limits[i]);
    tip(c.RiquadroCorrente, "Nome dell'area mostrata: «Z» per la vista iniziale, altrimenti le "
                            "lettere della griglia che vi conducono.");
    tip(c.Zoom, "Ingrandimento dell'area mostrata rispetto alla vista iniziale.");
    tip(c.View, "Calcola l'area preparata, di cui mostra la miniatura.");
    tip(c.Ferma, "Interrompe il calcolo: resta l'immagine di prima.");
    tip(c.AutoColor, "Colora la prossima immagine secondo il suo istogramma invece che in modo "
                     "lineare.");
    tip(c.Progress, "Avanzamento del calcolo.");
    tip(c.Griglia, "Accende sulla figura la griglia con le lettere, per scegliere la prossima "
                   "area; con la griglia accesa la spegne e annulla la scelta.");
    for (int i = 0; i < 25; ++i)
        c.Lettere[std::size_t(i)]->setToolTip(
            QStringLiteral("Sceglie la casella %1 della griglia; dopo la prima lettera, la "
                           "sottocasella %1.")
                .arg(QChar(65 + i)));
    const char* shifts[5] = {"Sposta la griglia a destra.", "Sposta la griglia in basso.",
                             "Sposta la griglia a sinistra.", "Sposta la griglia in alto.",
                             "Riporta la griglia al centro."};
    for (std::size_t i = 0; i < 5; ++i)
        tip(c.Mezzo[i], shifts[i]);
    tip(c.MenoUna, "Indica un altro gruppo di lettere da togliere dalla fine del nome dell'area "
                   "mostrata; «OK» le toglie.");
    tip(c.Riquadro, "Le lettere che la scelta aggiunge al nome dell'area mostrata.");
    tip(c.Copia, "Conferma la scelta: la casella viene preparata, e il pulsante di "
                 "«Visualizzazione» la calcola. Dopo «-1» toglie le lettere indicate e prepara "
                 "l'area più grande che ne risulta. Senza scelta torna alla vista iniziale.");
    tip(c.SaveName, "Nome del luogo scelto nella libreria.");
    tip(c.SelSave[0], "Luogo precedente della libreria.");
    tip(c.SelSave[1], "Luogo successivo della libreria.");
    tip(c.Carica, "Prepara il luogo scelto: premere poi il pulsante di «Visualizzazione» per "
                  "calcolarlo.");
    tip(c.Salva, "Salva nella libreria l'area mostrata, con il limite di iterazioni e la "
                 "colorazione.");
    tip(c.Elimina, "Elimina dalla libreria il luogo scelto.");
    tip(c.LastName, "Nome dell'immagine recente mostrata.");
    tip(c.LastImage, "Posizione dell'immagine recente mostrata e numero delle immagini "
                     "recenti.");
    tip(c.SelImage[0], "Immagine più recente.");
    tip(c.SelImage[1], "Immagine più vecchia.");
    tip(c.AttSel, "Rende l'immagine mostrata l'area attuale, pronta per essere calcolata di "
                  "nuovo.");
    tip(c.EndSel, "Torna all'immagine di prima.");
    tip(c.XXJU, "Parte reale del punto c scelto sulla figura.");
    tip(c.YYJU, "Parte immaginaria del punto c scelto sulla figura.");
    tip(c.JuliaZoom, "Ingrandimento della vista di Julia.");
    tip(c.JuliaGo, "Calcola l'insieme di Julia del punto c nella vista mostrata dalla "
                   "miniatura; un clic sull'insieme calcolato ne prepara un ingrandimento.");
    tip(c.StopJulia, "Interrompe il calcolo dell'insieme di Julia.");
    tip(c.N_Tracce, "Passi dell'orbita disegnati.");
    tip(c.Traccia, "Disegna l'orbita del punto c sulla vista iniziale; un secondo clic la "
                   "toglie.");
    tip(c.StopTraccia, "Ferma il disegno dell'orbita.");
    tip(c.Julia, "Entra nella modalità Julia, dove si sceglie un punto c sulla figura e se ne "
                 "calcola l'insieme di Julia; un secondo clic ne esce.");
    tip(c.Esporta, "Calcola di nuovo l'immagine mostrata alla grandezza scelta, fino a 8192 × "
                   "8192 punti, con i suoi colori, e la salva come file PNG o BMP (Ctrl+E).");
    tip(c.Colors, "Mostra la scala dei colori.");
    tip(c.Esci, "Chiude il programma.");
}

// Commands whose captions read alike are told apart by what they do, their
// caption first, so that a voice command can still call them by it.
void nameAlikeCommands(const Controls& c) {
    const std::pair<QWidget*, const char*> names[] = {
        {c.Ferma, "Stop calcolo"},
        {c.StopJulia, "Stop calcolo di Julia"},
        {c.StopTraccia, "Stop traccia"},
        {c.Esci, "Esci dal programma"},
        {c.EndSel, "Esci dalle ultime immagini"},
        {c.Carica, "Attiva il luogo della libreria"},
        {c.AttSel, "Attiva l'immagine recente"},
        {c.SalvaFile, "File: salva l'immagine mostrata"},
        {c.SalvaJulia, "File: salva l'immagine di Julia"},
        {c.Esporta, "Esporta…: salva l'immagine a una grandezza scelta"},
        {c.Copia, "OK: conferma la selezione"},
        {c.IterazOK, ">>: imposta il limite"},
    };
    for (const auto& [command, name] : names)
        command->setAccessibleName(QString::fromUtf8(name));
}

} // namespace

Controls buildControls(QWidget* top) {
    Controls c;
    c.window = top;
    top->setWindowTitle(QStringLiteral("Quorvane"));
    top->setObjectName(QStringLiteral("Quorvane"));
    QFont f = top->font();
    f.setPixelSize(11);
    top->setFont(f);
    // The controls lie on a page of the layout's size, which scrolls on a
    // screen smaller than it.
    QWidget* const window = screenFittedPage(top, QSize(945, 727));

    c.sfondo = new Sfondo(window);
    c.sfondo->setObjectName(QStringLiteral("Sfondo"));
    c.sfondo->setAccessibleName(QStringLiteral("Immagine"));
    c.sfondo->move(0, 0);

    const int fx = 731, fw = 212;

    c.frameIterazioni = frame(window, QStringLiteral("Iterazioni massime"), fx, 0, fw, 62);
    label(c.frameIterazioni, QStringLiteral("Impostate"), 8, 15, 57, 14);
    label(c.frameIterazioni, QStringLiteral("Effettive"), 86, 15, 48, 14);
    c.Iterazioni[1] =
        textBox(c.frameIterazioni, indexed("Iterazioni", 1), QStringLiteral("Impostate"),
                QStringLiteral("100"), 8, 30, 46, 22, false);
    c.Iterazioni[0] =
        textBox(c.frameIterazioni, indexed("Iterazioni", 0), QStringLiteral("Effettive"),
                QStringLiteral("100"), 86, 30, 44, 22, true);
    // "Effettive" only shows the limit of the picture: the keyboard belongs
    // to "Impostate" beside it.
    c.Iterazioni[0]->setFocusPolicy(Qt::NoFocus);
    // ">>" beside the limit it takes.
    c.IterazOK =
        button(c.frameIterazioni, QStringLiteral("IterazOK"), QStringLiteral(">>"), 56, 30, 22, 22);
    c.Istogramma = button(c.frameIterazioni, QStringLiteral("Istogramma"),
                          QStringLiteral("Istogramma"), 134, 30, 74, 22);

    c.frameLimiti = frame(window, QStringLiteral("Limiti attuali"), fx, 62, fw, 146);
    const char* limitLabels[4] = {"X Min", "X Max", "Y Min", "Y Max"};
    for (int i = 0; i < 4; ++i) {
        label(c.frameLimiti, QString::fromLatin1(limitLabels[i]), 8, 18 + 21 * i, 40, 18);
        c.Limite[i] =
            textBox(c.frameLimiti, indexed("Limite", i), QString::fromLatin1(limitLabels[i]),
                    QString(), 50, 17 + 21 * i, 156, 20, true);
    }
    label(c.frameLimiti, QStringLiteral("Denominazione area"), 8, 102, 112, 14);
    label(c.frameLimiti, QStringLiteral("Zoom"), 124, 102, 82, 14)->setAlignment(Qt::AlignHCenter);
    c.RiquadroCorrente =
        textBox(c.frameLimiti, QStringLiteral("RiquadroCorrente"),
                QStringLiteral("Denominazione area"), QString(), 8, 117, 112, 20, true);
    c.Zoom = textBox(c.frameLimiti, QStringLiteral("Zoom"), QStringLiteral("Zoom"), QString(), 124,
                     117, 82, 20, true);

    c.frameVisualizzazione = frame(window, QStringLiteral("Visualizzazione"), fx, 208, fw, 86);
    c.View = button(c.frameVisualizzazione, QStringLiteral("View"), QString(), 8, 17, 44, 44);
    c.View->setAccessibleName(QStringLiteral("Calcola l'area preparata"));
    c.View->setIconSize(QSize(32, 32));
    c.Ferma = button(c.frameVisualizzazione, QStringLiteral("Ferma"), QStringLiteral("Stop"), 58,
                     17, 52, 22);
    c.AutoColor =
        place(new QCheckBox(QStringLiteral("Colorazione automatica"), c.frameVisualizzazione),
              QStringLiteral("AutoColor"), 58, 42, 150, 18);
    c.AutoColor->setAccessibleName(c.AutoColor->text());
    c.Progress =
        place(new QProgressBar(c.frameVisualizzazione), QStringLiteral("Progress"), 8, 66, 150, 12);
    c.Progress->setRange(0, 100);
    c.Progress->setValue(0);
    c.Progress->setTextVisible(false);
    c.Progress->setAccessibleName(QStringLiteral("Avanzamento del calcolo"));
    c.Cicli = place(new QLabel(QStringLiteral("100%"), c.frameVisualizzazione),
                    QStringLiteral("Cicli"), 162, 63, 44, 18);
    c.Cicli->setAccessibleDescription(QStringLiteral("Avanzamento del calcolo"));

    c.frameSelezione = frame(window, QStringLiteral("Nuova selezione"), fx, 294, fw, 180);
    c.Griglia =
        button(c.frameSelezione, QStringLiteral("Griglia"), QStringLiteral("ON"), 8, 18, 36, 26);
    c.Area = place(new QLabel(QStringLiteral("Sottoarea selezionata:"), c.frameSelezione),
                   QStringLiteral("Area"), 50, 14, 156, 13);
    c.Riquadro =
        textBox(c.frameSelezione, QStringLiteral("Riquadro"),
                QStringLiteral("Sottoarea selezionata:"), QString(), 50, 27, 156, 19, true);
    for (int i = 0; i < 25; ++i) {
        const QString letter(QChar(65 + i));
        c.Lettere[i] = button(c.frameSelezione, indexed("Lettere", i), letter, 8 + 24 * (i % 5),
                              50 + 24 * (i / 5), 25, 25);
    }
    const int mx = 160, my = 72;
    const QPoint mezzoAt[5] = {
        {mx + 22, my}, {mx, my + 22}, {mx - 22, my}, {mx, my - 22}, {mx, my}};
    const char* mezzoNames[5] = {"destra", "giù", "sinistra", "su", "centro"};
    for (int i = 0; i < 5; ++i)
        c.Mezzo[i] =
            pictureButton(c.frameSelezione, indexed("Mezzo", i), QString::fromUtf8(mezzoNames[i]),
                          mezzoIcon(i), mezzoAt[i].x(), mezzoAt[i].y(), 22, 22);
    c.MenoUna =
        button(c.frameSelezione, QStringLiteral("MenoUna"), QStringLiteral("-1"), 138, 124, 32, 24);
    c.Copia =
        button(c.frameSelezione, QStringLiteral("Copia"), QStringLiteral("OK"), 174, 124, 32, 24);

    c.frameLibreria = frame(window, QStringLiteral("Libreria immagini"), fx, 474, fw, 96);
    c.SaveName = textBox(c.frameLibreria, QStringLiteral("SaveName"), QStringLiteral("Luogo"),
                         QString(), 8, 17, 196, 20, true);
    c.SaveIcona = place(new QLabel(c.frameLibreria), QStringLiteral("SaveIcona"), 8, 42, 34, 34);
    c.SaveIcona->setAccessibleName(QStringLiteral("Miniatura del luogo"));
    c.SaveIcona->setFrameStyle(QFrame::Box);
    c.SaveIcona->setAlignment(Qt::AlignCenter);
    c.SelSave[0] =
        pictureButton(c.frameLibreria, indexed("SelSave", 0), QStringLiteral("precedente"),
                      arrowIcon(Qt::LeftArrow), 48, 48, 22, 22);
    c.SelSave[1] =
        pictureButton(c.frameLibreria, indexed("SelSave", 1), QStringLiteral("successivo"),
                      arrowIcon(Qt::RightArrow), 72, 48, 22, 22);
    c.Carica = button(c.frameLibreria, QStringLiteral("Carica"), QStringLiteral("Attiva"), 102, 42,
                      50, 22);
    c.Salva =
        button(c.frameLibreria, QStringLiteral("Salva"), QStringLiteral("Salva"), 154, 42, 50, 22);
    c.Elimina = button(c.frameLibreria, QStringLiteral("Elimina"), QStringLiteral("Elimina"), 102,
                       66, 50, 22);
    c.SalvaFile = button(c.frameLibreria, QStringLiteral("SalvaFile"), QStringLiteral("File"), 154,
                         66, 50, 22);

    c.frameUltime = frame(window, QStringLiteral("Ultime immagini"), fx, 570, fw, 72);
    c.LastName = textBox(c.frameUltime, QStringLiteral("LastName"),
                         QStringLiteral("Ultima immagine"), QString(), 8, 17, 130, 20, true);
    c.LastImage = textBox(c.frameUltime, QStringLiteral("LastImage"), QStringLiteral("Posizione"),
                          QStringLiteral("0/0"), 142, 17, 62, 20, true);
    c.LastImage->setAlignment(Qt::AlignCenter);
    c.SelImage[0] =
        pictureButton(c.frameUltime, indexed("SelImage", 0), QStringLiteral("più recente"),
                      arrowIcon(Qt::LeftArrow), 8, 42, 22, 22);
    c.SelImage[1] =
        pictureButton(c.frameUltime, indexed("SelImage", 1), QStringLiteral("più vecchia"),
                      arrowIcon(Qt::RightArrow), 32, 42, 22, 22);
    c.AttSel =
        button(c.frameUltime, QStringLiteral("AttSel"), QStringLiteral("Attiva"), 102, 42, 50, 22);
    c.EndSel =
        button(c.frameUltime, QStringLiteral("EndSel"), QStringLiteral("Esci"), 154, 42, 50, 22);

    c.frameJulia = frame(window, QStringLiteral("Insiemi di Julia e tracce"), fx, 474, fw, 168);
    label(c.frameJulia, QStringLiteral("X"), 8, 19, 12, 18);
    // Wide enough for a constant of fifteen digits with its sign and exponent.
    c.XXJU = textBox(c.frameJulia, QStringLiteral("XXJU"), QStringLiteral("X"), QString(), 22, 18,
                     182, 20, false);
    label(c.frameJulia, QStringLiteral("Y"), 8, 41, 12, 18);
    c.YYJU = textBox(c.frameJulia, QStringLiteral("YYJU"), QStringLiteral("Y"), QString(), 22, 40,
                     182, 20, false);
    label(c.frameJulia, QStringLiteral("Zoom"), 8, 63, 30, 18);
    c.JuliaZoom = textBox(c.frameJulia, QStringLiteral("JuliaZoom"),
                          QStringLiteral("Zoom di Julia"), QString(), 40, 62, 102, 20, true);
    c.JuliaGo = button(c.frameJulia, QStringLiteral("JuliaGo"), QString(), 160, 64, 44, 44);
    c.JuliaGo->setAccessibleName(QStringLiteral("Calcola l'insieme di Julia"));
    c.JuliaGo->setIconSize(QSize(32, 32));
    c.StopJulia =
        button(c.frameJulia, QStringLiteral("StopJulia"), QStringLiteral("Stop"), 8, 86, 60, 22);
    c.SalvaJulia =
        button(c.frameJulia, QStringLiteral("SalvaJulia"), QStringLiteral("File"), 72, 86, 60, 22);
    c.frameTracce = frame(c.frameJulia, QStringLiteral("Tracce"), 4, 110, fw - 8, 54);
    c.N_Tracce = textBox(c.frameTracce, QStringLiteral("N_Tracce"), QStringLiteral("Tracce"),
                         QString(), 8, 20, 50, 22, false);
    c.Traccia =
        button(c.frameTracce, QStringLiteral("Traccia"), QStringLiteral("Traccia"), 64, 20, 60, 22);
    c.StopTraccia = button(c.frameTracce, QStringLiteral("StopTraccia"), QStringLiteral("Stop"),
                           128, 20, 60, 22);
    // The constant and the zoom factor are shown, never typed: only the
    // program writes them.
    for (QLineEdit* shown : {c.XXJU, c.YYJU, c.JuliaZoom, c.N_Tracce}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::NoFocus);
    }
    c.XXJU->setText(QStringLiteral("0"));
    c.YYJU->setText(QStringLiteral("0"));
    c.JuliaZoom->setText(QStringLiteral("1"));
    // Shown, never edited.
    for (QLineEdit* shown : {c.XXJU, c.YYJU, c.JuliaZoom})
        shown->setEnabled(false);
    // In Julia mode the frame lies over the library and the recent pictures,
    // which it hides while it is shown.
    c.frameJulia->setAutoFillBackground(true);
    c.frameJulia->raise();
    c.frameJulia->hide();

    c.Julia = button(window, QStringLiteral("Julia"), QStringLiteral("Julia"), fx, 652, 66, 26);
    c.Colors =
        button(window, QStringLiteral("Colors"), QStringLiteral("Colori"), fx + 73, 652, 66, 26);
    c.Esci = button(window, QStringLiteral("Esci"), QStringLiteral("Esci"), fx + 146, 652, 66, 26);
    c.Esporta =
        button(window, QStringLiteral("Esporta"), QStringLiteral("Esporta…"), fx, 686, fw, 26);
    c.Esporta->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    setToolTips(c);
    nameAlikeCommands(c);
    // Tab goes from command to command: the boxes that only show something
    // take the keyboard on a click alone, to copy from them.
    for (QLineEdit* shown : window->findChildren<QLineEdit*>())
        if (shown->isReadOnly() && shown->focusPolicy() != Qt::NoFocus)
            shown->setFocusPolicy(Qt::ClickFocus);
    return c;
}

void showText(QLineEdit* box, const QString& text) {
    if (box->text() == text)
        return;
    box->setText(text);
    box->setCursorPosition(0);
}

void applyCommands(const Controls& c, const CommandStates& on) {
    const std::pair<QWidget*, bool> single[] = {
        {c.Griglia, on.Griglia},
        {c.MenoUna, on.MenoUna},
        {c.Copia, on.Copia},
        {c.Iterazioni[1], on.Iterazioni1},
        {c.IterazOK, on.IterazOK},
        {c.Istogramma, on.Istogramma},
        {c.View, on.View},
        {c.Ferma, on.Ferma},
        {c.AutoColor, on.AutoColor},
        {c.Colors, on.Colors},
        {c.Esci, on.Esci},
        {c.Julia, on.Julia},
        {c.JuliaGo, on.JuliaGo},
        {c.StopJulia, on.StopJulia},
        {c.SalvaJulia, on.SalvaJulia},
        {c.Traccia, on.Traccia},
        {c.StopTraccia, on.StopTraccia},
        {c.sfondo, on.Sfondo},
        {c.EndSel, on.EndSel},
        {c.AttSel, on.AttSel},
        {c.Salva, on.Salva},
        {c.SalvaFile, on.SalvaFile},
        {c.Elimina, on.Elimina},
        {c.Carica, on.Carica},
        {c.Esporta, on.Esporta},
    };
    for (const auto& [control, enabled] : single)
        control->setEnabled(enabled);
    for (std::size_t i = 0; i < c.Lettere.size(); ++i)
        c.Lettere[i]->setEnabled(on.Lettere[i]);
    for (std::size_t i = 0; i < c.Mezzo.size(); ++i)
        c.Mezzo[i]->setEnabled(on.Mezzo[i]);
    for (std::size_t i = 0; i < 2; ++i) {
        c.SelImage[i]->setEnabled(on.SelImage[i]);
        c.SelSave[i]->setEnabled(on.SelSave[i]);
    }
}

} // namespace quorvane
