#include "vergelijken/gui/Synchroonbladeren.h"

#include "dialogs/Msg.h"
#include "fileops/Hernoemen.h"
#include "ftp/FtpPaden.h"
#include "ftp/FtpSession.h"
#include "panes/Mapbron.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/OverdrachtPaden.h"
#include "vergelijken/Bladerpaar.h"

#include <QAction>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace Vamox {

namespace {
const QString Uit = QStringLiteral("Gesynchroniseerd bladeren is uitgeschakeld.");
} // namespace

Synchroonbladeren::Synchroonbladeren(LokaalPaneel& lokaal, ServerPaneel& server, QAction& item)
    : m_lokaal(lokaal), m_server(server), m_item(item)
{
    connect(&item, &QAction::toggled, this, &Synchroonbladeren::Aanzetten);
    connect(&item, &QAction::enabledChanged, this, [this](bool aan) {
        if (!aan) m_item.setChecked(false);
    });
    connect(&lokaal, &Paneel::mapGewijzigd, this, [this] { Plannen(true); });
    connect(&server, &Paneel::mapGewijzigd, this, [this] { Plannen(false); });
}

void Synchroonbladeren::Plannen(bool vanLokaal)
{
    // A move made while off, or the one made here, is no move to follow.
    if (!Aan() || m_volgt) return;
    // Once the move has ended (its folder box set, its row selected), the other side follows.
    QTimer::singleShot(0, this, [this, vanLokaal] { Volgen(vanLokaal); });
}

bool Synchroonbladeren::Aan() const
{
    return m_item.isChecked();
}

void Synchroonbladeren::Aanzetten(bool aan)
{
    m_lokaleWortel.clear();
    m_serverWortel.clear();
    if (!aan) return;
    if (m_lokaal.HuidigeMap().isEmpty() || m_server.HuidigeMap().isEmpty() || !m_server.Verbonden()) {
        Uitzetten(QStringLiteral("Gesynchroniseerd bladeren kan pas als een lokale map en een servermap "
                                 "getoond worden."));
        return;
    }
    m_lokaleWortel = m_lokaal.HuidigeMap();
    m_serverWortel = m_server.HuidigeMap();
}

void Synchroonbladeren::Uitzetten(const QString& melding)
{
    {
        const QSignalBlocker stil(m_item);
        m_item.setChecked(false);
    }
    m_lokaleWortel.clear();
    m_serverWortel.clear();
    Melding(melding, 1);
}

void Synchroonbladeren::Volgen(bool vanLokaal)
{
    if (!Aan() || m_volgt || m_lokaleWortel.isEmpty()) return;
    Paneel& van = vanLokaal ? static_cast<Paneel&>(m_lokaal) : m_server;
    Paneel& naar = vanLokaal ? static_cast<Paneel&>(m_server) : m_lokaal;
    const QString& vanWortel = vanLokaal ? m_lokaleWortel : m_serverWortel;
    const QString& naarWortel = vanLokaal ? m_serverWortel : m_lokaleWortel;

    const std::optional<QStringList> delen = DelenOnder(vanWortel, van.HuidigeMap(), van.bron().Scheiding());
    if (!delen) {
        Uitzetten(QStringLiteral("Gesynchroniseerd bladeren is uitgeschakeld:\r\nmap '") + van.HuidigeMap() +
                  QStringLiteral("' ligt buiten '") + vanWortel + QStringLiteral("'."));
        return;
    }
    const QString doel = MapOnder(naarWortel, *delen, naar.bron().Scheiding());
    if (naar.HuidigeMap() == doel) return;
    // A server name the local disk cannot carry (a separator, "..") leads nowhere there.
    for (const QString& deel : *delen) {
        const bool bruikbaar = vanLokaal ? FtpVeiligeTekst(deel) : VeiligeNaam(deel);
        if (!bruikbaar) {
            Uitzetten(Uit + QStringLiteral("\r\nDe map '") + deel + QStringLiteral("' kan ") +
                      (vanLokaal ? QStringLiteral("op de server") : QStringLiteral("lokaal")) +
                      QStringLiteral(" niet bestaan."));
            return;
        }
    }
    m_volgt = true;
    const bool bestaat = naar.bron().PadBestaat(doel, true);
    m_volgt = false;
    if (!bestaat) {
        const QString soort = vanLokaal ? QStringLiteral("Servermap '") : QStringLiteral("Lokale map '");
        const bool ja =
            JaNee({.Tekst = soort + doel + QStringLiteral("' bestaat niet.\r\nMap maken en openen?"),
                   .Pictogram = 2});
        if (!ja) {
            Uitzetten(Uit);
            return;
        }
        if (!MappenMaken(!vanLokaal, naarWortel, *delen)) return;
    }
    const QString gevolgd = van.HuidigeMap();
    m_volgt = true;
    const bool getoond = naar.LijstVullen(doel, Soort::Beide, false);
    if (getoond) naar.ui().map->setText(naar.HuidigeMap());
    m_volgt = false;
    if (!getoond) {
        Uitzetten(Uit);
        return;
    }
    // The first side moved on while this one followed.
    if (Aan() && van.HuidigeMap() != gevolgd) Volgen(vanLokaal);
}

bool Synchroonbladeren::MappenMaken(bool lokaal, const QString& wortel, const QStringList& delen)
{
    Paneel& naar = lokaal ? static_cast<Paneel&>(m_lokaal) : m_server;
    const QChar scheiding = naar.bron().Scheiding();
    QString basis = MapOnder(wortel, {}, scheiding);
    m_volgt = true;
    for (const QString& deel : delen) {
        const QString pad = basis + deel + scheiding;
        if (!naar.bron().PadBestaat(pad, true) &&
            !NieuweMapMaken(lokaal ? nullptr : &m_server.sessie(), basis, deel)) {
            m_volgt = false;
            Uitzetten(QStringLiteral("Map '") + pad + QStringLiteral("' kan niet worden gemaakt.\r\n") + Uit);
            return false;
        }
        basis = pad;
    }
    m_volgt = false;
    return true;
}

} // namespace Vamox
