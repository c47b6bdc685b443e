// Deep views in the window with the real QuorC, held against the oracle:
// names of 20, 30 and 38 letters towards i, activated from the library and
// reached by letters on the grid from shallower pictures, and the commands
// that work on a picture, on a deep one.
#include "domain/exactorbit.h"
#include "domain/numbertext.h"
#include "domain/thumbnails.h"
#include "exact.h"
#include "files.h"
#include "oracle.h"
#include "steps.h"
#include "window/library/exportdialog.h"
#include "window/library/exportpanel.h"
#include "window/sfondo.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

constexpr std::uint32_t Limit = 1000;
const quoracle::Point I{"0", "1"};

std::string towards(int letters) {
    return quoracle::nameTowards(I, letters);
}

// The groups of a name, each a zoom letter with the shift letter before it.
std::vector<std::string> groupsOf(const std::string& name) {
    std::vector<std::string> groups(1);
    for (const char c : name) {
        groups.back() += c;
        if (c >= 'A' && c <= 'Y')
            groups.emplace_back();
    }
    groups.pop_back();
    return groups;
}

// The keys that put a group's shift on the grid: right, down, left, up.
std::string shiftKeys(const std::string& group) {
    if (group.size() < 2)
        return {};
    const int x = (group[0] - 'a') % 5, y = (group[0] - 'a') / 5;
    return std::string(std::size_t(std::max(x - 2, 0)), '0') +
           std::string(std::size_t(std::max(y - 2, 0)), '1') +
           std::string(std::size_t(std::max(2 - x, 0)), '2') +
           std::string(std::size_t(std::max(2 - y, 0)), '3');
}

// The name without its last n groups, and the keys that type those groups
// on the grid, two a selection, each confirmed and computed.
std::pair<std::string, std::string> lastGroupsTyped(const std::string& name, std::size_t n) {
    const std::vector<std::string> groups = groupsOf(name);
    std::string prefix, keys;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i + n < groups.size()) {
            prefix += groups[i];
            continue;
        }
        const bool first = (i + n - groups.size()) % 2 == 0;
        if (first)
            keys += '#';
        keys.append(shiftKeys(groups[i])).push_back(groups[i].back());
        if (!first || i + 1 == groups.size())
            keys.append("!>");
    }
    return {prefix, keys};
}

// Views reached from the library and by letters on the grid, each with
// the number of groups the grid adds to a shallower place: the shallower
// place of the 20-letter views is one that doubles still resolve.
struct Target {
    std::string name;
    std::size_t typedGroups;
};
const std::vector<Target>& targets() {
    static const std::vector<Target> all = {
        {towards(20), 10}, {quoracle::testViews()[0].name, 9}, {towards(30), 4}, {towards(38), 4}};
    return all;
}

// The library: each deep name, and the shallower place the grid starts from.
QByteArray placeList() {
    QByteArray list;
    for (const Target& t : targets())
        for (const std::string& name : {t.name, lastGroupsTyped(t.name, t.typedGroups).first})
            list += "\"" + QByteArray::fromStdString(name) + "\",1000,0\r\n";
    return list;
}

const std::vector<std::pair<int, int>>& samples() {
    static const auto positions = quoracle::samplePositions(500, 31);
    return positions;
}

// The oracle's counts of the samples of a view, counted once.
const std::vector<quoracle::Count>& oracleCounts(const std::string& name) {
    static std::map<std::string, std::vector<quoracle::Count>> counted;
    auto& counts = counted[name];
    if (counts.empty())
        counts = quoracle::countSamples(*quoracle::limitsOfName(name), samples(), Limit);
    return counts;
}

// The window on the start view with the real QuorC keeping its jobs, and
// the deep places in its library.
class DeepWindow : public StartedWindow {
  protected:
    DeepWindow() : StartedWindow(true, placeList()) {}

    void act(const std::string& keys) { press(ui, keys.c_str()); }

    // Activates a place of the library.
    void activate(const std::string& name) {
        const QString place = QString::fromStdString(name);
        while (ui.SelSave[0]->isEnabled())
            click(ui.SelSave[0]);
        while (ui.SaveName->text() != place && ui.SelSave[1]->isEnabled())
            click(ui.SelSave[1]);
        ASSERT_EQ(ui.SaveName->text(), place);
        click(ui.Carica);
    }
    // ... and computes it.
    void goTo(const std::string& name) {
        activate(name);
        click(ui.View);
        ASSERT_EQ(ui.RiquadroCorrente->text().toStdString(), name);
    }

    // The last job QuorC was given, line by line.
    QList<QByteArray> lastJob() const {
        QFile file(folder.file("jobs.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QList<QByteArray> lines = file.readAll().split('\n');
        QList<QByteArray> job;
        for (qsizetype i = 0; i + 1 < lines.size(); i += job.size()) {
            const qsizetype length = lines[i] == "1\r" ? 8 : 6;
            job = lines.mid(i, length);
        }
        return job;
    }

    // The picture on the screen is the deep view of name and shows, at the
    // trusted samples, the colour its palette gives the oracle's count.
    void expectOracleColours(const std::string& name) const {
        const Picture& picture = model.history().current();
        ASSERT_EQ(picture.name().toStdString(), name);
        ASSERT_TRUE(picture.view.deep) << name;
        EXPECT_EQ(lastJob().value(0), "3\r") << lastJob().join('\n').toStdString();
        const std::vector<quoracle::Count>& counts = oracleCounts(name);
        const QImage& image = ui.sfondo->image();
        int trusted = 0, agreed = 0;
        for (std::size_t k = 0; k < counts.size(); ++k) {
            if (!counts[k].trusted)
                continue;
            ++trusted;
            const auto [column, row] = samples()[k];
            agreed += image.pixel(column, row) == toQRgb((*picture.palette)[counts[k].count]);
        }
        EXPECT_GE(trusted, 400) << name;
        EXPECT_GE(agreed, 0.985 * trusted) << name << ": " << agreed << " of " << trusted;
    }

    // The boxes of "Limiti attuali" tell the deep view as it is.
    void expectBoxesOf(const std::string& name) const {
        const QString text = QString::fromStdString(name);
        EXPECT_EQ(ui.RiquadroCorrente->text(), text);
        EXPECT_TRUE(ui.RiquadroCorrente->toolTip().endsWith(text));
        const qsizetype zooms =
            std::count_if(name.begin(), name.end(), [](char c) { return c < 'Z'; });
        EXPECT_EQ(ui.Zoom->text(), QStringLiteral("25^%1").arg(zooms));
        for (QLineEdit* box : ui.Limite) {
            EXPECT_TRUE(box->toolTip().endsWith(box->text()));
            EXPECT_EQ(box->cursorPosition(), box->text().size());
        }
        // Near i the imaginary parts take more than fifteen digits from 30
        // letters on.
        if (name.size() >= 30) {
            EXPECT_GT(ui.Limite[2]->text().size(), 17);
        }
        EXPECT_NE(ui.Limite[0]->text(), ui.Limite[1]->text());
        EXPECT_NE(ui.Limite[2]->text(), ui.Limite[3]->text());
    }
};

} // namespace

TEST_F(DeepWindow, DeepPlacesFromTheLibraryShowTheOraclesCounts) {
    for (const int letters : {20, 30, 38}) {
        SCOPED_TRACE(letters);
        goTo(towards(letters));
        expectOracleColours(towards(letters));
        expectBoxesOf(towards(letters));
    }
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(DeepWindow, LettersOnTheGridReachDeepViewsFromShallowerOnes) {
    for (const Target& t : targets()) {
        SCOPED_TRACE(t.name);
        const auto [prefix, keys] = lastGroupsTyped(t.name, t.typedGroups);
        goTo(prefix);
        act(keys);
        ASSERT_EQ(ui.RiquadroCorrente->text().toStdString(), t.name) << keys;
        expectOracleColours(t.name);
    }
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(DeepWindow, ADeepPictureIsSavedExportedChartedBrowsedAndLeftAsAnyOther) {
    const std::string deep = towards(30);
    const QString name = QString::fromStdString(deep);
    goTo(deep);
    const QImage picture = ui.sfondo->image();

    // Saved: the list holds it with its limit, its thumbnail is its own.
    click(ui.Salva);
    EXPECT_TRUE(readBytes(folder.file("BeiLuoghi/BeiLuoghi.txt"))
                    .contains("\"" + name.toLatin1() + "\",1000,0\r\n"));
    EXPECT_EQ(
        QImage(folder.file("BeiLuoghi/" + name + ".bmp")).convertToFormat(QImage::Format_RGB32),
        placeThumbnail(picture));
    // Exported under its name of 30 letters.
    platform.answers = {true};
    click(ui.SalvaFile);
    EXPECT_EQ(BitmapFile{readBytes(folder.file("Immagini/" + name + ".bmp"))}.picture(), picture);
    // Its histogram is its own table's.
    click(ui.Istogramma);
    EXPECT_EQ(model.mode(), MainMode::Chart);
    click(ui.Istogramma);

    // "-1" back up: a deep view again, then one that doubles resolve, whose
    // job is today's, byte for byte.
    act("#-!>");
    EXPECT_EQ(ui.RiquadroCorrente->text(), name.chopped(1));
    EXPECT_EQ(lastJob().value(0), "3\r");
    act("#" + std::string(20, '-') + "!");
    const QString shallow = name.left(9);
    ASSERT_EQ(ui.RiquadroCorrente->text(), shallow);
    act(">");
    const auto today =
        quor::jobText(viewJob(quor::Quorvane, decodeAreaName(shallow)->limits, 1000));
    EXPECT_EQ(lastJob().join('\n') + '\n', QByteArray::fromStdString(*today));
    EXPECT_FALSE(model.navigator().view().deep);
    // Nine zooms: 13 digits, more than the box shows; whole in its tooltip.
    EXPECT_EQ(ui.Zoom->text(), "3814697265625");
    EXPECT_TRUE(ui.Zoom->toolTip().endsWith("\n3814697265625")) << ui.Zoom->toolTip().toStdString();

    // Back to the deep picture among the recent ones, computed again alike.
    click(ui.SelImage[1]);
    while (ui.LastName->text() != name && ui.SelImage[1]->isEnabled())
        click(ui.SelImage[1]);
    ASSERT_EQ(ui.LastName->text(), name);
    click(ui.AttSel);
    click(ui.View);
    EXPECT_EQ(ui.RiquadroCorrente->text(), name);
    EXPECT_EQ(ui.sfondo->image(), picture);
    // And from the library.
    goTo(deep);
    EXPECT_EQ(ui.sfondo->image(), picture);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(DeepWindow, ADeepRunStopsAndJuliaTakesTheConstantAsShown) {
    const std::string deep = towards(38);
    goTo(deep);
    const QImage picture = ui.sfondo->image();

    // Coloured by its own histogram, the picture still tells the oracle's counts.
    ui.AutoColor->click();
    click(ui.View);
    EXPECT_NE(ui.sfondo->image(), picture);
    expectOracleColours(deep);

    // A long deep run stopped keeps the picture there was: none yet.
    activate(quoracle::testViews()[0].name);
    setLimit(ui, "32767");
    clickWhen(ui.Ferma,
              [&] { return ui.Ferma->isEnabled() && model.runner().progress().value_or(0) > 0; });
    click(ui.View);
    EXPECT_EQ(model.work(), Work::None);
    EXPECT_EQ(ui.sfondo->image(), blackPicture());
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();

    // Julia from a deep picture: the constant is the sample's exact point,
    // shown with fifteen digits and read back from them.
    goTo(deep);
    click(ui.Julia);
    QTest::mousePress(ui.sfondo, Qt::LeftButton, {}, QPoint(100, 200) + QPoint(2, 2));
    QTest::mouseRelease(ui.sfondo, Qt::LeftButton, {}, QPoint(100, 200) + QPoint(2, 2));
    const quor::DeepLimits l = *quoracle::limitsOfName(deep);
    const auto nearest = [](const quoracle::Q& v) {
        quoracle::R r(53);
        mpfr_set_q(r.f, v.q, MPFR_RNDN);
        return mpfr_get_d(r.f, MPFR_RNDN);
    };
    const quoracle::Q xa = quoracle::decimal(l.xa), xb = quoracle::decimal(l.xb);
    const quoracle::Q ya = quoracle::decimal(l.ya), yb = quoracle::decimal(l.yb);
    EXPECT_EQ(ui.XXJU->text(), numberText(nearest(xa + (xb - xa) * quoracle::Q(100, 723))));
    EXPECT_EQ(ui.YYJU->text(), numberText(nearest(ya + (yb - ya) * quoracle::Q(200, 723))));
    click(ui.JuliaGo);
    EXPECT_EQ(model.julia().state().stage, JuliaStage::PictureShown);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

TEST_F(DeepWindow, ATraceFromADeepPictureDrawsTheOrbitOfTheExactPoint) {
    const std::string deep = quoracle::testViews()[0].name; // the seahorse valley, 20 letters
    goTo(deep);
    click(ui.Julia);
    const QPoint at(362, 362);
    QTest::mousePress(ui.sfondo, Qt::LeftButton, {}, at + QPoint(2, 2));
    QTest::mouseRelease(ui.sfondo, Qt::LeftButton, {}, at + QPoint(2, 2));
    clickWhen(ui.StopTraccia, [&] { return ui.N_Tracce->text().toInt() >= 20000; });
    click(ui.Traccia);
    const int steps = ui.N_Tracce->text().toInt();
    ASSERT_GE(steps, 1000);

    // The start view with the segments of the exact point's orbit, and with
    // those of the orbit in doubles of the constant shown.
    const auto drawn = [&](auto trace) {
        QImage image = model.history().startView()->image;
        for (int k = 0; k < steps; ++k) {
            const std::optional<OrbitStep> step = trace.next();
            if (step && step->line)
                drawTraceSegment(image, *step->line, toQRgb(Bianco));
        }
        return image;
    };
    const View& view = model.navigator().view();
    const QImage exact = drawn(ExactOrbitTrace(*deepSample(view, at.x(), at.y())));
    EXPECT_EQ(ui.sfondo->image(), exact);
    EXPECT_NE(drawn(OrbitTrace(model.julia().state().constant)), exact);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}

// "Esporta…" on a deep picture computes its exact view again at 1447 points,
// in deep tiles: every second sample is the screen's own, and the samples
// between, half a step further on both axes, tell the oracle's counts.
TEST_F(DeepWindow, ADeepPictureExportedLargerSamplesItsExactView) {
    const std::string deep = towards(30);
    goTo(deep);
    const QImage screen = ui.sfondo->image().convertToFormat(QImage::Format_RGB32);
    const Palette& palette = *model.history().current().palette;
    click(ui.Esporta);
    ExportDialog* d = w->exports().dialog();
    ASSERT_TRUE(d && d->isVisible());
    const QString file = folder.file("Immagini/profondo.png");
    d->EsportaLato->setText("1447");
    d->EsportaFile->setText(QDir::toNativeSeparators(file));
    QTest::mouseClick(d->EsportaVai, Qt::LeftButton);
    ASSERT_TRUE(waitForIdle(*w, 120000)) << "the export did not end";
    ASSERT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    // Four tiles, each a deep job; the window's own jobs untouched.
    const QList<QByteArray> tiles = readBytes(folder.file("tiles.txt")).split('\n');
    EXPECT_EQ(tiles.size(), 4 * 6 + 1);
    for (qsizetype i = 0; i + 1 < tiles.size(); i += 6)
        EXPECT_EQ(tiles[i], "3\r");
    EXPECT_EQ(lastJob().value(0), "3\r");
    const QImage big = QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(big.size(), QSize(1447, 1447));

    int differ = 0;
    for (int row = 0; row < DimScreen; ++row)
        for (int column = 0; column < DimScreen; ++column)
            differ += big.pixel(2 * column, 2 * row) != screen.pixel(column, row);
    EXPECT_EQ(differ, 0);

    const quor::DeepLimits l = *quoracle::limitsOfName(deep);
    const quoracle::Q xa = quoracle::decimal(l.xa), xb = quoracle::decimal(l.xb);
    const quoracle::Q ya = quoracle::decimal(l.ya), yb = quoracle::decimal(l.yb);
    const quoracle::Q half(1, 2 * 723);
    const quoracle::Q dx = (xb - xa) * half, dy = (yb - ya) * half;
    const quor::DeepLimits between{
        quoracle::decimalText(xa + dx, 60), quoracle::decimalText(xb + dx, 60),
        quoracle::decimalText(ya + dy, 60), quoracle::decimalText(yb + dy, 60)};
    const auto counts = quoracle::countSamples(between, samples(), Limit);
    int trusted = 0, agreed = 0;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (!counts[k].trusted || samples()[k].first == 723 || samples()[k].second == 723)
            continue;
        ++trusted;
        const auto [column, row] = samples()[k];
        agreed += big.pixel(2 * column + 1, 2 * row + 1) == toQRgb(palette[counts[k].count]);
    }
    EXPECT_GE(trusted, 400);
    EXPECT_GE(agreed, 0.985 * trusted) << agreed << " of " << trusted;
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
}
