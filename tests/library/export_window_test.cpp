// "File" in the frame "Libreria immagini" pressed in the main window, with
// the real QuorC in a temporary application folder.
#include "bitmapfile.h"
#include "librarywindow.h"

#include "library/export.h"
#include "window/sfondo.h"

#include <QFileInfo>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

// The question word for word, the header fields and every target that
// cannot be written are checked directly on the export functions; here the
// button asks, writes the picture shown under its name and says what failed.
const QString Question = areaExportQuestion();

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
    const QStringList appEntries = entriesOf(folder, ".");
    ASSERT_TRUE(QDir(images).removeRecursively());
    writeBytes(images, "not a folder");
    platform.answers = {true};
    click(ui.SalvaFile);
    EXPECT_EQ(platform.messages, QStringList{"Impossibile salvare l'immagine:\n" +
                                             QDir::toNativeSeparators(images + "/Z.bmp")});
    EXPECT_EQ(readBytes(images), "not a folder");
    EXPECT_EQ(entriesOf(folder, "."), appEntries);
    EXPECT_TRUE(ui.SalvaFile->isEnabled());

    // With the folder back the same press writes it.
    ASSERT_TRUE(QFile::remove(images) && QDir().mkdir(images));
    platform.answers = {true};
    click(ui.SalvaFile);
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(exported(folder, "Z.bmp").picture(), ui.sfondo->image());
    EXPECT_FALSE(ui.SalvaFile->isEnabled());
}
