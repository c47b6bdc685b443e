#include "model/history.h"

namespace quorvane {

PictureHistory::PictureHistory() : main(Picture::blank(View{}, 0)) {
    auto none = std::make_shared<Frequencies>();
    none->fill(0);
    run.frequencies = std::move(none);
    run.counts.assign(std::size_t(DimScreen) * DimScreen, 0);
}

void PictureHistory::completeRun(const Painting& painted, const View& view,
                                 const std::vector<std::int16_t>& counts, bool startView) {
    main =
        Picture{painted.image, newPictureId(), view, std::nullopt, painted.limit, painted.palette};
    run = {counts, painted.frequencies, main.id, painted.limit};
    if (startView)
        start = main;
    pictures.push(main);
}

bool PictureHistory::startBrowsing() {
    browsable = pictures.older(main.id);
    if (browsable.empty())
        return false;
    position = 1;
    return true;
}

void PictureHistory::step(int index) {
    if (index == 0 && position > 0)
        --position;
    else if (index == 1 && position < int(browsable.size()))
        ++position;
}

const Picture& PictureHistory::browsed() const {
    return position == 0 ? main : browsable[std::size_t(position - 1)];
}

} // namespace quorvane
