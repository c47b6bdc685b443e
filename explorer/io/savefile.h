// Replacing a file the user keeps (the place list, a thumbnail, an exported
// picture) so that it is either the new file whole or the old one untouched.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace quorvane {

// Writes bytes to a temporary file beside path and renames it over path once
// every byte is known to be on disk. On failure the old file stays as it was,
// no temporary is left, and the result is failure, a line feed and the file
// name; on success it is empty.
QString saveFile(const QString& path, const QByteArray& bytes, const QString& failure);

// The same with the content written by write into the open temporary file.
// The file is unbuffered, so a write that does not reach the file system
// fails at once; write returns false on any failure, and nothing is then
// replaced.
QString saveFile(const QString& path, const std::function<bool(QIODevice& file)>& write,
                 const QString& failure);

} // namespace quorvane
