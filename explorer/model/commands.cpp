#include "model/commands.h"

namespace quorvane {

QStringList CommandStates::enabled() const {
    QStringList names;
    auto add = [&](bool on, const char* name) {
        if (on)
            names << QLatin1String(name);
    };
    auto addAll = [&](const auto& members, const char* name) {
        for (std::size_t i = 0; i < members.size(); ++i)
            if (members[i])
                names << QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
    };
    add(Griglia, "Griglia");
    addAll(Lettere, "Lettere");
    addAll(Mezzo, "Mezzo");
    add(MenoUna, "MenoUna");
    add(Copia, "Copia");
    add(Iterazioni1, "Iterazioni(1)");
    add(IterazOK, "IterazOK");
    add(Istogramma, "Istogramma");
    add(View, "View");
    add(Ferma, "Ferma");
    add(AutoColor, "AutoColor");
    add(Colors, "Colors");
    add(Esci, "Esci");
    add(Julia, "Julia");
    add(JuliaGo, "JuliaGo");
    add(StopJulia, "StopJulia");
    add(SalvaJulia, "SalvaJulia");
    add(Traccia, "Traccia");
    add(StopTraccia, "StopTraccia");
    add(Sfondo, "Sfondo");
    add(EndSel, "EndSel");
    add(AttSel, "AttSel");
    addAll(SelImage, "SelImage");
    addAll(SelSave, "SelSave");
    add(Salva, "Salva");
    add(SalvaFile, "SalvaFile");
    add(Elimina, "Elimina");
    add(Carica, "Carica");
    add(Esporta, "Esporta");
    add(EsportaStop, "EsportaStop");
    return names;
}

namespace {

// The shift cross moves within 0..4 on both axes; the centring mark always works.
void shiftCross(CommandStates& c, int x, int y) {
    c.Mezzo = {x<4, y<4, x> 0, y> 0, true};
}

CommandStates ready(const Situation& s) {
    CommandStates c;
    c.Griglia = c.Iterazioni1 = c.IterazOK = c.View = true;
    c.AutoColor = c.Colors = c.Esci = c.Julia = true;
    c.Istogramma = s.pictureHasTable;
    c.SelImage[1] = s.olderPictures > 0;
    c.SelSave = {s.previousPlace, s.nextPlace};
    c.Salva = s.pictureComputed && !s.pictureSaved;
    c.SalvaFile = s.pictureComputed && !s.pictureExported;
    c.Elimina = s.placeToDelete;
    c.Carica = s.placeToActivate;
    c.Esporta = s.screenExportable;
    return c;
}

CommandStates grid(const Situation& s) {
    CommandStates c;
    c.Griglia = c.Copia = true;
    c.MenoUna = s.menoUna;
    if (s.gridStage == GridStage::Coarse || s.gridStage == GridStage::Fine) {
        c.Lettere.fill(true);
        shiftCross(c, s.shiftX, s.shiftY);
    }
    return c;
}

CommandStates browsing(const Situation& s) {
    CommandStates c;
    c.EndSel = c.AttSel = true;
    c.SelImage = {s.position != 0, s.position < s.count};
    return c;
}

CommandStates julia(const Situation& s) {
    CommandStates c;
    const bool trace = s.juliaStage == JuliaStage::TraceShown;
    const bool constant = s.juliaStage != JuliaStage::NoConstant;
    const bool picture =
        s.juliaStage == JuliaStage::PictureShown || s.juliaStage == JuliaStage::ZoomPending;
    c.Julia = !trace;
    c.Sfondo = !trace && s.juliaStage != JuliaStage::ZoomPending;
    c.JuliaGo = !trace && constant;
    c.Traccia = trace || s.traceAvailable;
    c.SalvaJulia = s.juliaPictureToExport;
    c.Esporta = picture && s.screenExportable;
    // The limit and the colouring change the next Julia run once there is one.
    c.IterazOK = c.Iterazioni1 = c.AutoColor = picture;
    return c;
}

} // namespace

CommandStates commandsFor(const Situation& s) {
    CommandStates c;
    switch (s.work) {
    case Work::ViewRun:
        c.Ferma = true;
        return c;
    case Work::JuliaRun:
        c.StopJulia = true;
        return c;
    case Work::Trace:
        c.StopTraccia = true;
        return c;
    case Work::Export:
        c.EsportaStop = true;
        return c;
    case Work::None:
        break;
    }
    switch (s.mode) {
    case MainMode::Starting:
        return c;
    case MainMode::Ready:
        return ready(s);
    case MainMode::Grid:
        return grid(s);
    case MainMode::Browsing:
        return browsing(s);
    case MainMode::Chart:
        c.Istogramma = true;
        return c;
    case MainMode::Julia:
        return julia(s);
    }
    return c;
}

} // namespace quorvane
