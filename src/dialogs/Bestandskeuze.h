#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace Vamox {

// The platform's open-file dialog, behind a seam like the notices: with an answerer installed
// (tests) no dialog is shown and the answerer's paths are the choice.
struct Bestandskeuze
{
    QString titel;
    QString map;    // initial folder
    QString filter; // "Beschrijving_(patroon)" entries joined by "|"
};

using BestandskeuzeAntwoorder = std::function<QStringList(const Bestandskeuze&)>;

class BestandskeuzeScope final
{
public:
    explicit BestandskeuzeScope(BestandskeuzeAntwoorder antwoorder);
    ~BestandskeuzeScope();
    BestandskeuzeScope(const BestandskeuzeScope&) = delete;
    BestandskeuzeScope& operator=(const BestandskeuzeScope&) = delete;

private:
    BestandskeuzeAntwoorder m_vorige;
};

// The filter text in the dialog's form: "Alle bestanden (*)" per entry, joined by ";;". An entry
// whose pattern holds "#" gets no pattern; "*.*" means every file (names without a dot too).
QString BestandsfilterTekst(const QString& filter);

// One chosen file as a one-element list; empty when cancelled.
QStringList BestandKiezen(const Bestandskeuze& keuze, QWidget* ouder = nullptr);

} // namespace Vamox
