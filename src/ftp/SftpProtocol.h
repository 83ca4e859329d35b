#pragma once

// SFTP over SSH on libssh2 (SftpVerbinding): host keys as OpenSSH keeps them, asked about before
// any credential goes out; then the agent, the private keys and the saved password, in that
// order. Internal to the session.

#include "ftp/Sessieprotocol.h"
#include "ftp/SftpVerbinding.h"

#include <QHash>
#include <QSet>

#include <vector>

namespace Vamox {

class SftpProtocol final : public Sessieprotocol
{
public:
    explicit SftpProtocol(Sessiekern& kern);

    void Gegevens(const FtpGegevens& gegevens) override;
    Uitkomst Aanmelden() override;
    void Aanmelding(FtpAanmelding& uit) const override;
    void Overnemen(const FtpAanmelding& aanmelding) override;
    void Sluiten() override { m_verbinding.sluiten(); }
    void Afbreken() override { m_verbinding.afbreken(); }

    Uitkomst Lijsten(const QString& map, Lijstdoel& doel) override;
    Uitkomst Halen(const Haalopdracht& opdracht) override;
    Uitkomst Plaatsen(const Plaatsopdracht& opdracht) override;
    Uitkomst Stand(const QString& pad, bool tijd) override;
    Uitkomst Bewerken(Handeling handeling, const QString& pad, const QString& tweede) override;
    Vervanging Vervangen(const QString& lokaalPad, const QString& pad, Uitkomst& uitkomst) override;
    Uitkomst Peilen() override;
    bool DelenPlaatsen() const override { return true; }
    Uitkomst Inzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& pad) override;
    QString Fouttekst(const Uitkomst& u) const override;
    QStringList Geprobeerd() const override { return m_geprobeerd; }

private:
    // Logs in: with questions (a first login), or only as before (a connection that broke).
    Uitkomst aanmelden(bool vragen);
    // Whether the server's key may be trusted; asks about a new one when `vragen`.
    bool hostsleutelOordeel(const Hostsleutel& sleutel, bool vragen);
    Uitkomst poging(const Sshmethode& methode, SftpUitkomst& uit);
    // Logged in for an operation: a connection that went is made anew, as the last login went.
    Uitkomst gereed();
    Uitkomst naar(const SftpUitkomst& s, bool lezen = false) const;
    // Vervangen once the temporary file is up: checked, and renamed over the old one.
    Vervanging inzetten(const QString& lokaalPad, const QString& tijdelijk, const QString& pad,
                        const SftpAttributen& oud, Uitkomst& uitkomst);

    Sessiekern& m_kern;
    SftpInstellingen m_instellingen;
    SftpVerbinding m_verbinding;
    FtpGegevens m_gegevens;
    std::vector<Hostsleutel> m_aanvaard;  // trusted by the user (or the session this one took over)
    std::vector<Hostsleutel> m_ingetrokken; // marked @revoked in known_hosts
    Hostsleutel m_gezien;                  // the key the server showed at the last login
    bool m_bekend = false;                 // it is among the trusted ones
    Sshmethode m_methode;                  // how the last login got in (Geen: none yet)
    QHash<QString, QString> m_wachtwoordzinnen;
    QSet<QString> m_teOpenGemeld; // private keys too open, told about this run
    QStringList m_geprobeerd;
};

} // namespace Vamox
