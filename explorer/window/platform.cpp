#include "window/platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace quorvane {

void Platform::message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QApplication::applicationName(), text, QMessageBox::Ok);
}

bool Platform::question(QWidget* parent, const QString& text) {
    // A plain question, without an icon, as the export confirmations are.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

void Platform::beep() {
    QApplication::beep();
}

std::unique_ptr<QProcess> Platform::startProgram(const QString& program,
                                                 const QString& workingDir) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(program);
    process->setWorkingDirectory(workingDir);
    // The engine writes nothing worth reading; never let a full pipe block it.
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_LINUX
    // The engine never outlives the window: were the window to die mid-run,
    // an engine left at work would go on writing the exchange files that the
    // next window in this folder reads as its own.
    const pid_t window = ::getpid();
    process->setChildProcessModifier([window] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != window) // the window died before the request took hold
            ::_exit(1);
    });
#endif
    process->start();
    if (!process->waitForStarted(5000))
        return nullptr;
    return process;
}

} // namespace quorvane
