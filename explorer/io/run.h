// How one computation through QuorC ended.
#pragma once

#include <QString>

namespace quorvane {

inline const QString TableDamagedMessage =
    QStringLiteral("La tabella dei conteggi (Tab.tmp) è incompleta o danneggiata.");

enum class RunStatus { Complete, Stopped, Failed };

struct RunOutcome {
    RunStatus status = RunStatus::Failed;
    QString error; // an Italian message for the user when Failed
};

} // namespace quorvane
