// The main window "Quorvane": every control, the state record and the
// handlers. Subsystem handlers live in their own folders but share this
// window's state.
#pragma once

#include "library/placelist.h"
#include "navigation/areaname.h"
#include "window/palette.h"
#include "window/platform.h"
#include "window/sfondo.h"

#include <QImage>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QProcess;

namespace quorvane {

class Colori;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // engine is the path of QuorC; empty for QuorC in appFolder.
    MainWindow(const QString& appFolder, Platform& platform, const QString& engine = {});
    ~MainWindow() override;

    // ---- Controls, grouped by frame ----------------------------------------
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

    Colori* colori() const { return coloriWindow.get(); }

    // ---- Hidden picture stores ---------------------------------------------
    QImage Z, Black;
    std::array<QImage, 11> Deposito;
    QImage NoIcona, ZIcona, Icona;
    bool zStored() const;

    // ---- The state record --------------------------------------------------
    double XMin = -2.0, XMax = 1.0, YMin = -1.5, YMax = 1.5;
    double NuovoXMin = -2.0, NuovoXMax = 1.0, NuovoYMin = -1.5, NuovoYMax = 1.5;
    int IterMax = 100;
    int IterEffettive = 100;
    std::vector<std::int16_t> Tavola; // [column * 724 + row]
    std::array<std::int32_t, MaxCounts> Frequenze{};
    std::array<Colore, MaxCounts> ColoreIter{};
    std::array<Colore, RampSize> Rampa{};
    Colore Nero = 0, Bianco = 0, Rosso = 0, Verde = 0;
    bool InCorso = false;
    int TipoScelta = 0;
    int PrimaLettera = 0, SecondaLettera = 0;
    int SpostaY = 2, SpostaX = 2, AffinaY = 2, AffinaX = 2;
    QString RiquadroSalvato;
    int NumUltime = 0;
    std::array<QString, 11> PercorsiUltime;
    std::array<QString, 1001> NomiLuoghi;
    std::array<int, 1001> IterLuoghi{};
    std::array<std::uint8_t, 1001> AutoLuoghi{};
    std::int16_t UltimoLuogo = -1;
    int LuogoScelto = 0;

    QString appFolder() const { return folder; }
    // True while a handler that started work has not yet finished.
    bool busy() const { return running; }

    // ---- Handlers ----------------------------------------------------------
    void Form_Load();
    void Form_Activate();
    void Esci_Click();
    void Blocca();
    void Sblocca();
    void View_Click();
    void Ferma_Click();
    void IterazOK_Click();
    void AutoColor_Click();
    void Colors_Click();

    // Area navigation.
    void Griglia_Click();
    void Lettere_Click(int index);
    void Mezzo_Click(int index);
    void MenoUna_Click();
    void Copia_Click();
    bool CalcolaLimiti(const QString& name);
    void DisegnaGriglia(bool twoLetter);
    void Nascondi(int code);

    // Shared steps.
    void CreaRampa();
    void Colora();
    void PushRecent(const QImage& picture, const QString& name);
    void paintTable();

  protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;

    // Every command with its state in the ready state.
    std::vector<std::pair<QWidget*, bool>> readyState() const;
    QString libraryFolder() const;

  private:
    void buildControls();
    void wireHandlers();
    void wireNavigation();
    void coloriClosed();
    void placeWindow();
    void loadLibrary();
    void showLimits();
    void waitForEvents(int milliseconds);

    QString folder;
    QString engineFile;
    Platform& platform;
    std::unique_ptr<Colori> coloriWindow;
    bool zTag = false; // the start view is stored in Z
    bool firstShowDone = false;
    bool running = false;
    bool closeRequested = false;
};

// Tag flags are texts ("True", "False", "0", a count) held by a control.
void setTag(QObject* control, const QString& text);
QString tagOf(const QObject* control);
bool tagIsTrue(const QObject* control);

} // namespace quorvane
