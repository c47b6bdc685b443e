// The enabling rule, mode by mode: the commands each situation offers.
#include "model/commands.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QStringList letters() {
    QStringList names;
    for (int i = 0; i < 25; ++i)
        names << QStringLiteral("Lettere(%1)").arg(i);
    return names;
}

const QStringList Ready = {"Griglia",   "Iterazioni(1)", "IterazOK", "View",
                           "AutoColor", "Colors",        "Esci",     "Julia"};

QStringList sorted(QStringList names) {
    names.sort();
    return names;
}

} // namespace

TEST(EnablingRule, EveryModeOffersItsOwnCommands) {
    Situation computed;
    computed.pictureComputed = computed.pictureHasTable = computed.screenExportable = true;
    computed.olderPictures = 2;
    computed.previousPlace = computed.placeToActivate = computed.placeToDelete = true;
    Situation blank = computed;
    blank.pictureComputed = blank.pictureHasTable = blank.screenExportable = false;
    Situation saved = computed;
    saved.pictureSaved = saved.pictureExported = true;
    saved.pictureHasTable = false;

    auto with = [](Situation s, auto change) {
        change(s);
        return s;
    };
    const QStringList shiftCross = {"Mezzo(0)", "Mezzo(1)", "Mezzo(2)", "Mezzo(3)", "Mezzo(4)"};
    const struct {
        const char* what;
        Situation situation;
        QStringList enabled;
    } cases[] = {
        {"a computed picture, older ones and a place before this one", computed,
         Ready + QStringList{"Istogramma", "SelImage(1)", "SelSave(0)", "Salva", "SalvaFile",
                             "Elimina", "Carica", "Esporta"}},
        {"a blank screen: nothing to chart, save or export", blank,
         Ready + QStringList{"SelImage(1)", "SelSave(0)", "Elimina", "Carica"}},
        {"a picture saved and exported, recalled without its counts: exported again at any size",
         saved, Ready + QStringList{"SelImage(1)", "SelSave(0)", "Elimina", "Carica", "Esporta"}},
        {"each piece of work: its own stop only",
         with(computed, [](Situation& s) { s.work = Work::ViewRun; }),
         {"Ferma"}},
        {"an export: the dialog's Stop only",
         with(computed, [](Situation& s) { s.work = Work::Export; }),
         {"EsportaStop"}},
        {"an export of a Julia picture",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::PictureShown;
                  s.work = Work::Export;
              }),
         {"EsportaStop"}},
        {"a Julia run",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.work = Work::JuliaRun;
              }),
         {"StopJulia"}},
        {"a trace",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.work = Work::Trace;
              }),
         {"StopTraccia"}},
        {"the grid, no letter yet, centred, a long name",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Grid;
                  s.menoUna = true;
              }),
         letters() + shiftCross + QStringList{"Griglia", "Copia", "MenoUna"}},
        {"the grid shifted to the right and top ends",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Grid;
                  s.shiftX = 4;
                  s.shiftY = 0;
              }),
         letters() + QStringList{"Mezzo(1)", "Mezzo(2)", "Mezzo(4)", "Griglia", "Copia"}},
        {"a first letter, the sub-grid shifted left and down to the ends",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Grid;
                  s.gridStage = GridStage::Fine;
                  s.shiftX = 0;
                  s.shiftY = 4;
              }),
         letters() + QStringList{"Mezzo(0)", "Mezzo(3)", "Mezzo(4)", "Griglia", "Copia"}},
        {"both letters",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Grid;
                  s.gridStage = GridStage::Complete;
              }),
         {"Griglia", "Copia"}},
        {"going back, more to cut",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Grid;
                  s.gridStage = GridStage::GoingBack;
                  s.menoUna = true;
              }),
         {"Griglia", "Copia", "MenoUna"}},
        {"browsing between the ends",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Browsing;
                  s.position = 1;
                  s.count = 2;
              }),
         {"EndSel", "AttSel", "SelImage(0)", "SelImage(1)"}},
        {"browsing at the screen's own picture",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Browsing;
                  s.count = 1;
              }),
         {"EndSel", "AttSel", "SelImage(1)"}},
        {"browsing at the oldest",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Browsing;
                  s.position = s.count = 3;
              }),
         {"EndSel", "AttSel", "SelImage(0)"}},
        {"the chart",
         with(computed, [](Situation& s) { s.mode = MainMode::Chart; }),
         {"Istogramma"}},
        {"Julia mode, no constant yet",
         with(computed, [](Situation& s) { s.mode = MainMode::Julia; }),
         {"Julia", "Sfondo"}},
        {"a constant chosen",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::ConstantChosen;
                  s.traceAvailable = true;
              }),
         {"Julia", "Sfondo", "JuliaGo", "Traccia"}},
        {"a Julia picture, not exported",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::PictureShown;
                  s.juliaPictureToExport = true;
              }),
         {"Julia", "Sfondo", "JuliaGo", "SalvaJulia", "IterazOK", "Iterazioni(1)", "AutoColor",
          "Esporta"}},
        {"a Julia run stopped before any picture: the screen shows none to export",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::PictureShown;
                  s.screenExportable = false;
              }),
         {"Julia", "Sfondo", "JuliaGo", "IterazOK", "Iterazioni(1)", "AutoColor"}},
        {"a zoom framed over an exported Julia picture",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::ZoomPending;
              }),
         {"Julia", "JuliaGo", "IterazOK", "Iterazioni(1)", "AutoColor", "Esporta"}},
        {"a trace on the picture",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::TraceShown;
              }),
         {"Traccia"}},
        {"the trace removed",
         with(computed,
              [](Situation& s) {
                  s.mode = MainMode::Julia;
                  s.juliaStage = JuliaStage::ConstantChosen;
              }),
         {"Julia", "Sfondo", "JuliaGo"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sorted(commandsFor(c.situation).enabled()), sorted(c.enabled)) << c.what;
}
