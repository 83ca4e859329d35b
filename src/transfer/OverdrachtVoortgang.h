#pragma once

#include <QString>

#include <deque>
#include <functional>

namespace Vamox {

// What a progress display shows of a transfer run.
struct VoortgangStand
{
    QString bestand;           // the file being transferred; "" between files
    qint64 bestandenKlaar = 0; // handled: transferred, failed or skipped
    qint64 bestandenTotaal = 0;
    qint64 bytesKlaar = 0; // of handled files, plus what the current one moved so far
    qint64 bytesTotaal = 0;
    double bytesPerSeconde = 0; // average over the last few seconds; 0 while unknown
    qint64 secondenOver = -1;   // -1 while the rate is unknown
};

// Keeps count of a run of transfers for its progress display. The window feeds it the totals,
// every file's start and end, and the session's byte counts of the running file; it asks for a
// VoortgangStand whenever it repaints. The rate counts only bytes that moved, so skipped files
// shorten the time left without making the line look faster.
class OverdrachtVoortgang final
{
public:
    using Klok = std::function<qint64()>;     // milliseconds of a monotonic clock
    static constexpr qint64 VensterMs = 5000; // span of the rate's sliding average

    explicit OverdrachtVoortgang(Klok klok = {});

    void begin(qint64 bestanden, qint64 bytes);
    // `grootte` < 0: unknown; the bytes moved are counted when the file ends.
    void bestandBegint(const QString& naam, qint64 grootte);
    void bestandVoortgang(qint64 gedaan);
    // The current file is handled (moved, failed or skipped): its whole size counts as done.
    void bestandKlaar();

    VoortgangStand stand() const;

private:
    struct Meting
    {
        qint64 ms;
        qint64 bytes; // moved since begin()
    };
    void meet();

    Klok m_klok;
    std::deque<Meting> m_metingen;
    QString m_bestand;
    qint64 m_grootte = -1;
    qint64 m_gedaan = 0;      // of the current file
    qint64 m_afgehandeld = 0; // bytes of handled files
    qint64 m_verplaatst = 0;  // bytes moved by handled files
    qint64 m_bestandenKlaar = 0;
    qint64 m_bestandenTotaal = 0;
    qint64 m_bytesTotaal = 0;
};

// One line for the display: "Bestand 3/10: naam - 1,2 MB van 5,0 MB - 1,1 MB/s - nog 0:04".
QString VoortgangTekst(const VoortgangStand& stand);

} // namespace Vamox
