// One window's session on its application folder, against what an earlier
// session left there: a window killed with its engine at work, an engine
// still running on its own, a lock that a full disk keeps from replacing.
#include "app/session.h"
#include "exchange.h"
#include "fulldisk.h"
#include "steps.h"
#include "window/sfondo.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace quorvane;
using namespace quorvane::testing;

namespace {

// The engine's report is rewritten no more: nothing is left at work.
bool reportStaysGone(const AppFolder& folder) {
    QTest::qWait(200); // a rewrite already under way may still land
    QFile::remove(folder.file("Rep.tmp"));
    QTest::qWait(500); // the slow engine reports every 50 ms
    return !folder.exists("Rep.tmp");
}

void putRealEngine(const AppFolder& folder) {
    QFile::remove(folder.file("QuorC"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORC_PATH), folder.file("QuorC")));
}

// A session on folder computes its own start view, with nothing to report.
void expectOwnStartView(const AppFolder& folder) {
    FakePlatform platform;
    auto session = openSession(folder.path(), platform);
    ASSERT_NE(session, nullptr);
    MainWindow* w = session->window.get();
    ASSERT_TRUE(waitUntil([w] { return startedAndIdle(*w); }));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.messages.join('|').toStdString();
    EXPECT_EQ(w->controls().RiquadroCorrente->text(), "Z");
    EXPECT_EQ(w->explorer().history().table().counts[482 * 724 + 361], 100);
    EXPECT_EQ(pixelsNotPainted(*w, *w->explorer().colouring().palette()), 0);
    EXPECT_TRUE(reportStaysGone(folder));
}

} // namespace

TEST(Session, AKilledWindowTakesItsEngineAlongAndTheNextComputesItsOwnPicture) {
    AppFolder folder;
    folder.installSlowEngine();
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORVANE_PATH), folder.file("Quorvane")));
    QProcess window;
    window.setProcessEnvironment([] {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        return env;
    }());
    window.start(folder.file("Quorvane"));
    ASSERT_TRUE(waitUntil([&] {
        const auto report = quor::readReport(folder.file("Rep.tmp").toStdString());
        return report && *report > 2;
    })) << "the start run never got under way";
    window.kill();
    ASSERT_TRUE(window.waitForFinished());
    EXPECT_TRUE(reportStaysGone(folder));

    putRealEngine(folder);
    expectOwnStartView(folder);
}

TEST(Session, AnEngineLeftAtWorkInTheFolderIsEndedBeforeTheFirstRun) {
    AppFolder folder;
    // An engine that belongs to no window, working in the folder under its
    // own name, as one left by an earlier version would.
    folder.installSlowEngine();
    ASSERT_TRUE(QDir().mkdir(folder.file("stray")));
    ASSERT_TRUE(QFile::rename(folder.file("QuorC"), folder.file("stray/QuorC")));
    ASSERT_TRUE(QProcess::startDetached(folder.file("stray/QuorC"), {}, folder.path()));
    ASSERT_TRUE(waitUntil([&] { return folder.exists("Rep.tmp"); }));
    putRealEngine(folder);
    expectOwnStartView(folder);
}

TEST(Session, AStaleLockThatAFullDiskKeepsIsAFolderThatCannotBeWritten) {
    QTemporaryDir folder;
    const QString lockFile = folder.filePath(FolderLockName);
    // A window that died holding the lock.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(lockFile);
        ::_exit(lock.tryLock() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0 && QFile::exists(lockFile));

    FolderLock refused;
    ASSERT_TRUE(onFullDisk(0, [&] { refused = lockAppFolder(folder.path()); }));
    EXPECT_EQ(refused.lock, nullptr);
    EXPECT_EQ(refused.refusal, folderNotWritableMessage(folder.path()));
    // With room on the disk the stale lock is taken over.
    EXPECT_NE(lockAppFolder(folder.path()).lock, nullptr);
}
