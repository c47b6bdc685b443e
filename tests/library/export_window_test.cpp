// "File" in the frame "Libreria immagini" pressed in the main window, with
// the real QuorC in a temporary application folder.
#include "librarywindow.h"

#include "window/sfondo.h"

#include <cstdint>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

const QString Question = "Attenzione: verrà generato nella subdirectory\n"
                         "'Immagini' un file tipo 'bmp' da 1.536 KB.\n\nContinuare?";

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
    ASSERT_EQ(z.bytes.size(), 1572582);
    EXPECT_EQ(z.bytes.left(2), "BM");
    // Offset, size and value: file size, reserved, pixel offset, header size,
    // width, height (bottom row first), planes, bits, no compression, pixel
    // bytes (724 rows of 2172), resolutions, colours.
    const std::uint32_t fields[][3] = {{2, 4, 1572582}, {6, 4, 0},        {10, 4, 54}, {14, 4, 40},
                                       {18, 4, 724},    {22, 4, 724},     {26, 2, 1},  {28, 2, 24},
                                       {30, 4, 0},      {34, 4, 1572528}, {38, 4, 0},  {42, 4, 0},
                                       {46, 4, 0},      {50, 4, 0}};
    for (const auto& [offset, size, value] : fields)
        EXPECT_EQ(z.field(int(offset), int(size)), value) << "offset " << offset;
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
    EXPECT_EQ(entriesOf(folder, "Immagini"), QStringList({"M.bmp", "Z.bmp"}));
    EXPECT_FALSE(ui.SalvaFile->isEnabled());
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(ExportWindow, ATargetThatCannotBeWrittenGivesTheMessageAndLeavesNothing) {
    const QString images = folder.file("Immagini");
    const QStringList appEntries = entriesOf(folder, ".");
    ASSERT_TRUE(QDir(images).removeRecursively());
    writeBytes(images, "not a folder");
    platform.answers = {true, true};
    click(ui.SalvaFile);
    EXPECT_EQ(platform.messages, QStringList{"Impossibile salvare l'immagine:\n" +
                                             QDir::toNativeSeparators(images + "/Z.bmp")});
    EXPECT_EQ(readBytes(images), "not a folder");
    EXPECT_EQ(entriesOf(folder, "."), appEntries);
    EXPECT_TRUE(ui.SalvaFile->isEnabled());

    // With the folder back the same press writes it.
    ASSERT_TRUE(QFile::remove(images) && QDir().mkdir(images));
    click(ui.SalvaFile);
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(QFileInfo(images + "/Z.bmp").isFile());
    EXPECT_FALSE(ui.SalvaFile->isEnabled());
}
