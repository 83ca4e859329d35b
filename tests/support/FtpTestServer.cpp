#include "support/FtpTestServer.h"

#include "support/ServerHulp.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace Vamox::Test {

namespace {

// Debian's interpreter: it has python3-pyftpdlib, whatever python is first on PATH.
const QString Python = QStringLiteral("/usr/bin/python3");

struct Bestanden
{
    QString poort, root, listing, vervanging, commandos;
};

QStringList scriptArgumenten(const FtpServerOpties& o, const Bestanden& b, bool verbose)
{
    // -I: no PYTHON* variables or user site-packages; -X utf8: file names are UTF-8 whatever the locale.
    QStringList a{QStringLiteral("-I"),          QStringLiteral("-X"),
                  QStringLiteral("utf8"),        QStringLiteral(VAMOX_TEST_SUPPORT_DIR "/ftpserver.py"),
                  QStringLiteral("--port-file"), b.poort,
                  QStringLiteral("--root"),      b.root,
                  QStringLiteral("--user"),      o.gebruiker,
                  QStringLiteral("--password"),  o.wachtwoord};
    if (!o.mlst) a << QStringLiteral("--no-mlst");
    if (o.weigerLogin) a << QStringLiteral("--refuse-login");
    if (o.traagMs > 0) a << QStringLiteral("--slow") << QString::number(o.traagMs);
    if (o.dropRetrNa >= 0) a << QStringLiteral("--drop-retr-after") << QString::number(o.dropRetrNa);
    if (o.dropStorNa >= 0) a << QStringLiteral("--drop-stor-after") << QString::number(o.dropStorNa);
    if (o.dropKeren >= 0) a << QStringLiteral("--drop-times") << QString::number(o.dropKeren);
    if (o.kortRetr >= 0) a << QStringLiteral("--short-retr") << QString::number(o.kortRetr);
    if (!o.faalCommandos.isEmpty()) a << QStringLiteral("--fail") << o.faalCommandos.join(u',');
    if (!o.onbekend.isEmpty()) a << QStringLiteral("--unknown") << o.onbekend.join(u',');
    if (!b.listing.isEmpty()) a << QStringLiteral("--listing") << b.listing;
    if (o.idleTimeoutS > 0) a << QStringLiteral("--idle-timeout") << QString::number(o.idleTimeoutS);
    if (!o.lijstStukken.isEmpty()) a << QStringLiteral("--listing-chunks") << o.lijstStukken;
    if (!o.eindelozeLijst.isEmpty()) a << QStringLiteral("--listing-endless") << o.eindelozeLijst;
    if (o.dropLijstNa >= 0) a << QStringLiteral("--drop-list-after") << QString::number(o.dropLijstNa);
    if (o.kortAppe >= 0) a << QStringLiteral("--short-appe") << QString::number(o.kortAppe);
    if (o.lijstZonderOpties) a << QStringLiteral("--no-list-options");
    if (o.kortStor >= 0) a << QStringLiteral("--short-stor") << QString::number(o.kortStor);
    if (!b.vervanging.isEmpty()) a << QStringLiteral("--replace-on-drop") << b.vervanging;
    if (o.geenHernoemOverBestaand) a << QStringLiteral("--no-rename-over");
    if (o.commandoLog) a << QStringLiteral("--command-log") << b.commandos;
    if (o.snelheid > 0) a << QStringLiteral("--rate") << QString::number(o.snelheid);
    if (o.lijstZoneMinuten) a << QStringLiteral("--list-zone") << QString::number(*o.lijstZoneMinuten);
    if (verbose) a << QStringLiteral("--verbose");
    return a;
}

} // namespace

FtpTestServer::FtpTestServer(FtpServerOpties opties) : m_opties(std::move(opties))
{
    // The root is a subfolder: the port file and fixed listing stay out of the client's sight.
    if (m_dir.isValid()) QDir().mkpath(root());
}

FtpTestServer::~FtpTestServer()
{
    stop();
}

QString FtpTestServer::root() const
{
    return m_dir.filePath(QStringLiteral("root"));
}

QString FtpTestServer::pad(const QString& rel) const
{
    return root() + u'/' + rel;
}

bool FtpTestServer::draait() const
{
    return m_proces && m_proces->state() == QProcess::Running;
}

bool FtpTestServer::start()
{
    if (draait()) return true;
    m_fout.clear();
    m_poort = 0;
    if (!m_dir.isValid()) {
        m_fout = QStringLiteral("no temp folder: ") + m_dir.errorString();
        return false;
    }
    const QString poortBestand = m_dir.filePath(QStringLiteral("poort"));
    const QString logBestand = m_dir.filePath(QStringLiteral("server.log"));
    QFile::remove(poortBestand);
    Bestanden b{poortBestand, root(), {}, {}, m_dir.filePath(QStringLiteral("commandos"))};
    // Beside the root, out of the client's sight.
    const auto klaarzetten = [&](const QByteArray& inhoud, const QString& naam, QString& pad) {
        if (inhoud.isEmpty()) return true;
        pad = m_dir.filePath(naam);
        QFile f(pad);
        return f.open(QIODevice::WriteOnly) && f.write(inhoud) == inhoud.size();
    };
    if (!klaarzetten(m_opties.vasteListing, QStringLiteral("listing"), b.listing) ||
        !klaarzetten(m_opties.vervangBijDrop, QStringLiteral("vervanging"), b.vervanging)) {
        m_fout = QStringLiteral("cannot write the fixed listing or replacement");
        return false;
    }
    const bool verbose = !qEnvironmentVariableIsEmpty("VAMOX_TEST_FTP_LOG");
    m_proces = startKind(Python, scriptArgumenten(m_opties, b, verbose), logBestand, verbose, &m_fout);
    if (!m_proces) return false;

    // The script renames a finished port file into place, so existence means complete.
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(poortBestand)) {
        if (kindGestopt(*m_proces, 20)) {
            m_fout = QStringLiteral("ftpserver.py exited (%1): %2")
                         .arg(m_proces->exitCode())
                         .arg(staartVan(logBestand));
            m_proces.reset();
            return false;
        }
        if (deadline.hasExpired()) {
            stop();
            m_fout = QStringLiteral("ftpserver.py wrote no port within 10 s: ") + staartVan(logBestand);
            return false;
        }
    }
    QFile f(poortBestand);
    m_poort = f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toUShort() : 0;
    // A slow server is slow to greet as well.
    const QByteArray begroeting =
        m_poort ? leesBegroeting(m_poort, 10000 + 2 * m_opties.traagMs) : QByteArray();
    if (!begroeting.startsWith("220")) {
        stop();
        m_fout = QStringLiteral("no greeting on port %1: %2").arg(m_poort).arg(staartVan(logBestand));
        return false;
    }
    return true;
}

void FtpTestServer::stop()
{
    if (!m_proces) return;
    stopKind(*m_proces);
    m_proces.reset();
}

void FtpTestServer::maakMap(const QString& rel) const
{
    maakMapOnder(root(), rel);
}

void FtpTestServer::schrijf(const QString& rel, const QByteArray& inhoud) const
{
    schrijfOnder(root(), rel, inhoud);
}

QByteArray FtpTestServer::lees(const QString& rel) const
{
    return leesOnder(root(), rel);
}

QStringList FtpTestServer::ontvangen() const
{
    QFile f(m_dir.filePath(QStringLiteral("commandos")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace Vamox::Test
