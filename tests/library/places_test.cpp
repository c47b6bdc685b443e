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

std::vector<Place> named(std::initializer_list<const char*> names) {
    std::vector<Place> places;
    for (const char* name : names)
        places.push_back({name, 100, 0});
    return places;
}

// count places named prefix followed by three small letters, in order.
std::vector<Place> lettered(const QString& prefix, int count) {
    std::vector<Place> places;
    for (int i = 0; i < count; ++i) {
        QString name = prefix;
        for (int v : {i / 625, i / 25 % 25, i % 25})
            name += QChar('a' + v);
        places.push_back({name, 100, 0});
    }
    return places;
}

QImage plain(QRgb colour) {
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(PlacesArrangement, SaveUpdatesOrAppendsSortsByCharacterCodeAndDropsRepeats) {
    struct Case {
        std::vector<Place> before;
        Place saved;
        Arrangement after;
    };
    const Case cases[] = {
        {{}, {"AB", 200, 1}, {{{"AB", 200, 1}}, 0}},
        {{{"B", 100, 0}, {"D", 100, 0}},
         {"C", 300, 1},
         {{{"B", 100, 0}, {"C", 300, 1}, {"D", 100, 0}}, 1}},
        // An existing place is updated in place: the count stays.
        {{{"AB", 200, 0}, {"CD", 300, 1}}, {"CD", 500, 0}, {{{"AB", 200, 0}, {"CD", 500, 0}}, 1}},
        // Character codes: capitals before small letters, a prefix first.
        {named({"a", "Z", "Yb", "b", "AB", "Ab"}),
         {"A", 100, 0},
         {named({"A", "AB", "Ab", "Yb", "Z", "a", "b"}), 0}},
        // A list edited by hand with a repeated name: the selection sort moves
        // the second "B" ahead of the first, and the first "B" it leaves is kept.
        {{{"B", 1, 0}, {"B", 2, 0}, {"A", 3, 0}},
         {"C", 4, 0},
         {{{"A", 3, 0}, {"B", 2, 0}, {"C", 4, 0}}, 2}},
        // Saving a repeated name updates its first entry and drops the others.
        {{{"B", 1, 0}, {"A", 3, 0}, {"B", 2, 0}}, {"B", 9, 1}, {{{"A", 3, 0}, {"B", 9, 1}}, 1}},
    };
    for (const Case& c : cases) {
        const Arrangement after = arrangeAfterSave(c.before, c.saved);
        EXPECT_EQ(after, c.after) << c.saved.name.toStdString();
    }
}

TEST(PlacesArrangement, ThumbnailSamplesEveryTwentyThirdPixelFromTheFifth) {
    // Each pixel tells where it is: red and green the low bytes of column and
    // row, blue their high bits.
    QImage picture(724, 724, QImage::Format_RGB32);
    for (int x = 0; x < 724; ++x)
        for (int y = 0; y < 724; ++y)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    const QImage thumbnail = placeThumbnail(picture);
    ASSERT_EQ(thumbnail.size(), QSize(32, 32));
    EXPECT_EQ(thumbnail.pixel(0, 0), qRgb(5, 5, 0));
    EXPECT_EQ(thumbnail.pixel(31, 0), qRgb(206, 5, 32)); // column 718
    EXPECT_EQ(thumbnail.pixel(1, 31), qRgb(28, 206, 2)); // row 718
    EXPECT_EQ(thumbnail.pixel(11, 12), qRgb(2, 25, 17)); // column 258, row 281
    for (int i = 0; i < 32; ++i)
        for (int j = 0; j < 32; ++j) {
            const QRgb p = thumbnail.pixel(i, j);
            ASSERT_EQ(qRed(p) + 256 * (qBlue(p) / 16), 5 + 23 * i) << i << "," << j;
            ASSERT_EQ(qGreen(p) + 256 * (qBlue(p) % 16), 5 + 23 * j) << i << "," << j;
        }
}

TEST(Places, SelectionStaysInsideTheLibraryAndSetsTheCommands) {
    Places empty;
    for (int index : {1, 0}) {
        empty.select(index);
        EXPECT_EQ(empty.LuogoScelto(), 0) << index;
    }
    EXPECT_EQ(empty.UltimoLuogo(), -1);
    EXPECT_EQ(empty.chosenPlace(), std::nullopt);
    EXPECT_EQ(empty.commands(), (LibraryCommands{false, false, false, false}));
    EXPECT_EQ(empty.remove(QDir::tempPath() + "/nonexistent").changed, false);

    Places one(named({"AB"}));
    one.select(1);
    EXPECT_EQ(one.chosenPlace(), named({"AB"})[0]);
    EXPECT_EQ(one.commands(), (LibraryCommands{false, false, true, true}));

    Places three(named({"A", "B", "C"}));
    const std::pair<int, LibraryCommands> steps[] = {
        {0, {false, true, true, true}}, {1, {true, true, true, true}},
        {2, {true, false, true, true}}, {2, {true, false, true, true}},
        {1, {true, true, true, true}},  {0, {false, true, true, true}},
        {0, {false, true, true, true}}};
    const int moves[] = {0, 1, 1, 1, 0, 0, 0};
    for (int k = 0; k < 7; ++k) {
        three.select(moves[k]);
        EXPECT_EQ(three.LuogoScelto(), steps[k].first) << k;
        EXPECT_EQ(three.commands(), steps[k].second) << k;
    }
}

TEST(Places, SaveWritesTheThumbnailAndTheSortedListThenTakesThemOver) {
    Library lib;
    writeBytes(lib.list, "\"Z\",100,0\r\n\"AB\",200,1\r\n"); // unsorted, as edited by hand
    LoadedPlaces loaded = loadPlaces(lib.folder);
    ASSERT_EQ(loaded.message, QString());
    Places& places = loaded.places;

    EXPECT_EQ(places.save(lib.folder, {"Ya", 300, 1}, plain(qRgb(1, 2, 3))).changed, true);
    EXPECT_EQ(readBytes(lib.list), "\"AB\",200,1\r\n\"Ya\",300,1\r\n\"Z\",100,0\r\n");
    EXPECT_EQ(places.list(), (std::vector<Place>{{"AB", 200, 1}, {"Ya", 300, 1}, {"Z", 100, 0}}));
    EXPECT_EQ(places.LuogoScelto(), 1);

    const LibraryOutcome again = places.save(lib.folder, {"AB", 999, 0}, plain(qRgb(4, 5, 6)));
    EXPECT_TRUE(again.changed && again.message.isEmpty());
    EXPECT_EQ(readBytes(lib.list), "\"AB\",999,0\r\n\"Ya\",300,1\r\n\"Z\",100,0\r\n");
    EXPECT_EQ(places.LuogoScelto(), 0);
    EXPECT_EQ(loadThumbnail(lib.folder, "AB", QImage()).pixel(31, 31), qRgb(4, 5, 6));
    EXPECT_EQ(loadThumbnail(lib.folder, "Ya", QImage()).pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(lib.files(), (QStringList{"AB.bmp", PlaceListName, "Ya.bmp"}));
}

TEST(Places, AThousandPlacesRefuseEverySaveAlsoOfAStoredOne) {
    Library lib;
    Places places(lettered("A", 999));
    ASSERT_EQ(places.save(lib.folder, {"Y", 100, 0}, plain(0)).message, QString());
    ASSERT_EQ(places.UltimoLuogo(), 999);
    const QByteArray full = readBytes(lib.list);
    for (const QString name : {"X", "Y", "Aaaa"}) {
        const LibraryOutcome refused = places.save(lib.folder, {name, 555, 1}, plain(0));
        EXPECT_EQ(refused.message, "Raggiunto limite massimo di immagini memorizzabili!");
        EXPECT_FALSE(refused.changed);
    }
    EXPECT_EQ(places.UltimoLuogo(), 999);
    EXPECT_EQ(readBytes(lib.list), full);
    EXPECT_EQ(lib.files(), (QStringList{PlaceListName, "Y.bmp"}));
}

TEST(Places, DeletionFillsTheGapInMemoryAndKeepsTheFileSorted) {
    Library lib;
    for (const char* name : {"A", "B", "C", "D", "E"})
        writeBytes(thumbnailPath(lib.folder, name), name);
    Places places(named({"A", "B", "C", "D", "E"}));
    places.select(1);
    EXPECT_EQ(places.remove(lib.folder).changed, true);
    EXPECT_EQ(places.list(), named({"A", "E", "C", "D"}));
    EXPECT_EQ(places.LuogoScelto(), 0);
    EXPECT_EQ(readBytes(lib.list), "\"A\",100,0\r\n\"C\",100,0\r\n\"D\",100,0\r\n\"E\",100,0\r\n");

    // The memory order is broken now; the file stays sorted all the same.
    places.select(1);
    places.select(1);
    EXPECT_EQ(places.remove(lib.folder).changed, true);
    EXPECT_EQ(places.list(), named({"A", "E", "D"}));
    EXPECT_EQ(readBytes(lib.list), "\"A\",100,0\r\n\"D\",100,0\r\n\"E\",100,0\r\n");
    EXPECT_EQ(lib.files(), (QStringList{"A.bmp", PlaceListName, "D.bmp", "E.bmp"}));

    // A name listed twice keeps its thumbnail while one entry remains.
    Places twice(named({"A", "A", "D"}));
    EXPECT_EQ(twice.remove(lib.folder).changed, true);
    EXPECT_EQ(readBytes(lib.list), "\"A\",100,0\r\n\"D\",100,0\r\n");
    EXPECT_TRUE(QFileInfo::exists(thumbnailPath(lib.folder, "A")));

    // The last place cannot be deleted.
    Places one(named({"D"}));
    const LibraryOutcome kept = one.remove(lib.folder);
    EXPECT_TRUE(!kept.changed && kept.message.isEmpty());
    EXPECT_EQ(one.list(), named({"D"}));
    EXPECT_EQ(readBytes(lib.list), "\"A\",100,0\r\n\"D\",100,0\r\n");
    EXPECT_TRUE(QFileInfo::exists(thumbnailPath(lib.folder, "D")));
}

} // namespace
} // namespace quorvane
