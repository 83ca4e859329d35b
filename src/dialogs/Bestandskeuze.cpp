#include "dialogs/Bestandskeuze.h"

#include <QFileDialog>

#include <utility>

namespace Vamox {

namespace {

BestandskeuzeAntwoorder& Antwoorder()
{
    static BestandskeuzeAntwoorder antwoorder;
    return antwoorder;
}

} // namespace

BestandskeuzeScope::BestandskeuzeScope(BestandskeuzeAntwoorder antwoorder)
    : m_vorige(std::exchange(Antwoorder(), std::move(antwoorder)))
{
}

BestandskeuzeScope::~BestandskeuzeScope()
{
    Antwoorder() = std::move(m_vorige);
}

QString BestandsfilterTekst(const QString& filter)
{
    QStringList regels;
    for (const QString& deel : filter.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype streep = deel.indexOf(u'_');
        const QString beschrijving = streep < 0 ? deel : deel.left(streep);
        QString patroon = streep < 0 ? QString() : deel.mid(streep + 1);
        if (patroon.startsWith(u'(') && patroon.endsWith(u')')) patroon = patroon.mid(1, patroon.size() - 2);
        if (patroon.contains(u'#')) patroon.clear();
        patroon.replace(QLatin1String("*.*"), QLatin1String("*"));
        regels.push_back(beschrijving + QStringLiteral(" (") + patroon + u')');
    }
    return regels.join(QLatin1String(";;"));
}

QStringList BestandKiezen(const Bestandskeuze& keuze, QWidget* ouder)
{
    if (Antwoorder()) return Antwoorder()(keuze);
    const QString pad =
        QFileDialog::getOpenFileName(ouder, keuze.titel, keuze.map, BestandsfilterTekst(keuze.filter));
    return pad.isEmpty() ? QStringList() : QStringList{pad};
}

} // namespace Vamox
