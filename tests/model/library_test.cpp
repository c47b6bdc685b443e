// The place library alone, on a folder of its own: what was saved or
// exported, and a deleted place that can be saved again.
#include "domain/thumbnails.h"
#include "model/library.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

Picture computed(const char* name) {
    QImage image(724, 724, QImage::Format_RGB32);
    for (int y = 0; y < 724; ++y)
        for (int x = 0; x < 724; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 7));
    return Picture{image, newPictureId(), View::of(AreaName::from(name).value()), {}, 100, nullptr};
}

} // namespace

TEST(PlaceLibrary, RemembersWhatWasSavedOrExported) {
    QTemporaryDir dir;
    const QImage blank = blankThumbnail();
    PlaceLibrary library(blank);
    EXPECT_TRUE(library.load(dir.path(), true, dir.filePath("out")).isEmpty());
    EXPECT_EQ(library.chosenArea(), AreaName::from("MFFSSKJHB"));
    EXPECT_EQ(library.chosenThumbnail(), blank);

    const Picture m = computed("M");
    EXPECT_TRUE(library.save(m, 250, true).isEmpty());
    EXPECT_TRUE(library.saved(m.id));
    EXPECT_EQ(library.places().chosenPlace(), (Place{"M", 250, 1}));
    EXPECT_EQ(library.chosenThumbnail(), placeThumbnail(m.image));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("M.bmp")));

    EXPECT_TRUE(library.exportPicture(m, "M.bmp").isEmpty());
    EXPECT_TRUE(library.exported(m.id));
    EXPECT_TRUE(QFileInfo(dir.filePath("out/M.bmp")).size() > 0);
    // A folder where the file should go: the export fails and is not remembered.
    const Picture k = computed("K");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("out/K.bmp")));
    EXPECT_FALSE(library.exportPicture(k, "K.bmp").isEmpty());
    EXPECT_FALSE(library.exported(k.id));

    // The place deleted, its picture can be saved again.
    EXPECT_TRUE(library.remove().isEmpty());
    EXPECT_FALSE(library.saved(m.id));
    EXPECT_EQ(library.places().list().size(), 1u);

    PlaceLibrary unusable(blank);
    EXPECT_TRUE(unusable.load(dir.path(), false, dir.path()).isEmpty());
    EXPECT_FALSE(unusable.chosenArea());
    EXPECT_EQ(unusable.places().UltimoLuogo(), -1);
}
