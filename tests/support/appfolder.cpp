#include "appfolder.h"

#include "job.h"

#include <QAbstractButton>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorvane::testing {

AppFolder::AppFolder(bool withEngine) {
    if (withEngine) {
        const QString target = file(QStringLiteral("QuorC"));
        if (!QFile::copy(QStringLiteral(QUORC_PATH), target))
            ADD_FAILURE() << "cannot copy QuorC into " << target.toStdString();
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::ExeOwner);
    }
}

void AppFolder::installEngineScript(const QByteArray& script) {
    const QString target = file(QStringLiteral("QuorC"));
    QFile::remove(target);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + script);
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void AppFolder::installSlowEngine() {
    installEngineScript("n=0\n"
                        "while [ $n -lt 700 ]; do\n"
                        "  printf '%3d,' $n > Rep.part && mv Rep.part Rep.tmp\n"
                        "  if [ \"$(head -c 1 Quor.tmp 2>/dev/null)\" = 2 ]; then\n"
                        "    printf '725,' > Rep.part && mv Rep.part Rep.tmp\n"
                        "    exit 0\n"
                        "  fi\n"
                        "  sleep 0.05\n"
                        "  n=$((n + 1))\n"
                        "done\n");
}

void AppFolder::keepJobs() {
    QFile::rename(file(QStringLiteral("QuorC")), file(QStringLiteral("QuorC.real")));
    installEngineScript("cat Quor.tmp >> jobs.txt\nexec ./QuorC.real\n");
}

bool AppFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

std::vector<double> jobValues(const AppFolder& folder, int job) {
    QFile file(folder.file(QStringLiteral("jobs.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    std::vector<double> values;
    for (qsizetype i = qsizetype(job) * 6; i < qsizetype(job + 1) * 6 && i < lines.size(); ++i) {
        const QByteArray line = lines[i];
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_FALSE(line.contains(',')) << line.toStdString();
        // Read as the engine reads it: the job text is chosen for that reader.
        const QByteArray number = line.chopped(1);
        EXPECT_TRUE(quor::isJobNumber(std::string_view(number.constData(), number.size())))
            << line.toStdString();
        values.push_back(quor::readnum(number.constData(), std::uint8_t(number.size() - 1)));
    }
    return values;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

std::unique_ptr<MainWindow> startWindow(const AppFolder& folder, FakePlatform& platform) {
    auto window = std::make_unique<MainWindow>(folder.path(), platform);
    window->show();
    MainWindow* w = window.get();
    EXPECT_TRUE(waitUntil([w] { return w->zStored() && !w->busy(); }))
        << "the start view was not stored";
    return window;
}

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickWhen(QAbstractButton* button, std::function<bool()> condition) {
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, button, condition] {
        if (condition()) {
            timer->stop();
            timer->deleteLater();
            QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    timer->start();
}

} // namespace quorvane::testing
