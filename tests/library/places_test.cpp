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

TEST(Places, DeletingANameListedTwiceKeepsItsThumbnail) {
    Library lib;
    writeBytes(thumbnailPath(lib.folder, "A"), "A");
    Places twice(named({"A", "A", "D"}));
    EXPECT_EQ(twice.remove(lib.folder).changed, true);
    EXPECT_EQ(readBytes(lib.list), "\"A\",100,0\r\n\"D\",100,0\r\n");
    EXPECT_TRUE(QFileInfo::exists(thumbnailPath(lib.folder, "A")));
}

} // namespace
} // namespace quorvane
