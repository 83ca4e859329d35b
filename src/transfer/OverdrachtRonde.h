#pragma once

// Pieces the transfer flows share: the frame of a run, its overwrite questions and the path
// checks. Internal to src/transfer.

#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"

#include <QFileInfo>
#include <QSet>
#include <QString>

namespace Vamox::OverdrachtHulp {

// Begin on construction, Einde however the run ends.
class Run final
{
public:
    Run(Voortgangsmelder& melder, qint64 bestanden, qint64 bytes) : m_melder(melder)
    {
        m_melder.Begin(bestanden, bytes);
    }
    ~Run() { m_melder.Einde(); }
    Q_DISABLE_COPY_MOVE(Run)

    Voortgangsmelder* operator->() const { return &m_melder; }

private:
    Voortgangsmelder& m_melder;
};

inline QString ServerNaam(const QString& pad)
{
    return pad.mid(pad.lastIndexOf(u'/') + 1);
}

inline qint64 LokaleGrootte(const QString& pad)
{
    const QFileInfo info(pad);
    return info.isFile() ? info.size() : -1;
}

// The server walk joins listed names into paths, so a listed name holding "/" would pass for a
// deeper path. A path is used only when its parent was itself taken and its own last part is a
// plain name.
inline bool KindVan(const QSet<QString>& mappen, const QString& pad)
{
    const qsizetype plek = pad.lastIndexOf(u'/');
    return plek >= 0 && mappen.contains(pad.left(plek)) && VeiligeNaam(pad.mid(plek + 1));
}

// The overwrite questions of one run: asked until "Alle", each answer counted in the result.
class Vraagronde final
{
public:
    enum class Stap
    {
        Doorgaan,
        Overslaan,
        Stoppen
    };

    Vraagronde(Overdrachtsvragen* vragen, Overschrijving::Soort soort, qint64 aantal, Overdrachtsresultaat& r)
        : m_vragen(vragen), m_soort(soort), m_aantal(aantal), m_r(r)
    {
    }

    // Whether a file that exists still needs a question.
    bool Open() const { return m_vragen != nullptr && !m_alles; }

    Stap Vraag(const QString& pad, qint64 grootte, qint64 nummer)
    {
        switch (m_vragen->Overschrijven(
            {.soort = m_soort, .pad = pad, .grootte = grootte, .nummer = nummer, .aantal = m_aantal})) {
        case Overschrijfantwoord::Stoppen:
            m_r.gestopt = true;
            return Stap::Stoppen;
        case Overschrijfantwoord::Nee:
            ++m_r.overgeslagen;
            return Stap::Overslaan;
        case Overschrijfantwoord::Alle:
            m_alles = true;
            return Stap::Doorgaan;
        case Overschrijfantwoord::Ja:
            break;
        }
        return Stap::Doorgaan;
    }

private:
    Overdrachtsvragen* m_vragen;
    Overschrijving::Soort m_soort;
    qint64 m_aantal;
    Overdrachtsresultaat& m_r;
    bool m_alles = false;
};

using Stap = Vraagronde::Stap;

} // namespace Vamox::OverdrachtHulp
