#include "config/SshConfig.h"

#include "config/Tekstcodering.h"
#include "ftp/FtpGegevens.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Vamox {

namespace {

constexpr int MaxInclude = 16; // as ssh: deeper is a loop

// The words of a line as ssh splits them: whitespace, or double quotes around a word with spaces.
QStringList Woorden(const QString& tekst)
{
    QStringList uit;
    QString woord;
    bool inAanhalingstekens = false;
    bool heeftWoord = false;
    for (const QChar c : tekst) {
        if (c == u'"') {
            inAanhalingstekens = !inAanhalingstekens;
            heeftWoord = true;
        } else if (!inAanhalingstekens && c.isSpace()) {
            if (heeftWoord) uit << woord;
            woord.clear();
            heeftWoord = false;
        } else {
            woord += c;
            heeftWoord = true;
        }
    }
    if (heeftWoord) uit << woord;
    return uit;
}

// "*" and "?" as ssh's match_pattern has them, letter case ignored.
bool Past(QStringView tekst, QStringView patroon)
{
    while (!patroon.isEmpty()) {
        const QChar p = patroon.front();
        if (p == u'*') {
            patroon = patroon.mid(1);
            if (patroon.isEmpty()) return true;
            for (qsizetype i = 0; i <= tekst.size(); ++i)
                if (Past(tekst.mid(i), patroon)) return true;
            return false;
        }
        if (tekst.isEmpty()) return false;
        if (p != u'?' && p.toLower() != tekst.front().toLower()) return false;
        tekst = tekst.mid(1);
        patroon = patroon.mid(1);
    }
    return tekst.isEmpty();
}

bool BlokPast(const SshConfig::Blok& blok, const QString& host)
{
    if (blok.match) return false;
    bool past = false;
    for (const QString& p : blok.patronen) {
        if (p.startsWith(u'!')) {
            if (Past(host, p.mid(1))) return false;
        } else if (Past(host, p)) {
            past = true;
        }
    }
    return past;
}

QString Thuis()
{
    return QDir::homePath();
}

QString TildeUitvouwen(const QString& pad)
{
    if (pad == u'~') return Thuis();
    if (pad.startsWith(QLatin1String("~/"))) return Thuis() + pad.mid(1);
    return pad;
}

// ssh's tokens: %% %d %h %r %u; others stay as they stand.
QString TekensUitvouwen(const QString& tekst, const QString& host, const QString& gebruiker)
{
    QString uit;
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        if (tekst.at(i) != u'%' || i + 1 == tekst.size()) {
            uit += tekst.at(i);
            continue;
        }
        const QChar t = tekst.at(++i);
        if (t == u'%') uit += u'%';
        else if (t == u'd') uit += Thuis();
        else if (t == u'h') uit += host;
        else if (t == u'r') uit += gebruiker;
        else if (t == u'u') uit += LokaleGebruiker();
        else uit += u'%' + QString(t);
    }
    return uit;
}

void Parsen(SshConfig& config, const QString& tekst, const QString& map, int blok, int diepte)
{
    for (const QString& ruw : RegelsSplitsen(tekst)) {
        const QString regel = ruw.trimmed();
        if (regel.isEmpty() || regel.startsWith(u'#')) continue;
        // "Keyword value", "Keyword=value", "Keyword = value".
        qsizetype eind = 0;
        while (eind < regel.size() && !regel.at(eind).isSpace() && regel.at(eind) != u'=')
            ++eind;
        const QString trefwoord = regel.left(eind).toLower();
        QString rest = regel.mid(eind).trimmed();
        if (rest.startsWith(u'=')) rest = rest.mid(1).trimmed();
        const QStringList waarden = Woorden(rest);
        if (trefwoord == QLatin1String("host") || trefwoord == QLatin1String("match")) {
            const bool match = trefwoord == QLatin1String("match");
            config.blokken.append({waarden, match});
            blok = int(config.blokken.size()) - 1;
            if (match) {
                const QString melding = QStringLiteral("Match-blokken worden niet toegepast: ") + regel;
                if (!config.meldingen.contains(melding)) config.meldingen << melding;
            }
            continue;
        }
        if (trefwoord == QLatin1String("include")) {
            if (diepte >= MaxInclude) {
                config.meldingen << QStringLiteral("Include te diep genest, niet gevolgd: ") + regel;
                continue;
            }
            for (const QString& w : waarden) {
                QString pad = TildeUitvouwen(w);
                if (QFileInfo(pad).isRelative()) pad = map + u'/' + pad;
                const QFileInfo info(pad);
                QDir dir = info.dir();
                const QStringList namen =
                    dir.entryList({info.fileName()}, QDir::Files | QDir::Readable, QDir::Name);
                for (const QString& naam : namen) {
                    QFile f(dir.filePath(naam));
                    if (f.open(QIODevice::ReadOnly))
                        Parsen(config, TekstDecoderen(f.readAll()), map, blok, diepte + 1);
                }
            }
            continue;
        }
        config.regels.append({blok, trefwoord, waarden});
    }
}

} // namespace

QString LokaleGebruiker()
{
    QString naam = qEnvironmentVariable("USER");
    if (naam.isEmpty()) naam = qEnvironmentVariable("LOGNAME");
    if (naam.isEmpty()) naam = qEnvironmentVariable("USERNAME");
    return naam;
}

SshHost SshConfig::Opzoeken(const QString& host, const QString& gebruiker) const
{
    SshHost uit;
    std::optional<QString> hostName, user, port;
    QStringList identiteiten;
    for (const Regel& r : regels) {
        if (r.blok >= 0 && !BlokPast(blokken.at(r.blok), host)) continue;
        if (r.waarden.isEmpty()) continue;
        const QString& w = r.waarden.constFirst();
        if (r.trefwoord == QLatin1String("hostname") && !hostName) hostName = w;
        else if (r.trefwoord == QLatin1String("user") && !user) user = w;
        else if (r.trefwoord == QLatin1String("port") && !port) port = w;
        else if (r.trefwoord == QLatin1String("identityfile")) identiteiten << w;
    }
    if (hostName) uit.hostName = TekensUitvouwen(*hostName, host, QString());
    if (user) uit.user = *user;
    if (port) {
        bool ok = false;
        const uint p = port->toUInt(&ok);
        if (ok && p > 0 && p <= 65535) uit.port = quint16(p);
    }
    const QString naarHost = uit.hostName.isEmpty() ? host : uit.hostName;
    const QString naarGebruiker = uit.user.isEmpty() ? gebruiker : uit.user;
    for (const QString& pad : std::as_const(identiteiten)) {
        if (pad.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) continue;
        uit.identityFiles << TildeUitvouwen(TekensUitvouwen(pad, naarHost, naarGebruiker));
    }
    return uit;
}

QStringList SshConfig::Aliassen() const
{
    QStringList uit;
    for (const Blok& b : blokken) {
        if (b.match) continue;
        for (const QString& p : b.patronen) {
            if (p.contains(u'*') || p.contains(u'?') || p.startsWith(u'!')) continue;
            if (!uit.contains(p, Qt::CaseInsensitive)) uit << p;
        }
    }
    return uit;
}

SshConfig SshConfigParsen(const QString& tekst, const QString& map)
{
    SshConfig config;
    Parsen(config, tekst, map, -1, 0);
    return config;
}

SshConfig SshConfigLezen(const QString& pad)
{
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return SshConfigParsen(TekstDecoderen(f.readAll()), QFileInfo(pad).absolutePath());
}

void SshConfigToepassen(FtpGegevens& gegevens, const SshConfig& config)
{
    const SshHost h = config.Opzoeken(gegevens.host, gegevens.gebruiker);
    if (!h.hostName.isEmpty()) gegevens.host = h.hostName;
    if (gegevens.gebruiker.isEmpty()) gegevens.gebruiker = h.user;
    if (gegevens.poort == 22 && h.port) gegevens.poort = *h.port;
    if (!h.identityFiles.isEmpty()) gegevens.sleutelbestanden = h.identityFiles;
}

} // namespace Vamox
