// The exchange files' names in the application folder, kept clear for the
// next run: what an earlier session or anything else left there under those
// names, and an engine of an earlier window still at work.
#pragma once

#include <QString>
#include <QStringList>

namespace quorvane {

// The three files QuorC and the window exchange in the folder QuorC runs in:
// the job "Quor.tmp", the report "Rep.tmp" and the table "Tab.tmp".
enum class ExchangeFile { Job, Report, Table };
QString exchangePath(const QString& folder, ExchangeFile file);

// Quor.tmp, Rep.tmp, Tab.tmp and the ".part" files each is written through.
QStringList exchangeFileNames();

// Removes every exchange file, and an empty folder under such a name. A
// folder that still holds something is left alone, since it is not the
// program's: the result is then the path of what blocks the next run; empty
// when the names are clear.
QString clearExchangeFiles(const QString& appFolder);

// The message for a run that cannot start because blocker stands in the
// place of an exchange file.
QString exchangeBlockedMessage(const QString& blocker);

// Ends every QuorC of this user that works in appFolder: only an engine that
// outlived its window can, once this window holds the folder's lock.
// Returns how many were ended.
int endStrayEngines(const QString& appFolder);

} // namespace quorvane
