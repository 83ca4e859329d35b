#pragma once

#include "search/Zoektekst.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace Vamox {

class Wachtrij;

// A file of a list to search: the row's name and the size its listing gave (-1 unknown).
struct Zoekbestand
{
    QString naam;
    qint64 grootte = -1;
};

// Where the bytes of a listed file can be read.
class Zoekbron
{
public:
    enum class Status
    {
        Klaar,
        Mislukt,     // not there to read (a failed download): no hit, and told
        Overgeslagen // the fetch was cancelled (Escape): no hit, not a failure
    };
    struct Ophaling
    {
        Status status = Status::Mislukt;
        QString pad; // with Klaar: the local file to read
    };

    virtual ~Zoekbron() = default;
    virtual Ophaling Ophalen(const Zoekbestand& bestand) = 0;
};

// Files of a local folder, read where they are.
class LokaleZoekbron final : public Zoekbron
{
public:
    // `map` ends in a separator.
    explicit LokaleZoekbron(QString map) : m_map(std::move(map)) {}
    Ophaling Ophalen(const Zoekbestand& bestand) override;

private:
    QString m_map;
};

// Files of a server folder, fetched through the transfer queue ahead of what waits there: all of
// them are queued at once, so the next files arrive while one is read. Each goes to a work file of
// its own, removed once the next is asked for (and the rest when the search ends).
class ServerZoekbron final : public Zoekbron
{
public:
    // `servermap` "/a/b/"; `werkmap` a folder of the work folder that only this search uses.
    ServerZoekbron(Wachtrij& wachtrij, QString servermap, QString werkmap);
    ~ServerZoekbron() override; // stops the fetches not needed any more
    Q_DISABLE_COPY_MOVE(ServerZoekbron)

    // Queues the files that will be asked for, in that order.
    void Voorbereiden(const std::vector<Zoekbestand>& bestanden);
    Ophaling Ophalen(const Zoekbestand& bestand) override;
    // Cancels the fetch that is being waited for (it is then passed by).
    void Overslaan();

private:
    Wachtrij& m_wachtrij;
    QString m_servermap;
    QString m_werkmap;
    quint64 m_ronde = 0;
    QHash<QString, quint64> m_klussen; // name -> job
    quint64 m_wacht = 0;               // the job being waited for
    QString m_vorige;                  // the work file read last
};

// What a search shows while it runs and where it may be cut short.
class Zoekmelder
{
public:
    virtual ~Zoekmelder() = default;
    // Before file `positie` (1-based) of `aantal` is fetched and read; `gevonden` hits so far.
    // Stoppen ends the search here, Overslaan passes this file by.
    virtual Onderbreking BestandBegint(const QString& /*naam*/, int /*positie*/, int /*aantal*/,
                                       int /*gevonden*/)
    {
        return Onderbreking::Doorgaan;
    }
    // Between two blocks of a file.
    virtual Onderbreking Tussendoor() { return Onderbreking::Doorgaan; }
    // File `index` (0-based place in the list) holds the text.
    virtual void Gevonden(int /*index*/) {}
};

struct Zoekresultaat
{
    std::vector<int> treffers; // places in the list of the files that hold the text, in order
    QStringList mislukt;       // files that could not be fetched (never hits)
    int overgeslagen = 0;      // files cut short or passed by (Escape)
    bool gestopt = false;      // the search ended before the last file
};

// Looks for the text in every file of the list, one after the other.
Zoekresultaat Zoeken(Zoekbron& bron, const std::vector<Zoekbestand>& bestanden, const Zoektekst& tekst,
                     Zoekmelder& melder);

} // namespace Vamox
