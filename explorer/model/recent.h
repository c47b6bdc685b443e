// The pictures the explorer computed, and the recent ones among them that
// the user can step back to.
#pragma once

#include "model/picture.h"

#include <deque>
#include <vector>

namespace quorvane {

// The computed pictures, newest first.
class RecentPictures {
  public:
    // Pictures to step back to besides the one on the screen.
    static constexpr int Kept = 10;

    // Keeps picture as the newest one, unless it is blank or already the
    // newest; beyond Kept earlier ones the oldest drops out.
    void push(const Picture& picture);

    // What browsing steps back to from the picture screenId on the screen:
    // every kept picture but that one when it is the newest, newest first,
    // at most Kept.
    std::vector<Picture> older(int screenId) const;

    const std::deque<Picture>& all() const { return pictures; }

  private:
    std::deque<Picture> pictures;
};

} // namespace quorvane
