#include "config/Wachtwoorden.h"

#include "config/Serverlijst.h"

namespace Vamox {

namespace {

using Status = Sleutelbosantwoord::Status;

bool Wacht(const ServerRecord& s)
{
    return s.Plek == Wachtwoordplek::Sleutelbos && !s.Wachtwoord.isEmpty();
}

} // namespace

QString SleutelbosSleutel(const ServerRecord& server)
{
    const quint16 poort = ServerGegevens(server).poort;
    return server.Naam + QStringLiteral(" (") + server.Gebruikersnaam + u'@' + server.FtpHost + u':' +
           QString::number(poort) + u')';
}

Wachtwoorden::Aanmelding Wachtwoorden::VoorAanmelding(const ServerRecord& server)
{
    if (!server.Wachtwoord.isEmpty()) return {server.Wachtwoord, {.status = Status::Gelukt}};
    const QString sleutel = SleutelbosSleutel(server);
    if (const auto it = m_run.constFind(sleutel); it != m_run.constEnd()) return {*it, {.status = Status::Gelukt}};
    switch (server.Plek) {
    case Wachtwoordplek::Sleutelbos: {
        Sleutelbosantwoord a = m_bos.lezen(sleutel);
        if (a.gelukt()) return {a.wachtwoord, a};
        if (a.status == Status::NietGevonden && server.Sftp) return {QString(), a};
        return {std::nullopt, a};
    }
    case Wachtwoordplek::Bestand:
        if (server.Sftp) return {QString(), {.status = Status::Gelukt}};
        break;
    case Wachtwoordplek::Vragen:
        break;
    }
    return {std::nullopt, {.status = Status::Gelukt}};
}

void Wachtwoorden::Onthouden(const ServerRecord& server, const QString& wachtwoord)
{
    m_run.insert(SleutelbosSleutel(server), wachtwoord);
}

void Wachtwoorden::Vergeten(const ServerRecord& server)
{
    m_run.remove(SleutelbosSleutel(server));
}

Sleutelbosantwoord Wachtwoorden::Opzoeken(const ServerRecord& server) const
{
    if (server.Plek != Wachtwoordplek::Sleutelbos || !server.Wachtwoord.isEmpty())
        return {.status = Status::Gelukt, .wachtwoord = server.Wachtwoord};
    return m_bos.lezen(SleutelbosSleutel(server));
}

Sleutelbosantwoord Wachtwoorden::Bewaren(const std::optional<ServerRecord>& oud, ServerRecord& nieuw)
{
    const Sleutelbosantwoord gelukt{.status = Status::Gelukt};
    const QString sleutel = SleutelbosSleutel(nieuw);
    const bool oudInBos = oud && oud->Plek == Wachtwoordplek::Sleutelbos;
    const QString oudeSleutel = oud ? SleutelbosSleutel(*oud) : QString();
    if (oud) m_run.remove(oudeSleutel);
    m_run.remove(sleutel);
    if (nieuw.Plek != Wachtwoordplek::Sleutelbos) {
        if (nieuw.Plek == Wachtwoordplek::Vragen) nieuw.Wachtwoord.clear();
        // Left behind it would be found again when the server goes back to the keyring.
        if (oudInBos) m_bos.wissen(oudeSleutel);
        return gelukt;
    }
    QString wachtwoord = nieuw.Wachtwoord;
    if (wachtwoord.isEmpty()) {
        // Nothing typed (keys only, or the keyring could not show it): an entry under the old key
        // follows the server to its new one.
        if (!oudInBos || oudeSleutel == sleutel) return gelukt;
        const Sleutelbosantwoord oudWachtwoord = m_bos.lezen(oudeSleutel);
        if (oudWachtwoord.status == Status::NietGevonden) return gelukt;
        if (!oudWachtwoord.gelukt()) return oudWachtwoord;
        wachtwoord = oudWachtwoord.wachtwoord;
    }
    const Sleutelbosantwoord a = m_bos.schrijven(sleutel, wachtwoord);
    if (!a.gelukt()) return a;
    nieuw.Wachtwoord.clear();
    if (oudInBos && oudeSleutel != sleutel) m_bos.wissen(oudeSleutel);
    return gelukt;
}

Sleutelbosantwoord Wachtwoorden::Verwijderen(const ServerRecord& server)
{
    m_run.remove(SleutelbosSleutel(server));
    if (server.Plek != Wachtwoordplek::Sleutelbos) return {.status = Status::Gelukt};
    return m_bos.wissen(SleutelbosSleutel(server));
}

int TeVerhuizen(const QStringList& serverLijst)
{
    int n = 0;
    for (qsizetype i = 1; i < serverLijst.size(); ++i)
        n += Wacht(ServerRecordLezen(serverLijst.at(i))) ? 1 : 0;
    return n;
}

Verhuizing WachtwoordenVerhuizen(const QStringList& serverLijst, const Sleutelbos& sleutelbos)
{
    Verhuizing uit{.serverLijst = serverLijst};
    QStringList nieuw = serverLijst;
    for (qsizetype i = 1; i < nieuw.size(); ++i) {
        ServerRecord server = ServerRecordLezen(nieuw.at(i));
        if (!Wacht(server)) continue;
        const QString sleutel = SleutelbosSleutel(server);
        Sleutelbosantwoord a = sleutelbos.schrijven(sleutel, server.Wachtwoord);
        if (a.gelukt()) {
            a = sleutelbos.lezen(sleutel);
            // Read back other than written: as good as not stored.
            if (a.gelukt() && a.wachtwoord != server.Wachtwoord)
                a = {.status = Status::Fout, .fout = QStringLiteral("ander wachtwoord teruggelezen")};
        }
        if (!a.gelukt()) {
            uit.aantal = 0;
            uit.fout = a;
            uit.server = server.Naam;
            return uit;
        }
        server.Wachtwoord.clear();
        nieuw[i] = ServerRecordRegel(server);
        ++uit.aantal;
    }
    uit.serverLijst = nieuw;
    return uit;
}

QStringList VerhuizingAfzien(QStringList serverLijst, Wachtwoordplek plek)
{
    for (qsizetype i = 1; i < serverLijst.size(); ++i) {
        ServerRecord server = ServerRecordLezen(serverLijst.at(i));
        if (!Wacht(server)) continue;
        server.Plek = plek;
        if (plek == Wachtwoordplek::Vragen) server.Wachtwoord.clear();
        serverLijst[i] = ServerRecordRegel(server);
    }
    return serverLijst;
}

} // namespace Vamox
