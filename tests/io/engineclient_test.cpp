// The engine client against the real QuorC and against stand-in engines that
// are missing, die or never report, heard through its signals.
#include "countingstarter.h"
#include "domain/limits.h"
#include "io/engineclient.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::testing::CountingStarter;

namespace {

class EngineClientTest : public ::testing::Test {
  protected:
    EngineClientTest() { QFile::copy(QStringLiteral(QUORC_PATH), engine()); }
    QString engine() const { return dir.filePath("QuorC"); }
    void script(const QByteArray& body) {
        QFile::remove(engine());
        QFile f(engine());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body);
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    // Runs job to its end; the stop is asked once the first column is reported.
    EngineResult run(const quor::Job& job = viewJob(quor::Quorvane, StartView, 100),
                     bool stopAtFirstColumn = false) {
        QSignalSpy finished(&client, &EngineClient::finished);
        if (stopAtFirstColumn)
            QObject::connect(&client, &EngineClient::progress, &client,
                             [this](int column) { column > 0 ? client.stop() : void(); });
        client.start(job);
        EXPECT_TRUE(client.running());
        EXPECT_TRUE(finished.wait(30000));
        client.disconnect(&client);
        EXPECT_FALSE(client.running());
        return finished.isEmpty() ? EngineResult{} : finished.first().first().value<EngineResult>();
    }
    bool exchangeFilesGone() const {
        return QDir(dir.path()).entryList({"*.tmp*"}, QDir::AllEntries).isEmpty();
    }

    QTemporaryDir dir;
    CountingStarter starter;
    EngineClient client{starter, dir.path(), engine()};
};

} // namespace

TEST_F(EngineClientTest, ACompleteRunHandsOverTheTableAndAStoppedOneNothing) {
    QSignalSpy progress(&client, &EngineClient::progress);
    const EngineResult complete = run();
    EXPECT_EQ(complete.status, RunStatus::Complete);
    ASSERT_EQ(complete.counts.size(), std::size_t(quor::TableSize));
    EXPECT_EQ(complete.counts[482 * 724 + 361], 100); // near 0: never escapes
    EXPECT_EQ(complete.counts[0], 0);                 // the corner -2 - 1.5i
    EXPECT_EQ(progress.first().first().toInt(), 0);
    EXPECT_EQ(progress.last().first().toInt(), 724);
    EXPECT_TRUE(exchangeFilesGone());

    // A run slow enough to be stopped: a high limit over the boundary.
    const EngineResult stopped =
        run(viewJob(quor::Quorvane, {-0.7453, -0.7433, 0.1121, 0.1141}, 32767), true);
    EXPECT_EQ(stopped.status, RunStatus::Stopped);
    EXPECT_TRUE(stopped.counts.empty());
    EXPECT_TRUE(exchangeFilesGone());
    EXPECT_EQ(starter.starts, 2);
}

TEST_F(EngineClientTest, EnginesThatFailAreToldInItalian) {
    const std::pair<QByteArray, const char*> engines[] = {
        {"", "Il motore di calcolo non è stato trovato:"},
        {"printf '  5,' > Rep.tmp\nexit 3\n",
         "Il motore di calcolo si è interrotto senza completare l'immagine."},
        {"printf '725,' > Rep.tmp\n",
         "Il motore di calcolo si è fermato senza completare l'immagine."},
        {"printf '724,' > Rep.tmp\n",
         "La tabella dei conteggi (Tab.tmp) è incompleta o danneggiata."},
        // 724 before the table, which follows once the report has been read.
        {"printf '724,' > Rep.tmp\nwhile [ -e Quor.tmp ]; do sleep 0.01; done\n"
         "printf '    1,    2\\r\\n' > Tab.tmp\n",
         "La tabella dei conteggi (Tab.tmp) è incompleta o danneggiata."},
    };
    for (const auto& [body, message] : engines) {
        if (body.isEmpty())
            QFile::remove(engine());
        else
            script(body);
        const EngineResult failed = run();
        EXPECT_EQ(failed.status, RunStatus::Failed) << message;
        EXPECT_TRUE(failed.error.startsWith(QString::fromUtf8(message)))
            << failed.error.toStdString();
        EXPECT_TRUE(exchangeFilesGone()) << message;
    }
}

TEST_F(EngineClientTest, ASilentEngineRunsUntilStoppedThenGetsTenSeconds) {
    script("trap '' TERM\nwhile :; do sleep 1; done\n"); // never reports, ignores the stop
    QSignalSpy finished(&client, &EngineClient::finished);
    client.start(viewJob(quor::Quorvane, StartView, 100));
    EXPECT_FALSE(finished.wait(1500)); // no report is no end
    QElapsedTimer stopping;
    stopping.start();
    client.stop();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_GE(stopping.elapsed(), 9900);
    EXPECT_EQ(finished.first().first().value<EngineResult>().status, RunStatus::Stopped);
    EXPECT_TRUE(exchangeFilesGone());
}
