// Where the server details window keeps a record's password: shown from the keyring, stored
// there or where the user chose instead.

#include "config/gui/FrmServergegevens.h"

#include "config/Serverlijst.h"
#include "config/Wachtwoorden.h"
#include "dialogs/Msg.h"

#include <QComboBox>
#include <QLineEdit>

namespace Vamox {

void FrmServergegevens::WachtwoordTonen(const ServerRecord& server)
{
    m_ui.txtWachtwoord->setPlaceholderText(QString());
    if (server.Plek == Wachtwoordplek::Vragen) {
        m_ui.txtWachtwoord->clear();
        m_ui.txtWachtwoord->setPlaceholderText(QStringLiteral("wordt bij het aanmelden gevraagd"));
        return;
    }
    // A saved record without a password in the file keeps it in the keyring: shown from there.
    const bool opgeslagen = !server.Naam.isEmpty() && ServerZoeken(m_serverLijst, server.Naam) >= 1;
    if (!opgeslagen || server.Plek != Wachtwoordplek::Sleutelbos || !server.Wachtwoord.isEmpty()) {
        m_ui.txtWachtwoord->setText(server.Wachtwoord);
        return;
    }
    const Sleutelbosantwoord a = m_sleutelbosStil ? Sleutelbosantwoord{.status = Sleutelbosantwoord::Status::GeenAntwoord}
                                                  : m_wachtwoorden.Opzoeken(server);
    m_sleutelbosStil = a.status == Sleutelbosantwoord::Status::GeenAntwoord;
    m_ui.txtWachtwoord->setText(a.wachtwoord);
    if (!a.gelukt()) m_ui.txtWachtwoord->setPlaceholderText(QStringLiteral("sleutelbos ") + SleutelbosReden(a));
}

bool FrmServergegevens::WachtwoordBewaren(qsizetype huidig, ServerRecord& server)
{
    const std::optional<ServerRecord> oud =
        huidig >= 1 ? std::optional<ServerRecord>(ServerOpPlek(m_serverLijst, huidig)) : std::nullopt;
    const Sleutelbosantwoord a = m_wachtwoorden.Bewaren(oud, server);
    if (a.gelukt()) return true;
    // Never another place without the user's word.
    const int keuze =
        M({.Tekst = QStringLiteral("Het wachtwoord van server '") + server.Naam +
                    QStringLiteral("' kan niet in de sleutelbos van het bureaublad worden bewaard: de sleutelbos ") +
                    SleutelbosReden(a) +
                    QStringLiteral(".\r\n\r\nHet wachtwoord in het configuratiebestand bewaren, of niet bewaren en "
                                   "bij elke aanmelding vragen?"),
           .Pictogram = 3,
           .Knoppen = QStringLiteral("In &bestand+Bij aanmelden &vragen+&Annuleren"),
           .Codes = QStringLiteral("3+3"),
           .AutoBreedte = true});
    if (keuze != 1 && keuze != 2) return false;
    server.Plek = keuze == 1 ? Wachtwoordplek::Bestand : Wachtwoordplek::Vragen;
    m_wachtwoorden.Bewaren(oud, server);
    return true;
}

} // namespace Vamox
