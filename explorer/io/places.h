// The place library in memory: the saved places, the one shown in the frame
// (`LuogoScelto`) and the changes the library commands make. A change is
// worked out first, written to disk, and taken over in memory only once the
// files hold it, so a failed write leaves memory and disk as they were.
#pragma once

#include "io/placelist.h"

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace quorvane {

inline const QString LibraryFullMessage =
    QStringLiteral("Raggiunto limite massimo di immagini memorizzabili!");
// Saving or deleting would replace a list file that start-up could not read
// and that the user may still mend.
inline const QString ListNotReadMessage =
    QStringLiteral("L'elenco dei luoghi non si è potuto leggere all'avvio:\n"
                   "la libreria non viene modificata, per non perderlo.");

// Added to a failed save's message when the thumbnail it replaced could not
// be put back: the list still has the place as it was, its thumbnail is new.
inline const QString ThumbnailNotRestoredMessage =
    QStringLiteral("La miniatura precedente non si è potuta ripristinare; quella nuova resta:");

// The places in ascending order of name by character code ("Z" before "a"),
// sorted by selection as the list file has always been: of equal names, the
// one the sort leaves first is the one a save keeps.
std::vector<Place> sortedByName(std::vector<Place> places);

struct Arrangement {
    std::vector<Place> places;
    int chosen = 0; // `LuogoScelto`
    bool operator==(const Arrangement&) const = default;
};

// The library after saving a place: the first place of that name updated, or
// the place appended; sorted by name; each repeated name after its first
// dropped; chosen is where the saved place ended up.
Arrangement arrangeAfterSave(const std::vector<Place>& places, const Place& saved);

// The library in memory after deleting places[index]: the last place moves
// into the gap.
std::vector<Place> fillGap(std::vector<Place> places, int index);

// Which library commands the ready window enables.
struct LibraryCommands {
    bool previous = false; // `SelSave(0)`
    bool next = false;     // `SelSave(1)`
    bool activate = false; // `Carica`
    bool remove = false;   // `Elimina`
    bool operator==(const LibraryCommands&) const = default;
};

struct LibraryOutcome {
    bool changed = false;
    QString message; // for the user when the library could not change; else empty
};

class Places {
  public:
    Places() = default;
    // listRead is false when the list file exists but could not be read; it
    // is then never overwritten.
    explicit Places(std::vector<Place> places, bool listRead = true);

    const std::vector<Place>& list() const { return places_; }
    int LuogoScelto() const { return chosen_; }
    int UltimoLuogo() const { return int(places_.size()) - 1; }
    bool listRead() const { return listRead_; }
    // The place shown in the frame; none in an empty library.
    std::optional<Place> chosenPlace() const;

    // `SelSave_Click`: index 0 one place back, 1 one place on, never past
    // either end.
    void select(int index);
    LibraryCommands commands() const;

    // Why the library cannot take this change now, or empty.
    QString saveRefusal() const;
    QString changeRefusal() const;
    // Takes over a change that is already on disk.
    void take(Arrangement arrangement);

    // `Salva_Click` with the files in folder: the thumbnail first, then the
    // list; when the list cannot be written the old thumbnail is put back.
    LibraryOutcome save(const QString& folder, const Place& place, const QImage& thumbnail);
    // `Elimina_Click`: nothing with one place or none; otherwise the list
    // without the chosen place is written sorted, then its thumbnail goes.
    LibraryOutcome remove(const QString& folder);

  private:
    std::vector<Place> places_;
    int chosen_ = 0;
    bool listRead_ = true;
};

struct LoadedPlaces {
    Places places;
    QString message; // for the user when the list could not be seeded or read
};

// Start-up: seeds a missing list file in folder, then reads it.
LoadedPlaces loadPlaces(const QString& folder);

} // namespace quorvane
