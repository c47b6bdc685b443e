#include "appfolder.h"

#include "job.h"
#include "model/explorer.h"

#include <QAbstractButton>
#include <QEventLoop>
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

bool AppFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
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

bool startedAndIdle(const MainWindow& w) {
    return w.explorer().history().startView().has_value() && w.explorer().work() == Work::None;
}

std::unique_ptr<MainWindow> startWindow(const AppFolder& folder, FakePlatform& platform) {
    auto window = std::make_unique<MainWindow>(folder.path(), platform);
    window->show();
    MainWindow* w = window.get();
    EXPECT_TRUE(waitUntil([w] { return startedAndIdle(*w); })) << "the start view was not stored";
    return window;
}

bool waitForIdle(const MainWindow& w, int timeoutMs) {
    const Explorer& model = w.explorer();
    if (model.work() == Work::None)
        return true;
    // Woken by the window's own signal, not by polling.
    QEventLoop loop;
    QObject::connect(&model, &Explorer::changed, &loop, [&] {
        if (model.work() == Work::None)
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return model.work() == Work::None;
}

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    if (const auto* w = qobject_cast<const MainWindow*>(button->window())) {
        EXPECT_TRUE(waitForIdle(*w))
            << "the work of " << button->objectName().toStdString() << " did not end";
    }
}

void clickWhen(QAbstractButton* button, std::function<bool()> condition) {
    // The button owns the timer: it ends with the window, whether or not the
    // condition ever held.
    auto* timer = new QTimer(button);
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
