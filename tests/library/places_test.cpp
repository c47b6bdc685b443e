#include "library/places.h"

#include <QDir>
#include <QFileInfo>

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
