// The window on the user's desktop: an Italian system locale, an application
// folder that cannot be written, and where the keyboard goes.
#include "app/session.h"
#include "desktop.h"
#include "job.h"
#include "steps.h"
#include "window/sfondo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorvane;
using namespace quorvane::testing;

TEST_F(ItalianDesktop, TheStartViewAndANavigationRunCarryPeriodsInTheirJobs) {
    AppFolder folder;
    keepJobs(folder);
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const Explorer& model = w->explorer();
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    ASSERT_EQ(keptJobs(folder).size(), 1u);
    EXPECT_EQ(keptJobs(folder)[0], (std::vector<double>{0, -2, 1, -1.5, 1.5, 100}));
    EXPECT_EQ(ui.sfondo->image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(ui.Limite[2]->text(), "-1,5");

    // A cell and a sub-cell, confirmed and computed: the job holds the
    // limits the window shows afterwards, to the last bit.
    press(ui, "#MK!");
    setLimit(ui, "1.000"); // a thousand, typed the Italian way
    EXPECT_EQ(model.colouring().iterMax(), 1000);
    setLimit(ui, "2,5e2"); // 250 typed the Italian way
    ASSERT_EQ(model.colouring().iterMax(), 250);
    click(ui.View);
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(ui.RiquadroCorrente->text(), "MK");
    const Limits mk = model.navigator().view().limits;
    ASSERT_EQ(keptJobs(folder).size(), 2u);
    EXPECT_EQ(keptJobs(folder)[1],
              (std::vector<double>{0, mk.xMin, mk.xMax, mk.yMin, mk.yMax, 250}));
    EXPECT_TRUE(ui.Limite[0]->text().contains(',')) << ui.Limite[0]->text().toStdString();
    EXPECT_EQ(ui.Zoom->text(), "625");
}

TEST(Desktop, AFolderThatCannotBeWrittenIsToldApartFromOneInUse) {
    QTemporaryDir root;
    ASSERT_TRUE(QFile::setPermissions(root.path(), QFile::permissions(root.path()) |
                                                       QFileDevice::ReadOther |
                                                       QFileDevice::ExeOther));
    // A file where the folder should be: nothing can be made inside it.
    const QString notAFolder = root.filePath("file");
    QFile(notAFolder).open(QIODevice::WriteOnly);
    FakePlatform platform;
    EXPECT_EQ(openSession(notAFolder, platform), nullptr);
    EXPECT_EQ(platform.messages, QStringList{folderNotWritableMessage(notAFolder)});

    // A read-only folder, as an ordinary user meets it: the check runs in a
    // child process that gives up root, which would write there anyway.
    const QString readOnly = root.filePath("readonly");
    ASSERT_TRUE(QDir().mkdir(readOnly));
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0555), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        const FolderLock lock = lockAppFolder(readOnly);
        ::_exit(lock.lock ? 1 : lock.refusal == folderNotWritableMessage(readOnly) ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: locked anyway, 2: reported as in use, 3: no user";
}

TEST(Desktop, TheKeyboardGoesToTheIterationLimitAfterEveryRun) {
    AppFolder folder;
    FakePlatform platform;
    auto w = startWindow(folder, platform);
    const Controls& ui = w->controls();
    const Explorer& model = w->explorer();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(ui.Iterazioni[0]->focusPolicy(), Qt::NoFocus);
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(QApplication::focusWidget(), ui.Iterazioni[1]) << run;
        // Typed straight away, as a user would after a picture.
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(static_cast<QWidget*>(nullptr), QString::number(200 + run));
        click(ui.IterazOK);
        EXPECT_EQ(model.colouring().iterMax(), 200 + run);
        click(ui.View);
        EXPECT_EQ(model.history().table().limit, 200 + run);
    }
}
