// "File" in the frame "Libreria immagini" pressed in the main window, with
// the real QuorC in a temporary application folder: the question, the
// exported bitmap read back by hand, and the targets that cannot be written.
#include "bitmapfile.h"
#include "librarywindow.h"

#include "window/sfondo.h"

#include <QFileInfo>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QString Question = "Attenzione: verrà generato nella subdirectory\n"
                         "'Immagini' un file tipo 'bmp' da 1.536 KB.\n"
                         "\n"
                         "Continuare?";

BitmapFile exported(const AppFolder& folder, const QString& name) {
    return {readBytes(folder.file("Immagini/" + name))};
}

using ExportWindow = StartedWindow;

} // namespace

TEST_F(ExportWindow, NoWritesNothingAndYesWritesThePictureUnderItsAreaName) {
    const QImage start = ui.sfondo->image();

    platform.answers = {false};
    click(ui.SalvaFile);
    EXPECT_EQ(platform.questions, QStringList{Question});
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList());
    EXPECT_TRUE(ui.SalvaFile->isEnabled());

    // A confirmed selection framed above the picture is no part of it, and
    // an earlier export of the name is replaced without another question.
    press(ui, "#M!");
    ASSERT_NE(ui.sfondo->composed(), ui.sfondo->image());
    writeBytes(folder.file("Immagini/Z.bmp"), "an earlier export");
    platform.answers = {true};
    click(ui.SalvaFile);
    EXPECT_EQ(platform.questions, QStringList({Question, Question}));
    const BitmapFile z = exported(folder, "Z.bmp");
    EXPECT_EQ(z.bytes.size(), 1572582);
    EXPECT_TRUE(z.bytes.startsWith("BM"));
    EXPECT_EQ(z.field(2, 4), 1572582u);
    EXPECT_EQ(z.field(18, 4), 724u);
    EXPECT_EQ(z.field(22, 4), 724u);
    EXPECT_EQ(z.field(28, 2), 24u);
    EXPECT_EQ(z.field(30, 4), 0u);
    EXPECT_EQ(z.picture(), start);
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList{"Z.bmp"});
    EXPECT_FALSE(ui.SalvaFile->isEnabled());

    // The next run enables it again, for its picture under its own name.
    click(ui.View);
    ASSERT_EQ(ui.RiquadroCorrente->text(), "M");
    EXPECT_TRUE(ui.SalvaFile->isEnabled());
    platform.answers = {true};
    click(ui.SalvaFile);
    EXPECT_EQ(exported(folder, "M.bmp").picture(), ui.sfondo->image());
    EXPECT_EQ(exported(folder, "Z.bmp").picture(), start);
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList({"M.bmp", "Z.bmp"}));
    EXPECT_FALSE(ui.SalvaFile->isEnabled());
    EXPECT_EQ(platform.questions.size(), 3);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(ExportWindow, ATargetThatCannotBeWrittenGivesTheMessageAndLeavesNothing) {
    const QString images = folder.file("Immagini");
    const QString target = folder.file("Immagini/Z.bmp");
    const QString failed = "Impossibile salvare l'immagine:\n" + QDir::toNativeSeparators(target);
    const QStringList appEntries = entriesOf(folder, ".");
    const auto exportFails = [&](const QString& what, int failures) {
        SCOPED_TRACE(what.toStdString());
        EXPECT_EQ(platform.messages, QStringList(failures, failed));
        EXPECT_EQ(entriesOf(folder, "."), appEntries);
        EXPECT_TRUE(ui.SalvaFile->isEnabled());
    };

    ASSERT_TRUE(QDir(images).removeRecursively());
    writeBytes(images, "not a folder");
    platform.answers = {true};
    click(ui.SalvaFile);
    exportFails("Immagini a plain file", 1);
    EXPECT_EQ(readBytes(images), "not a folder");

    ASSERT_TRUE(QFile::remove(images));
    ASSERT_TRUE(QDir().mkpath(target));
    platform.answers = {true};
    click(ui.SalvaFile);
    exportFails("the target a folder", 2);
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList{"Z.bmp"});

    // The disk fills up half-way: the earlier export stays whole.
    ASSERT_TRUE(QDir(target).removeRecursively());
    writeBytes(target, "an earlier export");
    {
        FileSizeLimit full(100000);
        ASSERT_TRUE(full.active());
        platform.answers = {true};
        click(ui.SalvaFile);
    }
    exportFails("a full disk", 3);
    EXPECT_EQ(readBytes(target), "an earlier export");
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList{"Z.bmp"});

    // With room again the same press writes it.
    platform.answers = {true};
    click(ui.SalvaFile);
    EXPECT_EQ(platform.messages.size(), 3);
    EXPECT_EQ(exported(folder, "Z.bmp").picture(), ui.sfondo->image());
    EXPECT_FALSE(ui.SalvaFile->isEnabled());
}
