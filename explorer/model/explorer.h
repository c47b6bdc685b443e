// The explorer's state, owned by one object without any widget: the view
// described and the picture on the screen, the view prepared for the next
// run, the run settings and the palette, the recent pictures, the place
// library, Julia mode and the mode the window is in. Every command is one
// operation here; the window's panels show what it holds and hear its
// signals.
#pragma once

#include "domain/juliaview.h"
#include "domain/limits.h"
#include "domain/marks.h"
#include "domain/orbit.h"
#include "domain/overlays.h"
#include "domain/palette.h"
#include "domain/selection.h"
#include "exchange.h"
#include "io/engine.h"
#include "io/places.h"
#include "io/run.h"
#include "model/commands.h"
#include "model/recent.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace quorvane {

// A view: its area name, its limits and its zoom factor.
struct View {
    QString name = QStringLiteral("Z");
    Limits limits = StartView;
    double zoom = 1.0;
    bool operator==(const View&) const = default;
};

// How the next run changes the zoom factor.
enum class ZoomStep {
    StartView,  // back to 1
    OneLetter,  // times 25
    TwoLetters, // times 625
    Kept,       // as the view's name already gives it
};

// What prepared the next view.
enum class Origin { StartView, Selection, Place, Recent, GoingBack, Computed };

// The view the next run computes, and how it was prepared.
struct PendingView {
    QString fragment;          // letters the run appends to the current name
    Limits limits = StartView; // the job's limits
    ZoomStep step = ZoomStep::StartView;
    QImage thumbnail; // shown on View
    Origin origin = Origin::StartView;
    QString place;              // the place activated, until the user steps in the library
    std::optional<QRect> frame; // a confirmed selection's frame on the picture
    bool subCell = false;       // ... around a sub-cell rather than a cell
    // The view shown once the run is complete, from the view shown now.
    View target(const View& shown) const;
    // The view described already, to be computed as it stands.
    static PendingView described(const Limits& limits, const QImage& thumbnail, Origin origin);
};

// Julia mode's own facts.
struct JuliaState {
    JuliaStage stage = JuliaStage::NoConstant;
    PlanePoint constant;                 // as its shown texts read back
    QString xText = QStringLiteral("0"); // XXJU
    QString yText = QStringLiteral("0"); // YYJU
    JuliaView view;
    int savedLimit = 100; // the iteration limit from before the mode (`IterSalvate`)
    bool traceAvailable = false;
    ConstantMarks marks;
    QRect zoomFrame;
    std::optional<Picture> picture; // the last completed Julia picture
    std::optional<Picture> trace;   // the start view with the orbit drawn over it
    std::uint64_t traceSteps = 0;
};

class Explorer : public QObject {
    Q_OBJECT
  public:
    explicit Explorer(QObject* parent = nullptr);
    ~Explorer() override;

    // The engine that computes the pictures.
    void useEngine(Engine& engine);

    // ---- Start-up -----------------------------------------------------------
    // Builds the ramp, handing each colour to onColour as it is computed.
    void buildRamp(const std::function<void(int, Colore)>& onColour = {});
    // Reads the place library from folder (nothing when it is unusable) and
    // exports into exportFolder.
    void loadLibrary(const QString& folder, bool usable, const QString& exportFolder);
    // The first activation: the start view computed and stored.
    void activate();

    // ---- What the window shows ----------------------------------------------
    MainMode mode() const { return mainMode; }
    Work work() const { return currentWork; }
    Situation situation() const;
    CommandStates commands() const { return commandsFor(situation()); }

    const View& view() const { return shown; }
    // The limit of the picture shown (a blank screen: of the next run).
    int effectiveLimit() const;
    int iterMax() const { return limit; }
    bool automatic() const { return automaticColours; }
    // The palette fits the limit, the colouring and the counts: the next
    // picture is painted with it as it is.
    bool paletteCurrentForNextRun() const { return paletteCurrent; }
    // The last progress number of the run shown; none after a View run.
    std::optional<unsigned> progress() const { return progressColumn; }
    const PendingView& pending() const { return next; }
    // What `Riquadro` shows.
    QString fragment() const;
    bool gridOn() const { return mainMode == MainMode::Grid; }
    const GridSelection& selection() const { return grid; }

    QImage screen() const;
    const Overlays& overlays() const { return shapes; }
    bool startViewStored() const { return startView.has_value(); }
    const std::optional<Picture>& storedStartView() const { return startView; }
    // The picture on the screen outside the modes, with what it shows.
    const Picture& picture() const { return main; }
    const RecentPictures& recentPictures() const { return recent; }

    // The counts of the last completed View run [column * 724 + row].
    const std::vector<std::int16_t>& table() const { return counts; }
    const Frequencies& frequencies() const { return *tableFrequencies; }
    const Palette& palette() const { return *colours; }
    const Ramp& ramp() const { return rampa; }
    int iterEffettive() const { return tableLimit; }

    const Places& places() const { return library; }
    const QImage& chosenThumbnail() const { return chosenIcon; }

    // Browsing: the position (0: the picture on the screen) and the count.
    int browsePosition() const { return position; }
    int browseCount() const;
    QString browsedName() const;

    const JuliaState& julia() const { return juliaState; }
    const QImage& juliaThumbnail() const { return juliaIcon; }
    int numJulia() const { return juliaFiles; }
    // Where "File" writes pictures.
    const QString& exportsTo() const { return exportFolder; }

    const QImage& noIcona() const { return blankIcon; }

    // ---- Commands -----------------------------------------------------------
    void runView();
    void stopWork();
    void setIterations(const QString& typed); // IterazOK
    void setAutomatic(bool on);               // AutoColor
    void toggleChart();

    void toggleGrid();
    void chooseLetter(int index);
    void moveGrid(int index);
    void cutOne();
    void confirmSelection();

    void savePlace();
    void stepPlace(int index);
    void activatePlace();
    void deletePlace();

    void browse(int index);
    void activateRecent();
    void endBrowsing();

    // After the user said yes: the picture written into the export folder.
    void exportArea();
    void exportJulia();

    void toggleJulia();
    void runJulia();
    void toggleTrace();
    // The left button pressed, moved with the button down, let go.
    void pressAt(int x, int y);
    void dragTo(int x, int y);
    void releaseAt(int x, int y);

    // A close of the window: true when it may close now; during work the
    // work is stopped and closeNow follows once it has ended.
    bool requestClose();

  signals:
    void changed();
    // The iteration limit was set: both boxes show it, whatever was typed.
    void limitSet();
    void progressed();
    // A trace step drew into the picture on the screen within area.
    void screenPainted(const QRect& area);
    void traceStepped();
    void notice(const QString& text);
    void beep();
    // The engine runs: the window goes back to its place.
    void engineStarted();
    // A run's table is read and painted (true), or that is over (false).
    void painting(bool on);
    void closeNow();

  private:
    void update();
    void colora(const Frequencies& frequencies);
    void startRun(Work work, const quor::Job& job);
    void runEnded(const EngineResult& result);
    void acceptView(std::vector<std::int16_t> result);
    void acceptJulia(const std::vector<std::int16_t>& result);
    void showStartView();
    void startOver();
    void goBack();
    void selectSquare();
    void refuseZoom();
    void pushMain();
    bool describe(const QString& name);
    void workEnded();
    void drawTrace();
    void traceStep();
    void endTrace();
    void zoomAt(int x, int y);
    Overlays deriveOverlays() const;
    int newId() { return ++lastId; }

    Engine* engine = nullptr;
    QTimer traceTimer;
    std::optional<OrbitTrace> orbit;

    // The view described and the picture on the screen outside the modes.
    View shown;
    Picture main;
    std::optional<Picture> startView;
    PendingView next;

    // The last completed View run.
    std::vector<std::int16_t> counts;
    std::unique_ptr<Frequencies> tableFrequencies;
    std::unique_ptr<Palette> tablePalette;
    int tableId = 0;
    int tableLimit = 100;

    // Run settings.
    int limit = 100;
    bool automaticColours = false;
    bool paletteCurrent = false;
    Ramp rampa{};
    std::unique_ptr<Palette> colours;

    MainMode mainMode = MainMode::Starting;
    Work currentWork = Work::None;
    bool closing = false; // the window's close is held until the work has ended
    std::optional<unsigned> progressColumn;

    GridSelection grid;
    RecentPictures recent;
    std::vector<Picture> browsable;
    int position = 0;

    Places library;
    QString libraryFolder, exportFolder;
    QImage chosenIcon;
    std::map<int, QString> savedPictures; // picture id -> the place it was saved as
    std::set<int> exportedPictures;
    int juliaFiles = 0; // `NumJulia`

    JuliaState juliaState;
    QImage juliaIcon;

    QImage blankIcon, startIcon, black;
    Overlays shapes;
    int lastId = 0;
};

} // namespace quorvane
