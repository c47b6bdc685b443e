#include "domain/view.h"
#include "io/placelist.h"
#include "io/places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <algorithm>

#include "files.h"

namespace quorvane {
namespace {

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
    QTemporaryDir app;
    const QString nowhere = app.filePath("Manca");
    EXPECT_EQ(loadPlaces(nowhere).message,
              "Impossibile creare l'elenco dei luoghi:\n" +
                  QDir::toNativeSeparators(nowhere + "/BeiLuoghi.txt"));
}

TEST(Places, SavesSortByCharacterCodeAndDropRepeatedNames) {
    const auto named = [](std::initializer_list<const char*> names) {
        std::vector<Place> places;
        for (const char* name : names)
            places.push_back({name, 100, 0});
        return places;
    };
    const std::tuple<std::vector<Place>, Place, Arrangement> cases[] = {
        // Capitals before small letters, a prefix first.
        {named({"a", "Z", "Yb", "b", "AB", "Ab"}),
         {"A", 100, 0},
         {named({"A", "AB", "Ab", "Yb", "Z", "a", "b"}), 0}},
        // The selection sort moves the second "B" ahead of the first, which is dropped.
        {{{"B", 1, 0}, {"B", 2, 0}, {"A", 3, 0}},
         {"C", 4, 0},
         {{{"A", 3, 0}, {"B", 2, 0}, {"C", 4, 0}}, 2}},
        // Saving a repeated name updates its first entry and drops the others.
        {{{"B", 1, 0}, {"A", 3, 0}, {"B", 2, 0}}, {"B", 9, 1}, {{{"A", 3, 0}, {"B", 9, 1}}, 1}},
    };
    for (const auto& [before, saved, after] : cases)
        EXPECT_EQ(arrangeAfterSave(before, saved), after) << saved.name.toStdString();
}

TEST(Places, DeletingANameListedTwiceKeepsItsThumbnail) {
    QTemporaryDir folder;
    writeBytes(thumbnailPath(folder.path(), "A"), "A");
    Places twice({{"A", 100, 0}, {"A", 100, 0}, {"D", 100, 0}});
    EXPECT_TRUE(twice.remove(folder.path()).changed);
    EXPECT_EQ(readBytes(folder.filePath(PlaceListName)), "\"A\",100,0\r\n\"D\",100,0\r\n");
    EXPECT_TRUE(QFileInfo::exists(thumbnailPath(folder.path(), "A")));
}

TEST(Thumbnails, WhatCannotBeReadOrIsNoAreaNameIsBlank) {
    QTemporaryDir app;
    const QString folder = app.filePath("BeiLuoghi");
    QImage blank = testing::filled(qRgb(255, 255, 255));
    const QImage picture = testing::filled(qRgb(40, 56, 100));
    // Missing ("Ab": case counts), not a bitmap, not an area name (even where such a file is).
    ASSERT_TRUE(QDir().mkpath(folder + "/A") && picture.save(folder + "/A/B.bmp", "BMP"));
    ASSERT_TRUE(picture.save(app.filePath("x.bmp"), "BMP"));
    writeBytes(folder + "/CD.bmp", "BM not really a bitmap");
    for (const QString name : {"Ab", "CD", "../x", "A/B", ""})
        EXPECT_EQ(loadThumbnail(folder, name, blank), blank) << name.toStdString();
    EXPECT_FALSE(saveThumbnail(folder, "../y", picture).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(app.filePath("y.bmp")));
}

TEST(PlaceList, TheDeepPlacesToTryAreAListOfDeepViews) {
    QFile file(QStringLiteral(DEEP_PLACES));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const std::vector<Place> places = parsePlaceList(bytes);
    // Every line is a record as a save writes it, sorted as a save sorts.
    EXPECT_EQ(formatPlaceList(places), bytes);
    EXPECT_TRUE(std::is_sorted(places.begin(), places.end(),
                               [](const Place& a, const Place& b) { return a.name < b.name; }));
    EXPECT_GE(places.size(), 4u);
    for (const Place& place : places)
        EXPECT_TRUE(View::of(*AreaName::from(place.name)).deep) << place.name.toStdString();
}

} // namespace
} // namespace quorvane
