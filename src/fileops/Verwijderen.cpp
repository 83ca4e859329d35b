#include "fileops/Verwijderen.h"

#include "platform/Prullenbak.h"
#include "transfer/Overdracht.h"
#include "transfer/OverdrachtPaden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace Vamox {

namespace {

// Removes one entry below a tree being deleted: a link or a file is unlinked, a folder emptied
// first. Failures are counted; the walk goes on with the next entry.
void Wissen(const QFileInfo& info, Verwijderresultaat& r)
{
    // isDir() follows a link: a link to a folder must be seen as the link it is.
    if (info.isSymLink() || info.isJunction() || !info.isDir()) {
        if (QFile::remove(info.filePath()))
            ++r.verwijderd;
        else
            ++r.mislukt;
        return;
    }
    // A folder its owner may not write keeps its content; the owner may change that.
    constexpr auto eigenaar = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if ((info.permissions() & eigenaar) != eigenaar)
        QFile::setPermissions(info.filePath(), info.permissions() | eigenaar);
    const QFileInfoList inhoud =
        QDir(info.filePath())
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& kind : inhoud)
        Wissen(kind, r);
    if (QDir().rmdir(info.filePath()))
        ++r.verwijderd;
    else
        ++r.mislukt;
}

bool TweeKeerJa(Verwijdervragen& vragen, const QString& pad, const Mapomvang& omvang)
{
    return vragen.MapVerwijderen(pad, omvang, false) && vragen.MapVerwijderen(pad, omvang, true);
}

} // namespace

Verwijderresultaat LokaleBestandenVerwijderen(const QString& map, const QStringList& namen,
                                              Verwijderwijze wijze)
{
    Verwijderresultaat r;
    for (const QString& naam : namen) {
        const QString pad = LokaalDoelPad(map, naam);
        bool weg = false;
        if (!pad.isEmpty()) {
            // A name that happens to be a folder is no file of this list.
            const QFileInfo info(pad);
            if (info.isSymLink() || !info.isDir())
                weg = wijze == Verwijderwijze::Prullenbak ? NaarPrullenbak(pad) : QFile::remove(pad);
        }
        if (weg)
            ++r.verwijderd;
        else
            ++r.mislukt;
    }
    return r;
}

Verwijderresultaat LokaalWissen(const QString& pad)
{
    Verwijderresultaat r;
    const QFileInfo info(pad);
    if (info.exists() || info.isSymLink()) Wissen(info, r);
    return r;
}

Verwijderresultaat ServerbestandenVerwijderen(FtpSession& sessie, const QString& map,
                                              const QStringList& namen)
{
    Verwijderresultaat r;
    for (const QString& naam : namen) {
        if (sessie.FtpBestandWissen(map + naam)) {
            ++r.verwijderd;
        } else {
            ++r.mislukt;
            if (sessie.afgebroken()) {
                r.geannuleerd = true;
                break;
            }
        }
    }
    return r;
}

Mapverwijdering LokaleMapVerwijderen(const QString& pad, Verwijdervragen& vragen, const StopVraag& stop)
{
    Mapverwijdering uit;
    const QString map = ZonderEindscheiding(pad);
    const QFileInfo info(map);
    if (map.isEmpty() || (!info.exists() && !info.isSymLink())) return uit;

    Mapomvang omvang;
    // A link holds nothing of its own: what its target holds stays.
    if (!info.isSymLink() && !info.isJunction()) {
        vragen.Zoeken();
        const LokaleBoom boom = LokaleMapScannen(map, stop);
        // Half a count would be asked about as if it were the whole tree.
        if (!boom.volledig) return uit;
        omvang = {qint64(boom.mappen.size()) - 1, qint64(boom.bestanden.size())};
    }
    if (!TweeKeerJa(vragen, map, omvang)) return uit;

    vragen.Verwijderen();
    uit.gedaan = true;
    Wissen(info, uit.resultaat);
    return uit;
}

Mapverwijdering ServermapVerwijderen(FtpSession& sessie, const QString& pad, Verwijdervragen& vragen)
{
    Mapverwijdering uit;
    QString map = pad;
    while (map.endsWith(u'/'))
        map.chop(1);
    if (map.isEmpty()) return uit;

    vragen.Zoeken();
    const FtpBoom boom = sessie.FtpBoomLezen(map, false); // a link is removed, never what it points to
    if (boom.afgebroken) return uit;
    const Mapomvang omvang{qint64(boom.mappen.size()), qint64(boom.bestanden.size())};
    if (!TweeKeerJa(vragen, map, omvang)) return uit;

    vragen.Verwijderen();
    uit.gedaan = true;
    Verwijderresultaat& r = uit.resultaat;
    const auto tel = [&](bool gelukt) {
        if (gelukt) {
            ++r.verwijderd;
            return true;
        }
        ++r.mislukt;
        r.geannuleerd = sessie.afgebroken();
        return !r.geannuleerd;
    };
    // A folder chosen in the list may be a link to one: DELE removes the link (a folder it
    // refuses), and what the link points to keeps all it holds.
    if (sessie.FtpBestandWissen(map)) {
        ++r.verwijderd;
        return uit;
    }
    if (sessie.afgebroken()) {
        r.geannuleerd = true;
        return uit;
    }
    // An MLSD listing shows a link to a folder as the folder on some servers (the facts are those
    // of its target): each folder below is offered to DELE too, from the top, and nothing is
    // deleted below a link that went.
    QStringList links;
    const auto onderLink = [&](const QString& pad) {
        return std::any_of(links.cbegin(), links.cend(),
                           [&](const QString& l) { return pad == l || pad.startsWith(l + u'/'); });
    };
    if (sessie.gebruiktMlsd()) {
        for (const QString& m : boom.mappen) {
            if (onderLink(m)) continue;
            if (sessie.FtpBestandWissen(m)) {
                ++r.verwijderd;
                links.push_back(m);
            } else if (sessie.afgebroken()) {
                r.geannuleerd = true;
                return uit;
            }
        }
    }
    for (const FtpBoom::Bestand& b : boom.bestanden)
        if (!onderLink(b.pad) && !tel(sessie.FtpBestandWissen(b.pad))) return uit;
    for (auto m = boom.mappen.crbegin(); m != boom.mappen.crend(); ++m)
        if (!onderLink(*m) && !tel(sessie.FtpMapWissen(*m))) return uit;
    tel(sessie.FtpMapWissen(map));
    return uit;
}

} // namespace Vamox
