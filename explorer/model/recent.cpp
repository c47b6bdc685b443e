#include "model/recent.h"

namespace quorvane {

void RecentPictures::push(const Picture& picture) {
    if (!picture.computed() || (!pictures.empty() && pictures.front().id == picture.id))
        return;
    pictures.push_front(picture);
    if (int(pictures.size()) > Kept + 1)
        pictures.pop_back();
}

std::vector<Picture> RecentPictures::older(int screenId) const {
    auto from = pictures.begin();
    if (from != pictures.end() && from->id == screenId)
        ++from;
    std::vector<Picture> result;
    for (auto p = from; p != pictures.end() && int(result.size()) < Kept; ++p)
        result.push_back(*p);
    return result;
}

} // namespace quorvane
