// A picture the explorer computed: its pixels and everything needed to
// compute it again (at another size, say): the view it shows, or the Julia
// view and constant, its iteration limit and the palette it was painted
// with, which is shared and never changes.
#pragma once

#include "domain/juliaview.h"
#include "domain/palette.h"
#include "domain/view.h"

#include <QImage>
#include <memory>
#include <optional>
#include <vector>

namespace quorvane {

// The Julia set a picture shows: the constant c over a Julia view.
struct JuliaSubject {
    JuliaView view;
    PlanePoint constant;
    bool operator==(const JuliaSubject&) const = default;
};

struct Picture {
    QImage image;
    int id = 0; // every computed picture has its own; 0: blank
    View view;  // the view shown (for a Julia picture: the view it was picked on)
    std::optional<JuliaSubject> julia;
    int iterations = 0; // the iteration limit it was computed with
    std::shared_ptr<const Palette> palette;

    bool computed() const { return id != 0; }
    const QString& name() const { return view.name.text(); }
    // The job that computes this picture again.
    EngineJob job() const;

    // A black picture for a view not yet computed.
    static Picture blank(const View& view, int iterations);
};

// A table of counts painted, with the counts per escape count and the
// palette and the iteration limit it was painted with.
struct Painting {
    QImage image;
    std::shared_ptr<const Frequencies> frequencies;
    std::shared_ptr<const Palette> palette;
    int limit = 100;
};

// A new id for a computed picture, never given before in this program.
int newPictureId();

} // namespace quorvane
