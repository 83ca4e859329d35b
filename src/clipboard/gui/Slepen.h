#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMimeData;
class QWidget;

namespace Vamox {

class LijstWeergave;
class LokaalPaneel;
class Mapoverdracht;
class Selectie;
class ServerPaneel;
class Wachtrij;

// Asks before dropping outside the window is allowed (downloads take longer then); true for "Ja".
bool BuitenNeerzettenToestaan();

// Which list a drag under way came from; at most one is on.
struct Sleepvlaggen
{
    bool LokaleMapSlepen = false;     // LijstLokaal
    bool ServermapSlepen = false;     // LijstFtp
    bool LokaalBestandSlepen = false; // LijstBLokaal
    bool ServerbestandSlepen = false; // LijstBFtp

    bool Map() const { return LokaleMapSlepen || ServermapSlepen; }
    bool Bestand() const { return LokaalBestandSlepen || ServerbestandSlepen; }
    bool Binnen() const { return Map() || Bestand(); }
};

// Drags from the four lists. Local items travel as file URLs (a file manager takes them); server
// items as server paths in a type of their own. Dragged out of the window (Alt held, or the
// list's "Buiten venster downloaden" on) server items are fetched into the work folder first and
// travel as those local files too; the list is light green meanwhile.
class Slepen final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Slepen)

public:
    struct Besturing
    {
        QWidget* venster = nullptr; // its caption shows the preparation of a drag out
        QAction* mnuMapFtpBuitenDownloaden = nullptr;
        QAction* mnuBestandFtpBuitenDownloaden = nullptr;
        const QString* tijdelijkeMap = nullptr;
    };

    Slepen(LokaalPaneel& lokaal, ServerPaneel& server, Selectie& selectie, Mapoverdracht& mapoverdracht,
           Wachtrij& wachtrij, const Besturing& besturing);
    ~Slepen() override;

    const Sleepvlaggen& Vlaggen() const { return m_vlaggen; }

    // Runs a prepared drag instead of the platform's drag loop (tests drop the data themselves).
    using Sleepuitvoerder = std::function<void(QMimeData& data)>;
    void ZetUitvoerder(Sleepuitvoerder uitvoerder) { m_uitvoerder = std::move(uitvoerder); }

    void LijstLokaal_Slepen();
    void LijstBLokaal_Slepen();
    void LijstFtp_Slepen();
    void LijstBFtp_Slepen();

private:
    bool BuitenMode(const QAction* optie) const;
    void BuitenOptie(QAction* optie, bool aan);
    // Runs the drag with `vlag` on; the data goes to the drag.
    void Uitvoeren(LijstWeergave& lijst, QMimeData* data, bool& vlag);

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Selectie& m_selectie;
    Mapoverdracht& m_mapoverdracht;
    Wachtrij& m_wachtrij;
    Besturing m_b;
    Sleepvlaggen m_vlaggen;
    Sleepuitvoerder m_uitvoerder;
};

} // namespace Vamox
