#pragma once

#include "vergelijken/Tijdverschil.h"
#include "vergelijken/Vergelijken.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QStatusBar;

namespace Vamox {

class LokaalPaneel;
class Paneel;
class ServerPaneel;
class Wachtrij;

// The two current folders compared: while "Mappen vergelijken" is on, every row of the four
// lists says how it stands against the other side (a word in the column "Stand" and a row
// colour), and the status bar counts them. The marks follow every fill of either side, a rename,
// the pattern and a sort; "Alleen verschillen tonen" leaves out the files that are the same.
// A LIST listing's times are the server's clock: they are moved by the offset of the server's
// saved details, or else by one measured (the server's own time of a listed file against its
// LIST time; a second file of the other season tells whether the server keeps to UTC; for a
// server that gives no time of its own, a file uploaded this session against the moment its
// upload ended), once per folder until it is found.
class Mappenvergelijking final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Mappenvergelijking)

public:
    struct Besturing
    {
        QAction* vergelijken = nullptr;
        QAction* alleenVerschillen = nullptr;
        QAction* alleenGrootte = nullptr;
        QStatusBar* statusbalk = nullptr;
        const Wachtrij* wachtrij = nullptr; // its uploads that ended, for a measurement
        // The offset of the connected server's saved details (none: not given).
        std::function<std::optional<int>()> opgegevenTijdverschil;
    };

    Mappenvergelijking(LokaalPaneel& lokaal, ServerPaneel& server, const Besturing& besturing);
    ~Mappenvergelijking() override;

    bool Aan() const;
    const Uitslag& LaatsteUitslag() const { return m_uitslag; }
    // The server's clock the comparison reads its LIST times with, and the one measured.
    Serverklok Klok() const;
    std::optional<Serverklok> GemetenKlok() const { return m_gemeten; }
    QLabel& Regel() const { return *m_regel; }

    // Compares the two sides as they are shown now (nothing while off or while a side reads).
    void Bijwerken();
    // The connection ended: what was measured belongs to it.
    void VerbindingVerbroken();

Q_SIGNALS:
    // The marks of both sides were set anew.
    void bijgewerkt();

private:
    void Aanzetten(bool aan);
    void VullingBegint();
    void StandenZetten(std::shared_ptr<const Standen> lokaal, std::shared_ptr<const Standen> server);
    void VerbergenZetten();
    void RegelZetten();
    void MetingPlannen();
    void Meten();
    void KlusGewijzigd(int index);
    std::optional<Klokmeting> NaUpload(const QString& map) const;
    bool ServerOpKlok() const;
    QString Serversleutel() const;

    LokaalPaneel& m_lokaal;
    ServerPaneel& m_server;
    Besturing m_besturing;
    QLabel* m_regel;
    Uitslag m_uitslag;
    std::shared_ptr<const Standen> m_lokaalStanden;
    std::shared_ptr<const Standen> m_serverStanden;
    std::optional<Serverklok> m_gemeten;
    QString m_gemetenVoor;            // the server the measurement is of
    QStringList m_geprobeerd;         // server folders whose files were tried for a measurement
    QHash<QString, qint64> m_uploads; // server path: when its upload ended (seconds since 1970 UTC)
    bool m_verborgen = false;         // the panes leave out what is the same
    bool m_meetGepland = false;
    bool m_meten = false;
};

} // namespace Vamox
