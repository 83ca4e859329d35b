#pragma once

// FTP, with or without explicit TLS, on libcurl: one control connection (and its data
// connections) per session. Internal to the session.

#include "ftp/CurlVerbinding.h"
#include "ftp/Sessieprotocol.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

namespace Vamox {

class Lijstontvangst;
struct CertificaatInfo;

class FtpProtocol final : public Sessieprotocol
{
public:
    explicit FtpProtocol(Sessiekern& kern) : m_kern(kern) {}

    void Gegevens(const FtpGegevens& gegevens) override;
    Uitkomst Aanmelden() override;
    void Aanmelding(FtpAanmelding& uit) const override;
    void Overnemen(const FtpAanmelding& aanmelding) override;
    void Sluiten() override { m_curl.sluiten(); }

    Uitkomst Lijsten(const QString& map, Lijstdoel& doel) override;
    Uitkomst Halen(const Haalopdracht& opdracht) override;
    Uitkomst Plaatsen(const Plaatsopdracht& opdracht) override;
    Uitkomst Stand(const QString& pad, bool tijd) override;
    Uitkomst Bewerken(Handeling handeling, const QString& pad, const QString& tweede) override;
    Vervanging Vervangen(const QString& lokaalPad, const QString& pad, Uitkomst& uitkomst) override;
    Uitkomst Peilen() override;
    QString Fouttekst(const Uitkomst& u) const override;
    bool Mlsd() const override { return m_mlsd; }

private:
    // One curl transfer, as the session asks for it.
    struct Opdracht
    {
        enum class Soort
        {
            Login,
            Lijst,
            Halen,
            Plaatsen,
            Quote
        };
        Soort soort = Soort::Quote;
        QByteArray urlPad;        // after "ftp://host:port/"
        QByteArray lijstCommando; // "MLSD", or empty for LIST
        QStringList quotes;       // commands sent first ("*" in front: a refusal fails nothing)
        Lijstontvangst* lijst = nullptr;
        Ontvangst* doel = nullptr;
        qint64 vanaf = 0;             // a download continued from here (REST)
        qint64 tot = -1;              // a part of a download ends here (exclusive)
        qint64 verwachteGrootte = -1; // a download whose size a listing gave: no SIZE
        QString lokaalPad;            // an upload's file
        bool aanvullen = false;       // an upload appended to the server's part (APPE)
        bool tijdVragen = false;      // MDTM of the file
        bool certificaatHalen = false; // a login that stops at the certificate, to show it
    };
    // What came of it, with what the FTP exchange said.
    struct Antwoord
    {
        Uitkomst u;
        CURLcode code = CURLE_OK;
        long antwoord = 0;     // last reply code of the server
        bool nieuw = false;    // on a connection made for it (its first reply is the greeting)
        QList<int> antwoorden; // every final reply code, in order
        QByteArray kopregels;  // every reply line
        QByteArray certificaat; // PEM, for certificaatHalen
        QByteArray melding;    // curl's own words on a failure
    };
    Antwoord voer(const Opdracht& opdracht);
    // voer, once more on a fresh connection after the server dropped an idle one.
    Antwoord voerOpnieuw(const Opdracht& opdracht);
    Antwoord inloggen(const Opdracht& login);
    std::optional<CertificaatInfo> certificaatHalen();
    Antwoord commandos(const QStringList& regels);
    Uitkomst lijstOpdracht(Opdracht& o, const QByteArray& commando, Lijstontvangst& ontvangst);
    // Whether the last `aantal` commands all succeeded, the last with a code in the range.
    static bool Geslaagd(const Antwoord& a, qsizetype aantal, long verwachtMin = 200, long verwachtMax = 299);
    static Uitkomst Neutraal(Antwoord& a);

    Sessiekern& m_kern;
    CurlVerbinding m_curl;
    FtpGegevens m_gegevens;
    QByteArray m_pin;            // of the trusted certificate of this server, when there is one
    QByteArray m_overgenomenPin; // accepted by the session whose login this one took over
    bool m_tls13 = false;        // the server takes TLS 1.3 only (see inloggen)
    bool m_mlsd = false;
    // Whether this login's server takes "LIST -a"; asked anew at every login.
    enum class LijstA
    {
        Onbekend,
        Ja,
        Nee
    };
    LijstA m_lijstA = LijstA::Onbekend;
};

} // namespace Vamox
