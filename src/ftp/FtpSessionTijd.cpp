#include "ftp/FtpSession.h"

#include "ftp/FtpOpdracht.h"

// The moment a server file last changed, as the server gives it apart from its listings.

namespace Vamox {

qint64 FtpSession::FtpBestandTijd(const QString& serverPad)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) return -1;
    Opdracht o;
    o.soort = Opdracht::Soort::Grootte;
    o.urlPad = FtpUrlPad(pad);
    o.tijdVragen = true;
    const Uitkomst u = voer(o);
    return u.ok() ? u.tijd : -1;
}

} // namespace Vamox
