// Every control of the main window, grouped by frame. The layout code builds
// them on the window; each panel is handed its own frame's group only.
#pragma once

#include <QString>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace quorvane {

class Sfondo;
struct CommandStates;

// "Iterazioni massime"
struct IterationControls {
    QGroupBox* frameIterazioni = nullptr;
    std::array<QLineEdit*, 2> Iterazioni{};
    QPushButton* IterazOK = nullptr;
    QPushButton* Istogramma = nullptr;
};

// "Limiti attuali"
struct LimitControls {
    QGroupBox* frameLimiti = nullptr;
    std::array<QLineEdit*, 4> Limite{};
    QLineEdit* RiquadroCorrente = nullptr;
    QLineEdit* Zoom = nullptr;
};

// "Visualizzazione"
struct RunControls {
    QGroupBox* frameVisualizzazione = nullptr;
    QPushButton* View = nullptr;
    QPushButton* Ferma = nullptr;
    QCheckBox* AutoColor = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Cicli = nullptr;
};

// "Nuova selezione"
struct GridControls {
    QGroupBox* frameSelezione = nullptr;
    QPushButton* Griglia = nullptr;
    std::array<QPushButton*, 25> Lettere{};
    std::array<QPushButton*, 5> Mezzo{};
    QPushButton* MenoUna = nullptr;
    QLineEdit* Riquadro = nullptr;
    QLabel* Area = nullptr;
    QPushButton* Copia = nullptr;
};

// "Libreria immagini", but for its "File"
struct LibraryControls {
    QGroupBox* frameLibreria = nullptr;
    QLineEdit* SaveName = nullptr;
    QLabel* SaveIcona = nullptr;
    std::array<QPushButton*, 2> SelSave{};
    QPushButton* Carica = nullptr;
    QPushButton* Salva = nullptr;
    QPushButton* Elimina = nullptr;
};

// The two "File" buttons, of the library frame and of the Julia frame, and
// "Esporta…" below the frames, for any picture at any size.
struct ExportControls {
    QPushButton* SalvaFile = nullptr;
    QPushButton* SalvaJulia = nullptr;
    QPushButton* Esporta = nullptr;
};

// "Ultime immagini"
struct RecentControls {
    QGroupBox* frameUltime = nullptr;
    QLineEdit* LastName = nullptr;
    QLineEdit* LastImage = nullptr;
    std::array<QPushButton*, 2> SelImage{};
    QPushButton* AttSel = nullptr;
    QPushButton* EndSel = nullptr;
};

// "Insiemi di Julia e tracce" (shown only in Julia mode), with the button
// "Julia" that opens it, but for the trace and its "File".
struct JuliaControls {
    QPushButton* Julia = nullptr;
    QGroupBox* frameJulia = nullptr;
    QLineEdit* XXJU = nullptr;
    QLineEdit* YYJU = nullptr;
    QLineEdit* JuliaZoom = nullptr;
    QPushButton* JuliaGo = nullptr;
    QPushButton* StopJulia = nullptr;
};

// "Tracce", inside the Julia frame.
struct TraceControls {
    QGroupBox* frameTracce = nullptr;
    QLineEdit* N_Tracce = nullptr;
    QPushButton* Traccia = nullptr;
    QPushButton* StopTraccia = nullptr;
};

struct Controls : IterationControls,
                  LimitControls,
                  RunControls,
                  GridControls,
                  LibraryControls,
                  ExportControls,
                  RecentControls,
                  JuliaControls,
                  TraceControls {
    QWidget* window = nullptr;
    Sfondo* sfondo = nullptr;
    // Outside the frames
    QPushButton* Colors = nullptr;
    QPushButton* Esci = nullptr;
};

// Lays out every control on window, with its name, caption and place.
Controls buildControls(QWidget* window);

// Gives every command the enabled state of the rule; the one place that
// enables or disables a command.
void applyCommands(const Controls& ui, const CommandStates& commands);

// Shows text in a box that only shows something, from its beginning (a
// long number keeps its sign in sight).
void showText(QLineEdit* box, const QString& text);

} // namespace quorvane
