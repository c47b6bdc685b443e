// Every control of the main window, grouped by frame. The layout code builds
// them on the window; each part of the window is handed the controls it
// works with.
#pragma once

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

struct Controls {
    QWidget* window = nullptr;
    Sfondo* sfondo = nullptr;

    // "Iterazioni massime"
    QGroupBox* frameIterazioni = nullptr;
    std::array<QLineEdit*, 2> Iterazioni{};
    QPushButton* IterazOK = nullptr;
    QPushButton* Istogramma = nullptr;

    // "Limiti attuali"
    QGroupBox* frameLimiti = nullptr;
    std::array<QLineEdit*, 4> Limite{};
    QLineEdit* RiquadroCorrente = nullptr;
    QLineEdit* Zoom = nullptr;

    // "Visualizzazione"
    QGroupBox* frameVisualizzazione = nullptr;
    QPushButton* View = nullptr;
    QPushButton* Ferma = nullptr;
    QCheckBox* AutoColor = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Cicli = nullptr;

    // "Nuova selezione"
    QGroupBox* frameSelezione = nullptr;
    QPushButton* Griglia = nullptr;
    std::array<QPushButton*, 25> Lettere{};
    std::array<QPushButton*, 5> Mezzo{};
    QPushButton* MenoUna = nullptr;
    QLineEdit* Riquadro = nullptr;
    QLabel* Area = nullptr;
    QPushButton* Copia = nullptr;

    // "Libreria immagini"
    QGroupBox* frameLibreria = nullptr;
    QLineEdit* SaveName = nullptr;
    QLabel* SaveIcona = nullptr;
    std::array<QPushButton*, 2> SelSave{};
    QPushButton* Carica = nullptr;
    QPushButton* Salva = nullptr;
    QPushButton* Elimina = nullptr;
    QPushButton* SalvaFile = nullptr;

    // "Ultime immagini"
    QGroupBox* frameUltime = nullptr;
    QLineEdit* LastName = nullptr;
    QLineEdit* LastImage = nullptr;
    std::array<QPushButton*, 2> SelImage{};
    QPushButton* AttSel = nullptr;
    QPushButton* EndSel = nullptr;

    // "Insiemi di Julia e tracce" (shown only in Julia mode)
    QGroupBox* frameJulia = nullptr;
    QLineEdit* XXJU = nullptr;
    QLineEdit* YYJU = nullptr;
    QLineEdit* JuliaZoom = nullptr;
    QPushButton* JuliaGo = nullptr;
    QPushButton* StopJulia = nullptr;
    QPushButton* SalvaJulia = nullptr;
    QGroupBox* frameTracce = nullptr;
    QLineEdit* N_Tracce = nullptr;
    QPushButton* Traccia = nullptr;
    QPushButton* StopTraccia = nullptr;

    // Outside the frames
    QPushButton* Julia = nullptr;
    QPushButton* Colors = nullptr;
    QPushButton* Esci = nullptr;
};

// Lays out every control on window, with its name, caption and place.
Controls buildControls(QWidget* window);

} // namespace quorvane
