#pragma once

#include <QString>

namespace Vamox {

// What the keyring said to one request.
struct Sleutelbosantwoord
{
    enum class Status
    {
        Gelukt,
        NietGevonden, // no entry for the key
        Afwezig,      // no keyring on this desktop (no Secret Service, no credential store)
        Vergrendeld,  // there, but locked, and it could not be unlocked
        Geweigerd,    // access denied
        GeenAntwoord, // no answer within the time limit
        Fout          // anything else; `fout` says what
    };
    Status status = Status::Fout;
    QString wachtwoord; // with Gelukt of a read
    QString fout;       // the keyring's own words, where it gave any

    bool gelukt() const { return status == Status::Gelukt; }
};

// Why the keyring could not serve, for a notice: "is niet aanwezig", "is vergrendeld", ...
QString SleutelbosReden(const Sleutelbosantwoord& antwoord);

// The desktop's secret store (the Secret Service on Linux, the credential store on Windows),
// through QtKeychain. Each request waits for its answer while the event loop runs, at most
// `wachttijdMs`: a keyring that does not answer never holds the window longer than that.
class Sleutelbos final
{
public:
    static constexpr int StandaardWachttijdMs = 5000;
    explicit Sleutelbos(QString dienst = QStringLiteral("Vamox"), int wachttijdMs = StandaardWachttijdMs);

    Sleutelbosantwoord lezen(const QString& sleutel) const;
    Sleutelbosantwoord schrijven(const QString& sleutel, const QString& wachtwoord) const;
    // An entry that is not there counts as removed.
    Sleutelbosantwoord wissen(const QString& sleutel) const;

    int wachttijdMs() const { return m_wachttijdMs; }
    void zetWachttijd(int ms) { m_wachttijdMs = ms; }

private:
    QString m_dienst;
    int m_wachttijdMs;
};

} // namespace Vamox
