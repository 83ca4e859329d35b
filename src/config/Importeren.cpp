#include "config/Importeren.h"

#include "config/Serverlijst.h"
#include "config/SshConfig.h"
#include "config/Tekstcodering.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

namespace Vamox {

namespace {

QString VeldTekst(ServerVeld veld)
{
    switch (veld) {
    case ServerVeld::Naam:
        return QStringLiteral("naam");
    case ServerVeld::FtpHost:
        return QStringLiteral("host");
    case ServerVeld::Gebruikersnaam:
        return QStringLiteral("gebruikersnaam");
    case ServerVeld::Wachtwoord:
        return QStringLiteral("wachtwoord");
    case ServerVeld::FtpPoort:
        return QStringLiteral("poort");
    case ServerVeld::Website:
        return QStringLiteral("website");
    }
    return QString();
}

// What every format shares once its fields are read: the defaults and the checks.
Importserver Afmaken(ServerRecord s, QString toelichting, QString weigering)
{
    if (s.Naam.trimmed().isEmpty()) s.Naam = s.FtpHost;
    s.Naam = s.Naam.trimmed();
    if (s.FtpPoort.trimmed().isEmpty()) s.FtpPoort = s.Sftp ? QStringLiteral("22") : QStringLiteral("21");
    // FTP needs a password to log in; without one it is asked.
    if (!s.Sftp && s.Wachtwoord.isEmpty() && s.Plek == Wachtwoordplek::Sleutelbos) s.Plek = Wachtwoordplek::Vragen;
    if (weigering.isEmpty()) {
        if (const auto veld = OngeldigServerVeld(s))
            weigering = QStringLiteral("De ") + VeldTekst(*veld) +
                        QStringLiteral(" bevat een regeleinde of het teken met code 15.");
        else if (s.FtpHost.trimmed().isEmpty())
            weigering = QStringLiteral("Geen host.");
        else if (const uint p = s.FtpPoort.toUInt(); p == 0 || p > 65535)
            weigering = QStringLiteral("Ongeldige poort ") + s.FtpPoort + u'.';
    }
    return {s, std::move(toelichting), std::move(weigering)};
}

// FileZilla's protocol numbers: the ones spoken here, and a name for the others.
QString FileZillaProtocol(const QString& tekst, ServerRecord& s)
{
    bool ok = false;
    const int n = tekst.trimmed().isEmpty() ? 0 : tekst.trimmed().toInt(&ok);
    if (!tekst.trimmed().isEmpty() && !ok) return QStringLiteral("Onbekend protocol '") + tekst + QStringLiteral("'.");
    switch (n) {
    case 0:
        s.Tls = TlsKeuze::IndienBeschikbaar;
        return {};
    case 1:
        s.Sftp = true;
        return {};
    case 4:
        s.Tls = TlsKeuze::Alleen;
        return {};
    case 6:
        s.Tls = TlsKeuze::Geen;
        return {};
    case 3:
        return QStringLiteral("FTP met impliciete TLS (protocol 3) wordt niet ondersteund.");
    default:
        break;
    }
    static const char* namen[] = {nullptr, nullptr, "HTTP", nullptr, nullptr, "HTTPS", nullptr, "S3",
                                  "Storj", "WebDAV", "Azure File", "Azure Blob", "Swift", "Google Cloud",
                                  "Google Drive", "Dropbox", "OneDrive", "B2", "Box", "WebDAV", "Rackspace",
                                  "Storj"};
    if (n >= 0 && n < int(std::size(namen)) && namen[n])
        return QString::fromLatin1(namen[n]) + QStringLiteral(" (protocol ") + QString::number(n) +
               QStringLiteral(") wordt niet ondersteund.");
    return QStringLiteral("Onbekend protocolnummer ") + QString::number(n) + u'.';
}

// One <Server> element; the reader stands on its start.
Importserver FileZillaServer(QXmlStreamReader& xml, const QString& map)
{
    ServerRecord s;
    QString protocol, logontype, pass, passCodering, keyfile;
    while (xml.readNextStartElement()) {
        const auto naam = xml.name();
        if (naam == u"Pass") passCodering = xml.attributes().value(QStringLiteral("encoding")).toString();
        const QString tekst = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (naam == u"Host") s.FtpHost = tekst.trimmed();
        else if (naam == u"Port") s.FtpPoort = tekst.trimmed();
        else if (naam == u"Protocol") protocol = tekst;
        else if (naam == u"User") s.Gebruikersnaam = tekst;
        else if (naam == u"Pass") pass = tekst;
        else if (naam == u"Logontype") logontype = tekst.trimmed();
        else if (naam == u"Name") s.Naam = tekst;
        else if (naam == u"Keyfile") keyfile = tekst;
    }
    // "Klanten/Web/" as "map Klanten/Web".
    QString toelichting = map.isEmpty() ? QString() : QStringLiteral("map ") + map.chopped(1);
    const QString weigering = FileZillaProtocol(protocol, s);
    if (logontype == u'0') {
        s.Gebruikersnaam = QStringLiteral("anonymous");
        s.Wachtwoord = QStringLiteral("anonymous@");
    } else if (logontype == u'2' || logontype == u'3') {
        s.Plek = Wachtwoordplek::Vragen; // "ask for password", "interactive"
    } else if (passCodering == u"base64") {
        s.Wachtwoord = QString::fromUtf8(QByteArray::fromBase64(pass.trimmed().toLatin1()));
    } else if (passCodering == u"crypt") {
        s.Plek = Wachtwoordplek::Vragen;
        toelichting += QStringLiteral(" (wachtwoord met hoofdwachtwoord versleuteld: wordt gevraagd)");
    } else {
        s.Wachtwoord = pass;
    }
    if (!keyfile.trimmed().isEmpty())
        toelichting += QStringLiteral(" (sleutelbestand ") + keyfile.trimmed() + QStringLiteral(" niet overgenomen)");
    return Afmaken(s, toelichting.trimmed(), weigering);
}

// A <Folder>: its name is the text before its first child element.
void FileZillaMap(QXmlStreamReader& xml, const QString& map, Import& uit)
{
    QString naam;
    bool naamGelezen = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::Characters && !naamGelezen) {
            naam += xml.text();
        } else if (t == QXmlStreamReader::StartElement) {
            naamGelezen = true;
            // <Servers> itself has no name: its sites stand at the top.
            const QString hier = naam.trimmed().isEmpty() ? map : map + naam.trimmed() + u'/';
            if (xml.name() == u"Server")
                uit.servers << FileZillaServer(xml, hier);
            else if (xml.name() == u"Folder")
                FileZillaMap(xml, hier, uit);
            else
                xml.skipCurrentElement();
        } else if (t == QXmlStreamReader::EndElement) {
            return;
        }
    }
}

} // namespace

Import FileZillaLezen(const QByteArray& inhoud)
{
    Import uit{.soort = QStringLiteral("FileZilla")};
    QXmlStreamReader xml(inhoud);
    if (!xml.readNextStartElement() || xml.name() != u"FileZilla3") {
        uit.fout = xml.hasError() ? QStringLiteral("Het bestand is geen leesbaar XML: ") + xml.errorString() +
                                        QStringLiteral(" (regel ") + QString::number(xml.lineNumber()) + u')'
                                  : QStringLiteral("Het bestand is geen serverlijst van FileZilla.");
        return uit;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Servers")
            FileZillaMap(xml, QString(), uit);
        else
            xml.skipCurrentElement();
    }
    // A file cut off halfway is refused whole: what is missing might be anything.
    if (xml.hasError()) {
        uit.servers.clear();
        uit.fout = QStringLiteral("Het bestand is onvolledig of geen geldig XML: ") + xml.errorString() +
                   QStringLiteral(" (regel ") + QString::number(xml.lineNumber()) + u')';
    }
    return uit;
}

Import WinScpLezen(const QByteArray& inhoud)
{
    Import uit{.soort = QStringLiteral("WinSCP")};
    struct Sessie
    {
        QString naam;
        QHash<QString, QString> waarden;
    };
    QList<Sessie> sessies;
    Sessie* huidig = nullptr;
    for (const QString& ruw : RegelsSplitsen(TekstDecoderen(inhoud))) {
        const QString regel = ruw.trimmed();
        if (regel.startsWith(u'[')) {
            huidig = nullptr;
            if (!regel.endsWith(u']') || !regel.startsWith(QLatin1String("[Sessions\\"), Qt::CaseInsensitive)) continue;
            // Session names are percent-encoded; "/" separates folders.
            const QString naam = QString::fromUtf8(QByteArray::fromPercentEncoding(regel.mid(10).chopped(1).toUtf8()));
            if (naam == QLatin1String("Default Settings")) continue;
            sessies.append({naam, {}});
            huidig = &sessies.last();
            continue;
        }
        const qsizetype is = regel.indexOf(u'=');
        if (huidig && is > 0) huidig->waarden.insert(regel.left(is).trimmed().toLower(), regel.mid(is + 1));
    }
    if (sessies.isEmpty()) {
        uit.fout = QStringLiteral("Het bestand bevat geen sessies van WinSCP.");
        return uit;
    }
    for (const Sessie& sessie : std::as_const(sessies)) {
        const auto w = [&](const char* sleutel) { return sessie.waarden.value(QLatin1String(sleutel)); };
        ServerRecord s;
        s.Naam = sessie.naam;
        s.FtpHost = w("hostname").trimmed();
        s.FtpPoort = w("portnumber").trimmed();
        s.Gebruikersnaam = w("username");
        s.Wachtwoord = w("passwordplain");
        QString toelichting;
        if (s.Wachtwoord.isEmpty() && !w("password").isEmpty())
            toelichting = QStringLiteral("wachtwoord niet leesbaar opgeslagen");
        QString weigering;
        const QString fs = w("fsprotocol").trimmed();
        bool ok = true;
        const int protocol = fs.isEmpty() ? 1 : fs.toInt(&ok); // WinSCP leaves its default (SFTP) out
        if (!ok) {
            weigering = QStringLiteral("Onbekend protocol '") + fs + QStringLiteral("'.");
        } else if (protocol == 0 || protocol == 1 || protocol == 2) {
            s.Sftp = true;
            if (protocol == 0)
                toelichting += (toelichting.isEmpty() ? QString() : QStringLiteral("; ")) +
                               QStringLiteral("SCP als SFTP overgenomen");
        } else if (protocol == 5) {
            const QString ftps = w("ftps").trimmed();
            if (ftps == u'1') weigering = QStringLiteral("FTP met impliciete TLS wordt niet ondersteund.");
            else if (ftps == u'2' || ftps == u'3') s.Tls = TlsKeuze::Alleen;
            else if (!ftps.isEmpty() && ftps != u'0') weigering = QStringLiteral("Onbekende TLS-keuze ") + ftps + u'.';
        } else if (protocol == 6 || protocol == 7) {
            weigering = (protocol == 6 ? QStringLiteral("WebDAV") : QStringLiteral("S3")) +
                        QStringLiteral(" (protocol ") + QString::number(protocol) + QStringLiteral(") wordt niet ondersteund.");
        } else {
            weigering = QStringLiteral("Onbekend protocolnummer ") + QString::number(protocol) + u'.';
        }
        uit.servers << Afmaken(s, toelichting, weigering);
    }
    return uit;
}

Import SshConfigImporteren(const SshConfig& config)
{
    Import uit{.soort = QStringLiteral("OpenSSH"), .meldingen = config.meldingen};
    for (const QString& alias : config.Aliassen()) {
        const SshHost h = config.Opzoeken(alias, LokaleGebruiker());
        ServerRecord s;
        // Saved under its alias: a login reads the file again for it, IdentityFile included.
        s.Naam = alias;
        s.FtpHost = alias;
        s.Gebruikersnaam = h.user.isEmpty() ? LokaleGebruiker() : h.user;
        s.FtpPoort = h.port ? QString::number(*h.port) : QStringLiteral("22");
        s.Sftp = true;
        QStringList toelichting;
        if (!h.hostName.isEmpty()) toelichting << QStringLiteral("HostName ") + h.hostName;
        for (const QString& sleutel : h.identityFiles)
            toelichting << QStringLiteral("sleutel ") + sleutel;
        uit.servers << Afmaken(s, toelichting.join(QStringLiteral(", ")), QString());
    }
    return uit;
}

Import ImportLezen(const QString& pad)
{
    QFile f(pad);
    if (!f.open(QIODevice::ReadOnly)) return {.fout = QStringLiteral("Het bestand kan niet worden gelezen.")};
    // Server lists are small; a large file is none of these.
    if (f.size() > 16 * 1024 * 1024) return {.fout = QStringLiteral("Het bestand is te groot voor een serverlijst.")};
    const QByteArray inhoud = f.readAll();
    const QByteArray begin = inhoud.left(4096).trimmed();
    if (begin.startsWith('<') || begin.startsWith("\xEF\xBB\xBF<")) return FileZillaLezen(inhoud);
    if (inhoud.contains("[Sessions\\")) return WinScpLezen(inhoud);
    const SshConfig config = SshConfigParsen(TekstDecoderen(inhoud), QFileInfo(pad).absolutePath());
    if (config.blokken.isEmpty())
        return {.fout = QStringLiteral("Het bestand is geen serverlijst van FileZilla, WinSCP of OpenSSH.")};
    return SshConfigImporteren(config);
}

QList<Importvoorstel> ImportVoorstellen(const QList<Importserver>& servers, const QStringList& serverLijst)
{
    QList<Importvoorstel> uit;
    QStringList bezet;
    for (qsizetype i = 1; i < serverLijst.size(); ++i)
        bezet << ServerNaam(serverLijst.at(i)).toLower();
    for (const Importserver& gevonden : servers) {
        const ServerRecord& s = gevonden.server;
        Importvoorstel v{.naam = s.Naam};
        if (!gevonden.weigering.isEmpty()) {
            v.opmerking = gevonden.weigering;
            uit << v;
            continue;
        }
        v.kiesbaar = v.aangevinkt = true;
        const quint16 poort = ServerGegevens(s).poort;
        for (qsizetype i = 1; i < serverLijst.size(); ++i) {
            const ServerRecord o = ServerRecordLezen(serverLijst.at(i));
            if (o.Sftp == s.Sftp && o.FtpHost.compare(s.FtpHost, Qt::CaseInsensitive) == 0 &&
                ServerGegevens(o).poort == poort && o.Gebruikersnaam == s.Gebruikersnaam) {
                v.aangevinkt = false;
                v.opmerking = QStringLiteral("Al opgeslagen als '") + o.Naam + QStringLiteral("'.");
                break;
            }
        }
        for (int n = 2; bezet.contains(v.naam.toLower()); ++n)
            v.naam = s.Naam + QStringLiteral(" (") + QString::number(n) + u')';
        if (v.naam != s.Naam && v.opmerking.isEmpty())
            v.opmerking = QStringLiteral("'") + s.Naam + QStringLiteral("' bestaat al.");
        bezet << v.naam.toLower();
        uit << v;
    }
    return uit;
}

} // namespace Vamox
