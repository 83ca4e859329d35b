#include "platform/Programmas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <utility>

namespace Vamox {

namespace {

std::function<bool(const QString&, const QStringList&)>& Vervanger()
{
    static std::function<bool(const QString&, const QStringList&)> v;
    return v;
}

QString Omgeving(const char* naam, const QString& standaard)
{
    const QString waarde = qEnvironmentVariable(naam);
    return waarde.isEmpty() ? standaard : waarde;
}

QStringList Mappen(const char* naam, const QString& standaard)
{
    return Omgeving(naam, standaard).split(u':', Qt::SkipEmptyParts);
}

// Sections of an ini-like file ("[Groep]", "sleutel=waarde"); later keys do not replace earlier.
using Groepen = QHash<QString, QHash<QString, QString>>;

Groepen IniLezen(const QString& pad)
{
    Groepen uit;
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return uit;
    QTextStream in(&f);
    QString groep;
    while (!in.atEnd()) {
        const QString regel = in.readLine().trimmed();
        if (regel.isEmpty() || regel.startsWith(u'#')) continue;
        if (regel.startsWith(u'[') && regel.endsWith(u']')) {
            groep = regel.mid(1, regel.size() - 2);
            continue;
        }
        const qsizetype is = regel.indexOf(u'=');
        if (is <= 0) continue;
        const QString sleutel = regel.left(is).trimmed();
        if (!uit[groep].contains(sleutel)) uit[groep].insert(sleutel, regel.mid(is + 1).trimmed());
    }
    return uit;
}

QStringList ApplicatieMappen()
{
    const QString thuis = QDir::homePath();
    QStringList mappen{Omgeving("XDG_DATA_HOME", thuis + QStringLiteral("/.local/share"))};
    mappen += Mappen("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (QString& m : mappen)
        m += QStringLiteral("/applications");
    return mappen;
}

// The association files, most important first.
QStringList Koppelbestanden()
{
    const QString thuis = QDir::homePath();
    QStringList uit{Omgeving("XDG_CONFIG_HOME", thuis + QStringLiteral("/.config")) +
                    QStringLiteral("/mimeapps.list")};
    for (const QString& m : Mappen("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")))
        uit << m + QStringLiteral("/mimeapps.list");
    for (const QString& m : ApplicatieMappen())
        uit << m + QStringLiteral("/mimeapps.list") << m + QStringLiteral("/defaults.list");
    return uit;
}

// The first word of an Exec line, quotes taken off.
QString EersteWoord(const QString& exec)
{
    QString woord;
    bool tussenAanhalingstekens = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == u'"') {
            tussenAanhalingstekens = !tussenAanhalingstekens;
        } else if (c == u'\\' && i + 1 < exec.size()) {
            woord += exec[++i];
        } else if (c == u' ' && !tussenAanhalingstekens) {
            if (!woord.isEmpty()) break;
        } else {
            woord += c;
        }
    }
    return woord;
}

QString Uitvoerbaar(const QString& woord)
{
    if (woord.isEmpty()) return {};
    if (QDir::isAbsolutePath(woord)) {
        const QFileInfo info(woord);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return ProgrammaOpPad(woord);
}

// A program that needs a terminal shows nothing when started on its own.
QString ProgrammaVanEntry(const QHash<QString, QString>& entry)
{
    if (entry.value(QStringLiteral("Hidden")) == QLatin1String("true") ||
        entry.value(QStringLiteral("Terminal")) == QLatin1String("true"))
        return {};
    return Uitvoerbaar(EersteWoord(entry.value(QStringLiteral("Exec"))));
}

// The executable of a desktop entry by its id ("org.x.Edit.desktop"); "" when hidden or missing.
QString ProgrammaVanId(const QString& id)
{
    for (const QString& map : ApplicatieMappen()) {
        QString pad = map + u'/' + id;
        if (!QFileInfo::exists(pad)) pad = map + u'/' + QString(id).replace(u'-', u'/');
        if (!QFileInfo::exists(pad)) continue;
        return ProgrammaVanEntry(IniLezen(pad).value(QStringLiteral("Desktop Entry")));
    }
    return {};
}

QString EersteProgramma(const QString& ids)
{
    for (const QString& id : ids.split(u';', Qt::SkipEmptyParts)) {
        const QString programma = ProgrammaVanId(id.trimmed());
        if (!programma.isEmpty()) return programma;
    }
    return {};
}

QString ProgrammaVoorSoort(const QString& soort)
{
    const QStringList bestanden = Koppelbestanden();
    for (const char* groep : {"Default Applications", "Added Associations"}) {
        for (const QString& bestand : bestanden) {
            const QString programma =
                EersteProgramma(IniLezen(bestand).value(QLatin1String(groep)).value(soort));
            if (!programma.isEmpty()) return programma;
        }
    }
    for (const QString& map : ApplicatieMappen()) {
        const QString programma = EersteProgramma(IniLezen(map + QStringLiteral("/mimeinfo.cache"))
                                                      .value(QStringLiteral("MIME Cache"))
                                                      .value(soort));
        if (!programma.isEmpty()) return programma;
    }
    // The cache is only there where a desktop keeps it: the entries say themselves what they open.
    for (const QString& map : ApplicatieMappen()) {
        for (const QString& naam :
             QDir(map).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
            const QHash<QString, QString> entry =
                IniLezen(map + u'/' + naam).value(QStringLiteral("Desktop Entry"));
            if (!entry.value(QStringLiteral("MimeType")).split(u';').contains(soort)) continue;
            const QString programma = ProgrammaVanEntry(entry);
            if (!programma.isEmpty()) return programma;
        }
    }
    return {};
}

} // namespace

QString StandaardProgramma(const QString& bestandsnaam)
{
    const QMimeType soort = QMimeDatabase().mimeTypeForFile(bestandsnaam, QMimeDatabase::MatchExtension);
    if (!soort.isValid()) return {};
    QStringList soorten{soort.name()};
    soorten += soort.aliases();
    // Every type is a kind of octet-stream: that association would claim every file.
    for (const QString& ouder : soort.allAncestors())
        if (ouder != QLatin1String("application/octet-stream")) soorten << ouder;
    for (const QString& s : std::as_const(soorten)) {
        const QString programma = ProgrammaVoorSoort(s);
        if (!programma.isEmpty()) return programma;
    }
    return {};
}

QString ProgrammaOpPad(const QString& naam)
{
    return naam.isEmpty() ? QString() : QStandardPaths::findExecutable(naam);
}

bool ProgrammaStarten(const QString& programma, const QStringList& argumenten)
{
    if (Vervanger()) return Vervanger()(programma, argumenten);
    return !programma.isEmpty() && QProcess::startDetached(programma, argumenten);
}

ProgrammaStartenVoorTest::ProgrammaStartenVoorTest(
    std::function<bool(const QString&, const QStringList&)> starten)
    : m_vorige(std::exchange(Vervanger(), std::move(starten)))
{
}

ProgrammaStartenVoorTest::~ProgrammaStartenVoorTest()
{
    Vervanger() = std::move(m_vorige);
}

} // namespace Vamox
