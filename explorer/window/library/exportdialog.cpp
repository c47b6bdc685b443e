#include "window/library/exportdialog.h"

#include "domain/tileplan.h"
#include "io/picturewriter.h"
#include "model/pictureexport.h"
#include "window/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane {

namespace {

const QString Filters = QStringLiteral("Immagini PNG (*.png);;Immagini BMP (*.bmp)");

template <class W> W* named(W* w, const char* name, const char* accessible, const char* tip) {
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(QString::fromUtf8(accessible));
    w->setToolTip(QString::fromUtf8(tip));
    return w;
}

// The side as the user typed it: digits, grouped in threes the user's way or
// not; nothing for anything else.
std::optional<int> typedSide(const QString& text) {
    bool ok = false;
    int side = text.trimmed().toInt(&ok);
    if (!ok)
        side = QLocale().toInt(text.trimmed(), &ok);
    if (!ok || side < ExportSideMin || side > ExportSideMax)
        return std::nullopt;
    return side;
}

} // namespace

ExportDialog::ExportDialog(Platform& services, PictureExport& exports, QWidget* parent)
    : QDialog(parent), platform(services), exporter(exports) {
    setObjectName(QStringLiteral("FinestraEsporta"));
    setWindowTitle(QStringLiteral("Esporta immagine"));

    EsportaLato = named(new QLineEdit(QString::number(ExportSideProposed), this), "EsportaLato",
                        "Lato in punti",
                        "Lato dell'immagine in punti, da 724 a 8192: l'immagine è calcolata di "
                        "nuovo a questa grandezza.");
    EsportaFile = named(new QLineEdit(this), "EsportaFile", "File dell'immagine",
                        "File in cui salvare l'immagine: PNG o BMP secondo l'estensione; senza "
                        "un'estensione nota si aggiunge «.png».");
    EsportaSfoglia =
        named(new QPushButton(QStringLiteral("Sfoglia…"), this), "EsportaSfoglia",
              "Sfoglia: scegli il file", "Sceglie il file con la finestra del desktop.");
    EsportaVai =
        named(new QPushButton(QStringLiteral("Esporta"), this), "EsportaVai", "Esporta l'immagine",
              "Calcola l'immagine alla grandezza scelta e la salva nel file.");
    EsportaProgresso =
        named(new QProgressBar(this), "EsportaProgresso", "Avanzamento dell'esportazione",
              "Avanzamento dell'esportazione: le parti dell'immagine calcolate, "
              "poi la scrittura del file.");
    EsportaStop =
        named(new QPushButton(QStringLiteral("Stop"), this), "EsportaStop", "Stop esportazione",
              "Interrompe l'esportazione: non viene scritto nessun file.");
    EsportaProgresso->setRange(0, 1);
    EsportaProgresso->setValue(0);
    EsportaProgresso->setFormat(QString());
    EsportaVai->setDefault(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(EsportaFile, 1);
    fileRow->addWidget(EsportaSfoglia);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Lato (punti)"), EsportaLato);
    auto* fileLabel = new QLabel(QStringLiteral("&File"), this);
    fileLabel->setBuddy(EsportaFile);
    form->addRow(fileLabel, fileRow);
    auto* commands = new QHBoxLayout;
    commands->addWidget(EsportaProgresso, 1);
    commands->addWidget(EsportaVai);
    commands->addWidget(EsportaStop);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addLayout(commands);
    EsportaFile->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 30);

    connect(EsportaSfoglia, &QPushButton::clicked, this, &ExportDialog::EsportaSfoglia_Click);
    connect(EsportaVai, &QPushButton::clicked, this, &ExportDialog::EsportaVai_Click);
    connect(EsportaStop, &QPushButton::clicked, this, &ExportDialog::EsportaStop_Click);
    connect(&exporter, &PictureExport::progressed, this, &ExportDialog::render);
    connect(&exporter, &PictureExport::ended, this, &ExportDialog::end);
    render();
}

bool ExportDialog::busy() const {
    return exporter.busy();
}

void ExportDialog::prepare(const EngineJob& picture, const Palette& colours,
                           const QString& proposedFile) {
    if (busy())
        return;
    view = picture;
    palette = std::make_unique<Palette>(colours);
    EsportaFile->setText(QDir::toNativeSeparators(proposedFile));
    // The bar says nothing until there is something to tell.
    EsportaProgresso->setRange(0, 1);
    EsportaProgresso->setValue(0);
    EsportaProgresso->setFormat(QString());
}

void ExportDialog::EsportaSfoglia_Click() {
    const QString chosen = platform.saveFileName(
        this, windowTitle(), QDir::fromNativeSeparators(EsportaFile->text()), Filters);
    if (!chosen.isEmpty())
        EsportaFile->setText(QDir::toNativeSeparators(withPictureExtension(chosen)));
}

void ExportDialog::EsportaVai_Click() {
    if (busy() || !palette)
        return;
    const std::optional<int> side = typedSide(EsportaLato->text());
    if (!side)
        return platform.message(this, exportSideMessage());
    const QString typed = QDir::fromNativeSeparators(EsportaFile->text().trimmed());
    if (typed.isEmpty())
        return platform.message(this,
                                QStringLiteral("Indicare il file in cui salvare l'immagine."));
    const QString file = QFileInfo(withPictureExtension(typed)).absoluteFilePath();
    EsportaFile->setText(QDir::toNativeSeparators(file));
    // Told before the picture is computed, not after.
    const QFileInfo folder(QFileInfo(file).absolutePath());
    if (!folder.isDir() || !folder.isWritable() || QFileInfo(file).isDir())
        return platform.message(this, QStringLiteral("Impossibile scrivere nella cartella:\n") +
                                          QDir::toNativeSeparators(folder.filePath()));
    if (QFileInfo::exists(file) &&
        !platform.question(this, QStringLiteral("Il file\n") + QDir::toNativeSeparators(file) +
                                     QStringLiteral("\nesiste già. Sostituirlo?")))
        return;

    exporter.start(view, *palette, *side, file);
}

void ExportDialog::EsportaStop_Click() {
    exporter.stop();
}

void ExportDialog::end(const RunOutcome& outcome) {
    EsportaProgresso->setFormat(outcome.status == RunStatus::Complete
                                    ? QStringLiteral("Immagine salvata")
                                    : QStringLiteral("Nessun file scritto"));
    render();
    if (outcome.status == RunStatus::Failed)
        platform.message(this, outcome.error);
    if (closeWhenEnded) {
        closeWhenEnded = false;
        QDialog::reject();
    }
}

void ExportDialog::reject() {
    if (!busy())
        return QDialog::reject();
    closeWhenEnded = true;
    EsportaStop_Click();
}

// What may be pressed and what the bar shows follow from the export's stage.
void ExportDialog::render() {
    using Stage = PictureExport::Stage;
    const Stage stage = exporter.stage();
    if (stage != Stage::Ready) {
        EsportaProgresso->setRange(0, std::max(exporter.columnsTotal(), 1));
        EsportaProgresso->setValue(exporter.columnsDone());
        EsportaProgresso->setFormat(stage == Stage::Computing
                                        ? QStringLiteral("Calcolo: %p%")
                                        : QStringLiteral("Scrittura del file…"));
    }
    const bool ready = stage == Stage::Ready;
    for (QWidget* w : {static_cast<QWidget*>(EsportaLato), static_cast<QWidget*>(EsportaFile),
                       static_cast<QWidget*>(EsportaSfoglia), static_cast<QWidget*>(EsportaVai)})
        w->setEnabled(ready);
    EsportaStop->setEnabled(!ready);
}

} // namespace quorvane
