// Where Quorvane keeps its files and where it finds QuorC. A portable copy
// (QuorC beside Quorvane) keeps everything in its own folder; an installed
// copy (Quorvane in bin/, QuorC in its helper folder under libexec/) keeps
// the user's files in the user's own data folder, since the program's folder
// is usually read-only and shared by every user.
#pragma once

#include <QString>

namespace quorvane {

struct Location {
    QString appFolder; // the library, the exchange files, the lock
    QString engine;    // the path of QuorC
    bool installed = false;
    QString exports; // where "File" writes pictures
    bool operator==(const Location&) const = default;
};

// QuorC's path when it lies in folder.
QString engineIn(const QString& folder);

// The folder of QuorC relative to the folder of Quorvane in an installed copy.
QString installedEngineFolder();

// The desktop's own folder for the user's pictures (~/Immagini on an
// Italian desktop); empty when the desktop has none.
QString desktopPicturesFolder();

// Decides by layout alone, never by what may be written: programFolder is
// the folder of Quorvane, userFolder the user's data folder for Quorvane.
// With QuorC beside Quorvane (or found nowhere) the copy is portable and
// exports into Immagini/ beside the programs. An installed copy exports into
// a folder Quorvane in picturesFolder, where the user finds pictures, or,
// without one, into Immagini/ in its data folder.
Location locate(const QString& programFolder, const QString& userFolder,
                const QString& picturesFolder = {});

} // namespace quorvane
