#include "fileops/Openen.h"

#include "transfer/Werkplekken.h"
#include "platform/Programmas.h"
#include "transfer/Wachtrij.h"

#include <QHash>

namespace Vamox {

namespace {

QHash<QString, QString>& Gekoppeld()
{
    static QHash<QString, QString> programmas;
    return programmas;
}

QString Extensie(const QString& pad)
{
    const QString naam = pad.mid(std::max(pad.lastIndexOf(u'/'), pad.lastIndexOf(u'\\')) + 1);
    return naam.mid(naam.lastIndexOf(u'.') + 1);
}

// Step 6 of either flow: the desktop opens the file; failing that, the program gets the path.
bool OpenenOfStarten(const QString& pad, const QString& programma, const QString& getoond, bool server,
                     Openomgeving& omgeving)
{
    if (omgeving.Openen(pad)) return true;
    if (!programma.isEmpty() && omgeving.Starten(programma, pad)) return true;
    omgeving.NietGeopend(getoond, server);
    return false;
}

bool InKladblok(const QString& pad, const QString& getoond, bool server, Openomgeving& omgeving)
{
    if (omgeving.Kladblok(pad)) return true;
    omgeving.NietGeopend(getoond, server);
    return false;
}

// The question between the editor and the program, and what the answer does.
bool KiezenEnOpenen(const QString& pad, const QString& programma, const QString& getoond, bool server,
                    Openomgeving& omgeving)
{
    switch (omgeving.KladblokOfProgramma(getoond, WeergaveNaam(programma), server)) {
    case Openomgeving::Keuze::Kladblok:
        return InKladblok(pad, getoond, server, omgeving);
    case Openomgeving::Keuze::Programma:
        return OpenenOfStarten(pad, programma, getoond, server, omgeving);
    case Openomgeving::Keuze::Annuleren:
        break;
    }
    return false;
}

bool IsTekst(const QString& pad)
{
    return pad.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
}

} // namespace

QString GekoppeldProgramma(const QString& pad)
{
    const QString extensie = Extensie(pad).toLower();
    auto gevonden = Gekoppeld().constFind(extensie);
    if (gevonden == Gekoppeld().cend())
        gevonden = Gekoppeld().insert(extensie, StandaardProgramma(QStringLiteral("tmp0.") + extensie));
    return *gevonden;
}

void GekoppeldeProgrammasVergeten()
{
    Gekoppeld().clear();
}

QString WeergaveNaam(const QString& programma)
{
    QString naam = programma.mid(std::max(programma.lastIndexOf(u'/'), programma.lastIndexOf(u'\\')) + 1);
    naam.replace(u'+', u' ');
    naam.remove(QStringLiteral(".exe"), Qt::CaseInsensitive);
    return naam.toUpper().trimmed();
}

bool BestandLokaalOpenen2(const QString& pad, Openomgeving& omgeving)
{
    const QString programma = omgeving.Programma(pad);
    const QString extensie = Extensie(pad);
    // These open as they are, whatever opens them.
    if (extensie == QLatin1String("zip") || extensie == QLatin1String("exe") ||
        extensie == QLatin1String("txt"))
        return OpenenOfStarten(pad, programma, pad, false, omgeving);
    if (programma.isEmpty()) return omgeving.InKladblok(pad, false) && InKladblok(pad, pad, false, omgeving);
    if (IsTekst(pad)) return OpenenOfStarten(pad, programma, pad, false, omgeving);
    return KiezenEnOpenen(pad, programma, pad, false, omgeving);
}

bool BestandFtpOpenen(Wachtrij& wachtrij, const QString& serverPad, qint64 grootte, const QString& kopie,
                      Openomgeving& omgeving)
{
    const QString programma = omgeving.Programma(kopie);
    const auto halen = [&] {
        Overdrachtsplan plan = EenBestandPlannen(Klus::Richting::Downloaden, serverPad, kopie, grootte);
        return wachtrij.Wachten(wachtrij.Toevoegen(std::move(plan), {}, {.voorrang = true})).gedaan == 1;
    };
    if (kopie.isEmpty() || !halen()) {
        omgeving.NietGedownload(serverPad);
        return false;
    }
    AlleenVoorEigenaar(kopie);
    if (programma.isEmpty())
        return omgeving.InKladblok(serverPad, true) && InKladblok(kopie, serverPad, true, omgeving);
    if (IsTekst(kopie)) return OpenenOfStarten(kopie, programma, serverPad, true, omgeving);
    return KiezenEnOpenen(kopie, programma, serverPad, true, omgeving);
}

} // namespace Vamox
