#include "library/placelist.h"
#include "library/places.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include "libraryfiles.h"

namespace quorvane {
namespace {

using testing::Library;
using testing::readBytes;
using testing::writeBytes;

TEST(PlaceList, ParsingKeepsOnlyWellFormedRecordsWithAreaNames) {
    const std::pair<QByteArray, std::vector<Place>> cases[] = {
        {"", {}},
        {"\r\n\r\n", {}},
        {"\"AB\",200,0\r\n\"CD\",300,1", {{"AB", 200, 0}, {"CD", 300, 1}}}, // no final CR LF
        {"  \"AB\" , 200 ,\t1  \n\t\"Z\",100,0\r\"yY\",  20,0\r\n",
         {{"AB", 200, 1}, {"Z", 100, 0}, {"yY", 20, 0}}},
        {"garbage\r\n\"CD\",300\r\n\"CD\",300,1,4\r\n\"CD,300,1\r\nCD,300,1\r\n\"CD\",3.5,1\r\n"
         "\"CD\",,1\r\n\"CD\",300,x\r\n\"CD\" x,300,1\r\n\"EF\",400,1",
         {{"EF", 400, 1}}},
        {"\"../x\",200,0\r\n\"A/B\",200,0\r\n\"EF\",400,1", {{"EF", 400, 1}}}, // not area names
        {"\"A\",19,0\n\"B\",32768,7\n\"C\",99999999999999999999999,-1\n\"D\",-5,00\n\"E\",+300,0",
         {{"A", 20, 0}, {"B", 32767, 1}, {"C", 32767, 1}, {"D", 20, 0}, {"E", 300, 0}}}};
    for (const auto& [text, places] : cases)
        EXPECT_EQ(parsePlaceList(text), places) << text.toStdString();
}

TEST(PlaceList, ReadingStopsAfterAThousandRecords) {
    QByteArray text = "bad\r\n"; // skipped lines do not count
    for (int i = 0; i < 1001; ++i) {
        QByteArray name; // A, B, .. Y, then BA, BB, ..: every one valid and different
        for (int v = i; name.isEmpty() || v > 0; v /= 25)
            name.prepend(char('A' + v % 25));
        text += "\"" + name + "\"," + QByteArray::number(20 + i) + ",0\r\n";
    }
    const auto places = parsePlaceList(text);
    ASSERT_EQ(places.size(), 1000u);
    EXPECT_EQ(places.back().iter, 1019);
}

TEST(PlaceList, ASeedThatCannotBeWrittenIsReported) {
    Library lib;
    const QString nowhere = QDir(lib.app.path()).filePath("Manca");
    EXPECT_EQ(loadPlaces(nowhere).message,
              "Impossibile creare l'elenco dei luoghi:\n" +
                  QDir::toNativeSeparators(nowhere + "/BeiLuoghi.txt"));
}

TEST(Thumbnails, SavedBitmapsLoadAndEverythingElseIsBlank) {
    Library lib;
    QImage blank(32, 32, QImage::Format_RGB32);
    blank.fill(qRgb(255, 255, 255));
    QImage picture = blank;
    picture.setPixel(5, 7, qRgb(40, 56, 100)); // off-centre, so that a flipped load shows
    EXPECT_EQ(saveThumbnail(lib.folder, "AB", blank), QString());
    EXPECT_EQ(saveThumbnail(lib.folder, "AB", picture), QString()); // replaces the older one
    EXPECT_EQ(loadThumbnail(lib.folder, "AB", blank).convertToFormat(picture.format()), picture);

    // Missing ("Ab": case counts), not a bitmap, not an area name (even where such a file is).
    writeBytes(QDir(lib.folder).filePath("CD.bmp"), "BM not really a bitmap");
    ASSERT_TRUE(picture.save(QDir(lib.app.path()).filePath("x.bmp"), "BMP"));
    ASSERT_TRUE(QDir(lib.folder).mkdir("A") && picture.save(lib.folder + "/A/B.bmp", "BMP"));
    for (const QString name : {"Ab", "CD", "../x", "A/B", ""})
        EXPECT_EQ(loadThumbnail(lib.folder, name, blank), blank) << name.toStdString();
    EXPECT_FALSE(saveThumbnail(lib.folder, "../y", picture).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(lib.app.path()).filePath("y.bmp")));
}

} // namespace
} // namespace quorvane
