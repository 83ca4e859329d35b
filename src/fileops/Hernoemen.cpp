#include "fileops/Hernoemen.h"

#include "ftp/FtpPaden.h"
#include "ftp/FtpSession.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Vamox {

namespace {

constexpr QChar VerbodenTekens[] = {u'\\', u'/', u':', u'*', u'?', u'"', u'<', u'>', u'|'};

// Whether the folder holds an entry of exactly this name (the file system is not asked by name:
// on a disk without capitals a differently written name would find the entry being renamed).
bool LokaalExactAanwezig(const QString& basis, const QString& naam)
{
    const QStringList namen =
        QDir(basis).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return namen.contains(naam);
}

bool LokaalBestaat(const QString& basis, const QString& oudeNaam, const QString& naam)
{
    if (LokaalExactAanwezig(basis, naam)) return true;
    if (naam.compare(oudeNaam, Qt::CaseInsensitive) == 0) return false;
    return QFileInfo::exists(basis + naam) || QFileInfo(basis + naam).isSymLink();
}

} // namespace

QString MapnaamJuist(const QString& naam)
{
    bool fout = false;
    QString tabel;
    for (QChar c : VerbodenTekens) {
        fout = fout || naam.contains(c);
        tabel += c + QStringLiteral("  ");
    }
    return fout ? tabel : QString();
}

QString NieuweMapnaam(const QStringList& mappen)
{
    QString kandidaat = QStringLiteral("Nieuwe map");
    for (int teller = 1; mappen.contains(kandidaat); ++teller)
        kandidaat = QStringLiteral("Nieuwe map ") + QString::number(teller);
    return kandidaat;
}

bool NieuweMapMaken(FtpSession* sessie, const QString& basis, const QString& naam)
{
    if (sessie != nullptr) return FtpVeiligeTekst(naam) && sessie->FtpMapMaken(basis + naam);
    const QString pad = LokaalDoelPad(basis, naam);
    return !pad.isEmpty() && QDir().mkdir(pad);
}

Naamwijziging NaamWijzigen(FtpSession* sessie, const QString& basis, const QString& oudeNaam,
                           const QString& naam, bool isMap)
{
    using U = Naamwijziging::Uitkomst;
    Naamwijziging w;
    w.naam = SpatiesWeg(naam);
    w.oudPad = basis + oudeNaam;
    w.nieuwPad = basis + w.naam;
    w.tekens = MapnaamJuist(w.naam);
    if (!w.tekens.isEmpty()) {
        w.uitkomst = U::Tekens;
        return w;
    }
    // An emptied label means no change, as Escape does.
    if (w.naam == oudeNaam || w.naam.isEmpty()) {
        w.uitkomst = U::Ongewijzigd;
        return w;
    }
    const bool lokaal = sessie == nullptr;
    if (!VeiligeNaam(w.naam) || !FtpVeiligeTekst(w.naam) || w.naam.contains(u'\n') ||
        w.naam.contains(u'\r')) {
        w.uitkomst = U::Ongeldig;
        return w;
    }
    // The server lists exact names; a change of capitals finds no other entry there either.
    const bool bestaat =
        lokaal ? LokaalBestaat(basis, oudeNaam, w.naam) : sessie->ServerpadBestaat(w.nieuwPad, isMap);
    if (bestaat) {
        w.uitkomst = U::Bestaat;
        return w;
    }
    bool gelukt = false;
    if (!lokaal)
        gelukt = sessie->FtpNaamWijzigen(w.oudPad, w.nieuwPad);
    else if (isMap)
        gelukt = QDir().rename(w.oudPad, w.nieuwPad);
    else
        gelukt = QFile::rename(w.oudPad, w.nieuwPad);
    w.uitkomst = gelukt ? U::Gewijzigd : U::Mislukt;
    return w;
}

} // namespace Vamox
