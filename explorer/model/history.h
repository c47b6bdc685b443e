// The pictures: the one on the screen outside the modes, the stored start
// view, the recent pictures and the position while browsing them, and the
// table of the last completed run of a view with its counts per escape count.
#pragma once

#include "model/recent.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace quorvane {

// The counts of the last completed run of a view and the picture painted
// from them.
struct RunTable {
    std::vector<std::int16_t> counts; // [column * 724 + row]
    std::shared_ptr<const Frequencies> frequencies;
    int pictureId = 0;
    int limit = 100;
};

class PictureHistory {
  public:
    PictureHistory();

    // The picture on the screen outside the modes.
    const Picture& current() const { return main; }
    const std::optional<Picture>& startView() const { return start; }
    const RecentPictures& recent() const { return pictures; }
    const RunTable& table() const { return run; }
    // The current picture is the one whose table is held.
    bool currentHasTable() const { return main.computed() && main.id == run.pictureId; }

    // The picture on the screen goes among the recent ones, unless it is
    // blank or already the newest.
    void push() { pictures.push(main); }
    // picture is on the screen from now on (not yet among the recent ones).
    void show(const Picture& picture) { main = picture; }
    // A run of view completed: its picture, painted from counts, is on the
    // screen, newest of the recent ones; the first run of the start view is
    // stored for good.
    void completeRun(const Painting& painted, const View& view,
                     const std::vector<std::int16_t>& counts, bool startView);

    // ---- Browsing ----
    // The pictures to step back to from the one on the screen.
    int olderCount() const { return int(pictures.older(main.id).size()); }
    // Starts browsing at position 1; false when there is nothing to browse.
    bool startBrowsing();
    // One step towards the newer (0) or the older (1) pictures.
    void step(int index);
    void endBrowsing() { position = 0; }
    int browsePosition() const { return position; }
    int browseCount() const { return int(browsable.size()); }
    // The picture at the position browsed (0: the picture on the screen).
    const Picture& browsed() const;

  private:
    Picture main;
    std::optional<Picture> start;
    RecentPictures pictures;
    RunTable run;
    std::vector<Picture> browsable;
    int position = 0;
};

} // namespace quorvane
