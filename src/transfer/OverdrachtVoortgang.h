#pragma once

#include <QString>

#include <deque>
#include <map>
#include <functional>

namespace Vamox {

// What a progress display shows of the transfers under way.
struct VoortgangStand
{
    QString bestand;           // the file that began last of those running; "" between files
    int lopend = 0;            // files running at once
    qint64 bestandenKlaar = 0; // handled: transferred, failed or skipped
    qint64 bestandenTotaal = 0;
    qint64 mislukt = 0;      // of the handled ones
    qint64 overgeslagen = 0; // of the handled ones
    qint64 bytesKlaar = 0; // of handled files, plus what the running ones moved so far
    qint64 bytesTotaal = 0;
    double bytesPerSeconde = 0; // average over the last few seconds; 0 while unknown
    qint64 secondenOver = -1;   // -1 while the rate is unknown
};

// Keeps count of the files the queue moves, from the moment it has work until it is idle again,
// for the progress display: the totals grow as files join, every file's start, bytes and end come
// in (several may run at once), and a VoortgangStand is asked for whenever the display repaints.
// The rate counts only bytes that moved, so skipped files shorten the time left without making
// the line look faster.
class OverdrachtVoortgang final
{
public:
    using Klok = std::function<qint64()>;     // milliseconds of a monotonic clock
    static constexpr qint64 VensterMs = 5000; // span of the rate's sliding average

    explicit OverdrachtVoortgang(Klok klok = {});

    // Counting starts over.
    void begin();
    // Files joined, with their bytes (unknown sizes counted as 0).
    void erbij(qint64 bestanden, qint64 bytes);
    // `grootte` < 0: unknown; the bytes moved are counted when the file ends.
    void bestandBegint(quint64 id, const QString& naam, qint64 grootte);
    void bestandVoortgang(quint64 id, qint64 gedaan);
    // The file is handled (moved, failed, skipped or cancelled, begun or not): its whole size
    // `grootte` counts as done.
    void bestandKlaar(quint64 id, qint64 grootte);

    VoortgangStand stand() const;

private:
    struct Lopend
    {
        QString naam;
        qint64 grootte = -1;
        qint64 gedaan = 0;
        quint64 volgorde = 0;
    };
    struct Meting
    {
        qint64 ms;
        qint64 bytes; // moved since begin()
    };
    qint64 lopendeBytes() const;
    void meet();

    Klok m_klok;
    std::deque<Meting> m_metingen;
    std::map<quint64, Lopend> m_lopend;
    quint64 m_volgorde = 0;
    qint64 m_afgehandeld = 0; // bytes of handled files
    qint64 m_verplaatst = 0;  // bytes moved by handled files
    qint64 m_bestandenKlaar = 0;
    qint64 m_bestandenTotaal = 0;
    qint64 m_bytesTotaal = 0;
};

// One line for the display: "Bestand 3/10: naam - 1,2 MB van 5,0 MB - 1,1 MB/s - nog 0:04".
QString VoortgangTekst(const VoortgangStand& stand);

} // namespace Vamox
