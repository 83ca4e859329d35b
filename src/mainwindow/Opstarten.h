#pragma once

#include <QObject>
#include <QString>

namespace Vamox {

class FrmFtp;
struct VensterUi;

// The places one run of the program uses: its own executable (started again by "Tweede versie
// openen...", counted at shutdown), the configuration file and the work folder.
struct ProgrammaOmgeving
{
    QString programmaPad;
    QString cfgBestand;
    QString tijdelijkeMap;
};

// This process's places, or those of a ProgrammaOmgevingVoorTest.
ProgrammaOmgeving HuidigeProgrammaOmgeving();

// For tests: windows made while the object lives use these places; the previous ones come back.
class ProgrammaOmgevingVoorTest final
{
public:
    explicit ProgrammaOmgevingVoorTest(ProgrammaOmgeving omgeving);
    ~ProgrammaOmgevingVoorTest();
    Q_DISABLE_COPY_MOVE(ProgrammaOmgevingVoorTest)

private:
    bool m_hadVorige;
    ProgrammaOmgeving m_vorige;
};

// Shows or hides the 14 toolbar buttons together.
void KnoppenTonen(VensterUi& ui, bool tonen);

// Starting and ending the program: the start-up sequence of the main window (the file, the keys
// held, both sides, the work folder), the connection to the last server once the window shows,
// the closing question and what follows it, a second copy, and bringing back the last folders.
class Opstarten final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Opstarten)

public:
    explicit Opstarten(FrmFtp& venster);

    // Loading the window. Everything but the network: a server to open is connected to once
    // the window has been shown, so that it appears at once.
    void Starten();

    // The shutdown sequence; false when it was cancelled (the window stays open). With an
    // operation running, the question is asked first; a yes cancels the operation, and the window
    // closes once the flow that ran it has returned (its notice answered).
    bool Afsluiten();

    void LaatstelijkeServerOphalen();
    void LaatstelijkeMapOphalen();
    void mnuTweedeVersie_Click();
    void mnuAfsluiten_Click();

    // Captions and enabled state of "Laatstelijke ophalen" > "Lokale map" / "Servermap".
    void LaatstelijkeMenusBijwerken();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void NaTonen();
    bool Bezig() const;
    void SluitenNaBezig();
    void WerkmapInrichten(bool legen);
    void WerkmapVerwijderen();

    FrmFtp& m_venster;
    QString m_programmaPad;
    bool m_getoond = false;
    bool m_sluitend = false;
    bool m_sluitenNaBezig = false; // closing was answered yes while an operation ran
    bool m_eigenWerkmap = false;   // the work folder is this run's own: no other copy shares it
};

} // namespace Vamox
