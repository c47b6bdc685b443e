// The dialog "Esporta immagine" on its own, with the real QuorC: what it
// refuses before any engine starts, the desktop's file dialog, an export
// written whole and one stopped.
#include "appfolder.h"
#include "childengines.h"
#include "files.h"
#include "model/pictureexport.h"
#include "window/library/exportdialog.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>

namespace quorvane::testing {
namespace {

struct ExportDialogTest : ::testing::Test {
    ExportDialogTest() {
        exporter.use(platform, folder.file("QuorC"));
        const auto palette = std::make_unique<Palette>();
        fillPalette(false, 100, Frequencies{}, rampColours(Nero), *palette);
        dialog.prepare(viewJob(quor::Quorvane, StartView, 100), *palette, picture("Z.png"));
    }
    QString picture(const QString& name) const { return pictures.filePath(name); }
    // Presses "Esporta" with this side and file: how the export ended, or
    // Failed when none started.
    RunStatus exportAs(const QString& side, const QString& file) {
        dialog.EsportaLato->setText(side);
        dialog.EsportaFile->setText(file);
        dialog.EsportaVai->click();
        if (!dialog.busy())
            return RunStatus::Failed;
        EXPECT_TRUE(ended.wait(60000));
        return ended.takeFirst().first().value<RunOutcome>().status;
    }
    // The commands of the dialog that are enabled.
    QStringList enabled() const {
        QStringList names;
        for (QWidget* w : dialog.findChildren<QWidget*>())
            if (w->objectName().startsWith("Esporta") && w->isEnabled())
                names << w->objectName();
        return names;
    }

    AppFolder folder;
    QTemporaryDir pictures;
    FakePlatform platform;
    PictureExport exporter;
    ExportDialog dialog{platform, exporter};
    QSignalSpy ended{&exporter, &PictureExport::ended};
};

TEST_F(ExportDialogTest, WhatCannotBeWrittenIsToldBeforeAnyEngineStarts) {
    const QStringList ready = {"EsportaLato", "EsportaFile", "EsportaSfoglia", "EsportaVai",
                               "EsportaProgresso"};
    EXPECT_EQ(enabled(), ready);
    for (const QString& name : ready + QStringList{"EsportaStop"}) {
        const QWidget* w = dialog.findChild<QWidget*>(name);
        EXPECT_FALSE(w->toolTip().isEmpty() || w->accessibleName().isEmpty()) << name.toStdString();
    }
    EXPECT_EQ(dialog.EsportaLato->text(), "2896");

    const QString side = exportSideMessage(), missing = picture("nowhere");
    const std::tuple<QString, QString, QString> refused[] = {
        {"723", picture("a.png"), side},
        {"8193", picture("a.png"), side},
        {"2896x", picture("a.png"), side},
        {"2896", "", "Indicare il file in cui salvare l'immagine."},
        {"2896", missing + "/a.png", "Impossibile scrivere nella cartella:\n" + missing},
    };
    for (const auto& [typed, file, message] : refused) {
        platform.messages.clear();
        EXPECT_EQ(exportAs(typed, file), RunStatus::Failed);
        EXPECT_EQ(platform.messages, QStringList{message}) << typed.toStdString();
    }
    // An existing file is asked about; No leaves it.
    writeBytes(picture("a.png"), "mine");
    EXPECT_EQ(exportAs("724", picture("a")), RunStatus::Failed);
    EXPECT_EQ(platform.questions,
              QStringList{"Il file\n" + picture("a.png") + "\nesiste già. Sostituirlo?"});
    EXPECT_EQ(readBytes(picture("a.png")), "mine");
    EXPECT_EQ(platform.engineStarts, 0);
}

TEST_F(ExportDialogTest, ExportsWholeOrStopsWithNothingWritten) {
    // The desktop's dialog opens on the file proposed; its name gets ".png".
    platform.saveNames = {picture("scelta")};
    dialog.EsportaSfoglia->click();
    EXPECT_EQ(platform.proposals, QStringList{picture("Z.png")});
    EXPECT_EQ(dialog.EsportaFile->text(), picture("scelta.png"));

    QSignalSpy started(&exporter, &PictureExport::started);
    // "1.000" is a thousand as an Italian writes it.
    for (const auto& [side, name, locale] :
         {std::tuple{"1.000", QString("z.bmp"), QLocale::Italian},
          std::tuple{"1000", QString("z.png"), QLocale::C}}) {
        QLocale::setDefault(QLocale(locale));
        EXPECT_EQ(exportAs(side, picture(name)), RunStatus::Complete) << side;
        QLocale::setDefault(QLocale::c());
        const QImage written(picture(name));
        EXPECT_EQ(written.size(), QSize(1000, 1000)) << name.toStdString();
        EXPECT_EQ(written.pixel(0, 0), qRgb(0, 255, 0)); // -2 - 1.5i escapes at once
    }
    EXPECT_EQ(started.size(), 2);
    EXPECT_EQ(platform.engineStarts, 8);

    folder.installSlowEngine();
    dialog.EsportaFile->setText(picture("lento.png"));
    dialog.EsportaVai->click();
    EXPECT_EQ(enabled(), QStringList({"EsportaProgresso", "EsportaStop"}));
    ASSERT_TRUE(waitUntil([&] { return dialog.EsportaProgresso->value() > 0; }));
    dialog.EsportaStop->click();
    ASSERT_TRUE(ended.wait(30000));
    EXPECT_EQ(ended.takeFirst().first().value<RunOutcome>().status, RunStatus::Stopped);
    EXPECT_FALSE(QFileInfo::exists(picture("lento.png")));
    EXPECT_EQ(childEngines(), 0);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

} // namespace
} // namespace quorvane::testing
