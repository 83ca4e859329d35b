#pragma once

// Pieces the transfer planners share: the overwrite questions of a run and the path checks.
// Internal to src/transfer.

#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"

#include <QFileInfo>
#include <QSet>
#include <QString>

namespace Vamox::OverdrachtHulp {

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

// The overwrite questions of one run: asked until "Alle"; "Stoppen" is noted in the plan.
class Vraagronde final
{
public:
    enum class Stap
    {
        Doorgaan,
        Overslaan,
        Stoppen
    };

    Vraagronde(Overdrachtsvragen* vragen, Overschrijving::Soort soort, qint64 aantal, Overdrachtsplan& plan)
        : m_vragen(vragen), m_soort(soort), m_aantal(aantal), m_plan(plan)
    {
    }

    // Whether a file that exists still needs a question.
    bool Open() const { return m_vragen != nullptr && !m_alles; }

    Stap Vraag(const QString& pad, qint64 grootte, qint64 nummer)
    {
        switch (m_vragen->Overschrijven(
            {.soort = m_soort, .pad = pad, .grootte = grootte, .nummer = nummer, .aantal = m_aantal})) {
        case Overschrijfantwoord::Stoppen:
            m_plan.gestopt = true;
            return Stap::Stoppen;
        case Overschrijfantwoord::Nee:
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
    Overdrachtsplan& m_plan;
    bool m_alles = false;
};

using Stap = Vraagronde::Stap;

} // namespace Vamox::OverdrachtHulp
