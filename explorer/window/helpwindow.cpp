#include "window/helpwindow.h"

#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quorvane {

namespace {

QString guide(const QString& libraryFolder, const QString& exportFolder) {
    const QString library = QDir::toNativeSeparators(libraryFolder).toHtmlEscaped();
    const QString exports = QDir::toNativeSeparators(exportFolder).toHtmlEscaped();
    return QStringLiteral(
               "<h2>Quorvane</h2>"
               "<p>Quorvane esplora l'insieme di Quorvane (i parametri c per cui l'orbita di "
               "z&nbsp;→&nbsp;z²&nbsp;+&nbsp;c, partendo da z&nbsp;=&nbsp;c, resta nel cerchio di "
               "raggio 2) e i suoi insiemi di Julia. L'immagine di 724&nbsp;×&nbsp;724 punti è "
               "colorata secondo il numero di passi dopo cui ogni punto esce dal cerchio; il nero "
               "è l'insieme.</p>"
               "<h3>Iterazioni massime</h3>"
               "<p>«Impostate» è il limite di iterazioni della prossima immagine, da 20 a 32767: "
               "scriverlo e premere «&gt;&gt;». «Effettive» è il limite dell'immagine mostrata. "
               "«Istogramma» mostra quanti punti escono a ogni passo; «Esci» lo chiude. Con un "
               "limite alto e senza colorazione automatica è normale vedere grandi zone di un solo "
               "colore: la scala lineare dei colori copre tutti i passi fino al limite, mentre la "
               "maggior parte dei punti esce nei primi.</p>"
               "<h3>Limiti attuali</h3>"
               "<p>I limiti dell'area mostrata, il suo nome («Z» è la vista iniziale) e il fattore "
               "di ingrandimento. Nelle aree profonde i limiti hanno tutte le cifre che servono a "
               "distinguere il massimo dal minimo: la casella mostra la fine del numero, il "
               "suggerimento lo mostra intero, come il nome.</p>"
               "<h3>Visualizzazione</h3>"
               "<p>Il pulsante con la miniatura calcola l'area preparata; «Stop» interrompe il "
               "calcolo e lascia l'immagine di prima. «Colorazione automatica» colora la prossima "
               "immagine secondo il suo istogramma.</p>"
               "<h3>Nuova selezione: la griglia</h3>"
               "<p>«ON» stende sulla figura una griglia di 5&nbsp;×&nbsp;5 caselle con le lettere "
               "dalla A alla Y. Una lettera sceglie una casella, una seconda lettera una delle sue "
               "25 sottocaselle. Le frecce spostano la griglia, di molto prima di scegliere la "
               "prima lettera e di poco dopo; il pulsante centrale la riporta al centro. «-1» "
               "indica le ultime lettere da togliere dal nome dell'area, un gruppo a ogni "
               "pressione. «OK» conferma: la casella resta "
               "incorniciata in rosso e la sua miniatura compare sul pulsante di "
               "«Visualizzazione», che la calcola. Dopo «-1», «OK» toglie le lettere indicate e "
               "prepara l'area più grande che ne risulta, da calcolare con lo stesso pulsante; "
               "senza scelta torna alla vista iniziale. «OFF» annulla. Si ingrandisce finché il "
               "nome dell'area arriva a 38 lettere: le aree più profonde di quanto i numeri "
               "comuni distinguano sono calcolate in precisione esatta, e richiedono più "
               "tempo.</p>"
               "<h3>Libreria immagini</h3>"
               "<p>I luoghi salvati, scorsi con le frecce. «Attiva» prepara il luogo scelto: lo "
               "schermo resta nero finché il pulsante di «Visualizzazione» non lo calcola. «Salva» "
               "salva l'area mostrata con il suo limite e la sua colorazione, «Elimina» elimina il "
               "luogo scelto, «File» salva l'immagine mostrata come file BMP.</p>"
               "<h3>Ultime immagini</h3>"
               "<p>Le ultime dieci immagini calcolate, mostrate una alla volta con le frecce. "
               "«Attiva» rende l'immagine mostrata l'area attuale; «Esci» torna all'immagine di "
               "prima.</p>"
               "<h3>Insiemi di Julia e tracce</h3>"
               "<p>«Julia» entra nella modalità: premere e trascinare sulla figura sceglie il "
               "punto c (X, Y), che al rilascio viene segnato. Il pulsante con la miniatura "
               "calcola l'insieme di Julia di c; un clic sull'insieme calcolato prepara una vista "
               "cinque volte più stretta intorno al punto, che lo stesso pulsante calcola. «Stop» "
               "interrompe, «File» salva l'immagine come Julia0.bmp, Julia1.bmp e così via. "
               "«Traccia» disegna l'orbita di c sulla vista iniziale, passo dopo passo, finché "
               "lascia il quadrato da −2 a 2 o si preme «Stop»; un secondo «Traccia» la toglie. "
               "Su un'area profonda l'orbita parte dal punto esatto scelto ed è seguita con la "
               "precisione che serve perché ogni punto cada sul pixel giusto. "
               "«Julia» di nuovo torna all'insieme di Quorvane.</p>"
               "<h3>Esporta…</h3>"
               "<p>Salva l'immagine mostrata, dell'insieme di Quorvane o di Julia, a una "
               "grandezza scelta: il lato va da 724 a 8192 punti (2896 è proposto) e l'immagine "
               "viene calcolata di nuovo a quella grandezza, con i colori che si vedono. Il file è "
               "PNG o BMP secondo l'estensione; senza un'estensione nota si aggiunge «.png». "
               "«Sfoglia…» sceglie il file, «Esporta» avvia il calcolo e «Stop» lo interrompe "
               "senza scrivere nulla; intanto gli altri comandi attendono.</p>"
               "<h3>Colori ed Esci</h3>"
               "<p>«Colori» mostra la scala dei colori; «Esci» chiude il programma.</p>"
               "<h3>Dove sono i file</h3>"
               "<p>La libreria dei luoghi: <tt>%1</tt><br>Le immagini salvate con «File», e "
               "quelle che «Esporta…» propone: <tt>%2</tt></p>"
               "<h3>Tasti</h3>"
               "<p>F1 apre questa guida.<br>Con la griglia accesa: le lettere dalla A alla Y "
               "scelgono caselle e sottocaselle, le frecce spostano la griglia, Home o il 5 del "
               "tastierino la centrano, Backspace è «-1», Invio è «OK», Esc spegne la griglia.<br>"
               "Invio in «Impostate» è «&gt;&gt;».<br>Ctrl+E è «Esporta…»; Ctrl+C copia "
               "l'immagine mostrata negli appunti.<br>Nella finestra «Colori» Esc o Invio la "
               "chiudono.<br>Tab passa da un comando all'altro.<br>Esc chiude questa guida.</p>"
               "<p>Versione %3</p>")
        .arg(library, exports, QStringLiteral(QUORVANE_VERSION));
}

} // namespace

HelpWindow::HelpWindow(const QString& libraryFolder, const QString& exportFolder, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Guida"));
    setWindowTitle(QStringLiteral("Guida di Quorvane"));
    resize(520, 640);
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("GuidaTesto"));
    browser->setHtml(guide(libraryFolder, exportFolder));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("Chiudi"));
    chiudi->setAccessibleName(QStringLiteral("Chiudi la guida"));
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(browser);
    layout->addWidget(chiudi, 0, Qt::AlignHCenter);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

QString HelpWindow::text() const {
    return browser->toPlainText();
}

} // namespace quorvane
