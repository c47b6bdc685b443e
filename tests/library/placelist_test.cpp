#include "library/placelist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace quorvane {
namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// A library folder inside a fresh temporary folder, as start-up lays it out.
struct Library {
    QTemporaryDir app;
    QString folder;
    QString list;
    Library() {
        folder = QDir(app.path()).filePath("BeiLuoghi");
        QDir().mkpath(folder);
        list = QDir(folder).filePath(PlaceListName);
    }
};

QImage blankImage() {
    QImage blank(32, 32, QImage::Format_RGB32);
    blank.fill(qRgb(255, 255, 255));
    return blank;
}

QImage patternImage() {
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(x * 8, y * 8, 100));
    return image;
}

TEST(PlaceList, SeedWritesTheSingleRecordOnlyWhenMissing) {
    Library lib;
    EXPECT_EQ(seedPlaceList(lib.list), QString());
    EXPECT_EQ(readBytes(lib.list), QByteArray("\"MFFSSKJHB\",1000,1\r\n"));

    const PlaceListResult read = readPlaceList(lib.list);
    EXPECT_EQ(read.error, QString());
    ASSERT_EQ(read.places.size(), 1u); // UltimoLuogo 0
    EXPECT_EQ(read.places[0], (Place{"MFFSSKJHB", 1000, 1}));

    // An existing library is never replaced by the seed.
    writeBytes(lib.list, "\"AB\",200,0\r\n");
    EXPECT_EQ(seedPlaceList(lib.list), QString());
    EXPECT_EQ(readBytes(lib.list), QByteArray("\"AB\",200,0\r\n"));

    // An empty but existing file counts as existing too.
    writeBytes(lib.list, "");
    EXPECT_EQ(seedPlaceList(lib.list), QString());
    EXPECT_EQ(readBytes(lib.list), QByteArray());

    // No folder to seed into.
    const QString nowhere = QDir(lib.app.path()).filePath("Manca/BeiLuoghi.txt");
    EXPECT_EQ(seedPlaceList(nowhere),
              "Impossibile creare l'elenco dei luoghi:\n" + QDir::toNativeSeparators(nowhere));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST(PlaceList, FormatIsByteExact) {
    EXPECT_EQ(formatPlaceList({}), QByteArray());
    EXPECT_EQ(formatPlaceList({{"Z", 100, 0}, {"aBcY", 32767, 1}, {"MFFSSKJHB", 20, 0}}),
              QByteArray("\"Z\",100,0\r\n\"aBcY\",32767,1\r\n\"MFFSSKJHB\",20,0\r\n"));
}

TEST(PlaceList, ReadingToleratesLineEndsAndBlanks) {
    // Without the final CR LF the last record is read all the same.
    auto places = parsePlaceList("\"AB\",200,0\r\n\"CD\",300,1");
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0], (Place{"AB", 200, 0}));
    EXPECT_EQ(places[1], (Place{"CD", 300, 1}));

    // A trailing CR LF does not make an extra record; an empty text is an empty library.
    EXPECT_EQ(parsePlaceList("\"AB\",200,0\r\n").size(), 1u);
    EXPECT_TRUE(parsePlaceList("").empty());
    EXPECT_TRUE(parsePlaceList("\r\n\r\n").empty());

    // Blanks around fields, lone LF and lone CR line ends.
    places = parsePlaceList("  \"AB\" , 200 ,\t1  \n\t\"Z\",100,0\r\"yY\",  20,0\r\n");
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0], (Place{"AB", 200, 1}));
    EXPECT_EQ(places[1], (Place{"Z", 100, 0}));
    EXPECT_EQ(places[2], (Place{"yY", 20, 0}));

    // The same through a file, and an empty file.
    Library lib;
    writeBytes(lib.list, "\"AB\",200,0\r\n\"CD\",300,1");
    PlaceListResult read = readPlaceList(lib.list);
    EXPECT_EQ(read.error, QString());
    EXPECT_EQ(read.places.size(), 2u);
    writeBytes(lib.list, "");
    read = readPlaceList(lib.list);
    EXPECT_EQ(read.error, QString());
    EXPECT_TRUE(read.places.empty()); // UltimoLuogo -1
}

TEST(PlaceList, MalformedLinesAndBadNamesAreSkipped) {
    const QByteArray text = "\"AB\",200,0\r\n"
                            "garbage\r\n"
                            "\"CD\",300\r\n"      // a field missing
                            "\"CD\",300,1,4\r\n"  // a field too many
                            "\"CD,300,1\r\n"      // no closing quote
                            "CD,300,1\r\n"        // no quotes
                            "\"CD\",3.5,1\r\n"    // not an integer
                            "\"CD\",,1\r\n"       // empty number
                            "\"CD\",300,x\r\n"    // flag not a number
                            "\"CD\" x,300,1\r\n"  // text after the name
                            "\"../x\",200,0\r\n"  // would lead out of the folder
                            "\"A/B\",200,0\r\n"   // would lead into a sub-folder
                            "\"\",200,0\r\n"      // empty name
                            "\"AZ\",200,0\r\n"    // Z only stands alone
                            "\"ABz\",200,0\r\n"   // z is no cell letter
                            "\"A\xe9\",200,0\r\n" // not ASCII
                            "\"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\",200,0\r\n" // 39 letters
                            "\"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\",200,0\r\n"  // 38 letters
                            "\"EF\",400,1\r\n";
    const auto places = parsePlaceList(text);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0], (Place{"AB", 200, 0}));
    EXPECT_EQ(places[1], (Place{QString(38, 'A'), 200, 0}));
    EXPECT_EQ(places[2], (Place{"EF", 400, 1}));
}

TEST(PlaceList, LimitsAreClampedAndFlagsNormalised) {
    const auto places = parsePlaceList("\"A\",19,0\r\n"
                                       "\"B\",20,0\r\n"
                                       "\"C\",32767,0\r\n"
                                       "\"D\",32768,0\r\n"
                                       "\"E\",99999999999999999999999,0\r\n"
                                       "\"F\",-5,0\r\n"
                                       "\"G\",0,0\r\n"
                                       "\"H\",+300,7\r\n"
                                       "\"I\",300,-1\r\n"
                                       "\"J\",300,00\r\n");
    ASSERT_EQ(places.size(), 10u);
    const int iters[10] = {20, 20, 32767, 32767, 32767, 20, 20, 300, 300, 300};
    const int flags[10] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 0};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(places[std::size_t(i)].iter, iters[i]) << i;
        EXPECT_EQ(places[std::size_t(i)].autoColor, flags[i]) << i;
    }
}

TEST(PlaceList, ReadingStopsAfterAThousandRecords) {
    QByteArray text;
    for (int i = 0; i < 1001; ++i) {
        // Names A, B, .. Y, then AA, AB, ..: every one valid and different.
        QByteArray name;
        int v = i;
        do {
            name.prepend(char('A' + v % 25));
            v /= 25;
        } while (v > 0);
        text += "\"" + name + "\"," + QByteArray::number(20 + i) + ",0\r\n";
    }
    const auto places = parsePlaceList(text);
    ASSERT_EQ(places.size(), 1000u);
    EXPECT_EQ(places.front(), (Place{"A", 20, 0}));
    EXPECT_EQ(places.back().iter, 1019);

    // Skipped lines do not count towards the thousand.
    const auto withBad = parsePlaceList("bad\r\n" + text);
    ASSERT_EQ(withBad.size(), 1000u);
    EXPECT_EQ(withBad.back().iter, 1019);
}

TEST(PlaceList, WriteThenReadRoundTrips) {
    Library lib;
    ASSERT_EQ(seedPlaceList(lib.list), QString());
    const std::vector<Place> places = {
        {"AB", 200, 0}, {"MFFSSKJHB", 1000, 1}, {"Z", 100, 0}, {"aBcDeY", 32767, 1}};
    EXPECT_EQ(writePlaceList(lib.list, places), QString());
    EXPECT_EQ(readBytes(lib.list), formatPlaceList(places));
    const PlaceListResult read = readPlaceList(lib.list);
    EXPECT_EQ(read.error, QString());
    EXPECT_EQ(read.places, places);

    // An empty library is an empty file.
    EXPECT_EQ(writePlaceList(lib.list, {}), QString());
    EXPECT_EQ(readBytes(lib.list), QByteArray());
    EXPECT_TRUE(readPlaceList(lib.list).places.empty());

    // Nothing but the list file is left in the folder: no temporaries.
    EXPECT_EQ(QDir(lib.folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{PlaceListName});
}

// Runs the rest of a scope with the permissions of an ordinary user, so that a
// read-only folder is read-only even when the tests run as root.
struct OrdinaryUser {
    bool switched = false;
    OrdinaryUser() {
        if (geteuid() == 0)
            switched = seteuid(65534) == 0;
    }
    ~OrdinaryUser() {
        if (switched) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
};

TEST(PlaceList, FailedWriteKeepsTheOldFile) {
    Library lib;
    const QByteArray old = "\"AB\",200,0\r\n\"CD\",300,1\r\n";
    writeBytes(lib.list, old);
    const std::vector<Place> places = {{"EF", 400, 1}};
    const QString message =
        "Impossibile scrivere l'elenco dei luoghi:\n" + QDir::toNativeSeparators(lib.list);

    // A read-only folder, readable and searchable by everyone.
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto searchable = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    QFile::setPermissions(lib.app.path(), readable | searchable | QFileDevice::WriteOwner);
    QFile::setPermissions(lib.folder, readable | searchable);
    QFile::setPermissions(lib.list, readable | QFileDevice::WriteOwner);
    {
        OrdinaryUser user;
        EXPECT_EQ(writePlaceList(lib.list, places), message);
        const PlaceListResult read = readPlaceList(lib.list);
        EXPECT_EQ(read.error, QString());
        EXPECT_EQ(read.places.size(), 2u);
    }
    QFile::setPermissions(lib.folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(readBytes(lib.list), old);
    EXPECT_EQ(QDir(lib.folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{PlaceListName});

    // A full disk: the new bytes do not fit, the old file stays whole.
    std::vector<Place> many;
    for (int i = 0; i < 500; ++i)
        many.push_back({"ABCDEFGHIJKLMNOPQRSTUVWXY", 1000, 1});
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString full = writePlaceList(lib.list, many);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(full, message);
    EXPECT_EQ(readBytes(lib.list), old);
    EXPECT_EQ(QDir(lib.folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{PlaceListName});
}

TEST(PlaceList, UnreadableListGivesAMessageAndAnEmptyLibrary) {
    Library lib;
    PlaceListResult read = readPlaceList(lib.list); // missing
    EXPECT_EQ(read.error,
              "Impossibile leggere l'elenco dei luoghi:\n" + QDir::toNativeSeparators(lib.list));
    EXPECT_TRUE(read.places.empty());

    QDir().mkpath(lib.list); // a folder where the file should be
    read = readPlaceList(lib.list);
    EXPECT_EQ(read.error,
              "Impossibile leggere l'elenco dei luoghi:\n" + QDir::toNativeSeparators(lib.list));
    EXPECT_TRUE(read.places.empty());
}

TEST(Thumbnails, LoadFallsBackToBlank) {
    Library lib;
    const QImage blank = blankImage();
    const QImage picture = patternImage();

    // Missing file.
    EXPECT_EQ(loadThumbnail(lib.folder, "AB", blank), blank);

    // A valid BMP is loaded with its pixels.
    ASSERT_TRUE(picture.save(QDir(lib.folder).filePath("AB.bmp"), "BMP"));
    QImage loaded = loadThumbnail(lib.folder, "AB", blank);
    ASSERT_EQ(loaded.size(), QSize(32, 32));
    EXPECT_EQ(loaded.pixel(5, 7), qRgb(40, 56, 100));
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), picture);

    // Letter case is part of the name.
    ASSERT_TRUE(
        QFile::copy(QDir(lib.folder).filePath("AB.bmp"), QDir(lib.folder).filePath("aB.bmp")));
    EXPECT_EQ(loadThumbnail(lib.folder, "aB", blank).pixel(5, 7), qRgb(40, 56, 100));
    EXPECT_EQ(loadThumbnail(lib.folder, "Ab", blank), blank);

    // An unreadable file: not a bitmap.
    writeBytes(QDir(lib.folder).filePath("CD.bmp"), "BM not really a bitmap");
    EXPECT_EQ(loadThumbnail(lib.folder, "CD", blank), blank);

    // Names that are not area names never reach the file system, even when a
    // file of that name exists outside the folder.
    ASSERT_TRUE(picture.save(QDir(lib.app.path()).filePath("x.bmp"), "BMP"));
    QDir(lib.folder).mkpath("A");
    ASSERT_TRUE(picture.save(QDir(lib.folder).filePath("A/B.bmp"), "BMP"));
    EXPECT_EQ(loadThumbnail(lib.folder, "../x", blank), blank);
    EXPECT_EQ(loadThumbnail(lib.folder, "A/B", blank), blank);
    EXPECT_EQ(loadThumbnail(lib.folder, QDir(lib.app.path()).filePath("x"), blank), blank);
    EXPECT_EQ(loadThumbnail(lib.folder, "", blank), blank);
}

TEST(Thumbnails, SaveReplacesAtomicallyAndChecksTheName) {
    Library lib;
    const QImage picture = patternImage();
    EXPECT_EQ(saveThumbnail(lib.folder, "MK", picture), QString());
    EXPECT_EQ(loadThumbnail(lib.folder, "MK", blankImage()).convertToFormat(QImage::Format_RGB32),
              picture);

    QImage second = picture;
    second.fill(qRgb(1, 2, 3));
    EXPECT_EQ(saveThumbnail(lib.folder, "MK", second), QString());
    EXPECT_EQ(loadThumbnail(lib.folder, "MK", blankImage()).pixel(0, 0), qRgb(1, 2, 3));

    EXPECT_FALSE(saveThumbnail(lib.folder, "../x", picture).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QDir(lib.app.path()).filePath("x.bmp")));
    EXPECT_EQ(QDir(lib.folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{"MK.bmp"});
}

} // namespace
} // namespace quorvane
