#include "ftp/SftpBinnen.h"

#include <QUrl>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Vamox {

namespace {

using Binnen = SftpVerbinding::Binnen;

// What an SFTP status means here (draft-ietf-secsh-filexfer codes; OpenSSH sends 0 to 8).
SftpFout FoutVanStatus(unsigned long code)
{
    switch (code) {
    case LIBSSH2_FX_NO_SUCH_FILE:
    case LIBSSH2_FX_NO_SUCH_PATH:
    case LIBSSH2_FX_NOT_A_DIRECTORY:
        return SftpFout::NietGevonden;
    case LIBSSH2_FX_PERMISSION_DENIED:
    case LIBSSH2_FX_WRITE_PROTECT:
        return SftpFout::GeenToegang;
    case LIBSSH2_FX_NO_SPACE_ON_FILESYSTEM:
    case LIBSSH2_FX_QUOTA_EXCEEDED:
        return SftpFout::SchijfVol;
    case LIBSSH2_FX_FILE_ALREADY_EXISTS:
        return SftpFout::BestaatAl;
    case LIBSSH2_FX_NO_CONNECTION:
    case LIBSSH2_FX_CONNECTION_LOST:
        return SftpFout::Verbroken;
    default:
        return SftpFout::Geweigerd;
    }
}

QString StatusTekst(unsigned long code)
{
    switch (code) {
    case LIBSSH2_FX_EOF:
        return QStringLiteral("einde van het bestand");
    case LIBSSH2_FX_NO_SUCH_FILE:
    case LIBSSH2_FX_NO_SUCH_PATH:
        return QStringLiteral("niet gevonden");
    case LIBSSH2_FX_NOT_A_DIRECTORY:
        return QStringLiteral("geen map");
    case LIBSSH2_FX_PERMISSION_DENIED:
    case LIBSSH2_FX_WRITE_PROTECT:
        return QStringLiteral("geen toegang");
    case LIBSSH2_FX_NO_SPACE_ON_FILESYSTEM:
        return QStringLiteral("de schijf van de server is vol");
    case LIBSSH2_FX_QUOTA_EXCEEDED:
        return QStringLiteral("het quotum op de server is op");
    case LIBSSH2_FX_FILE_ALREADY_EXISTS:
        return QStringLiteral("bestaat al");
    case LIBSSH2_FX_DIR_NOT_EMPTY:
        return QStringLiteral("de map is niet leeg");
    case LIBSSH2_FX_OP_UNSUPPORTED:
        return QStringLiteral("de server kent deze opdracht niet");
    case LIBSSH2_FX_NO_CONNECTION:
    case LIBSSH2_FX_CONNECTION_LOST:
        return QStringLiteral("verbinding verbroken");
    default:
        return QStringLiteral("geweigerd door de server");
    }
}

// Waits for a non-blocking connect; 0 when connected, else the errno.
int Aansluiten(int fd, const sockaddr* adres, socklen_t lengte, const QDeadlineTimer& tot,
               const std::atomic<bool>& afbreken)
{
    if (::connect(fd, adres, lengte) == 0) return 0;
    if (errno != EINPROGRESS) return errno;
    for (;;) {
        if (afbreken) return ECANCELED;
        if (tot.hasExpired()) return ETIMEDOUT;
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, 10) > 0) break;
    }
    int fout = 0;
    socklen_t n = sizeof fout;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &fout, &n) != 0) return errno;
    return fout;
}

// getaddrinfo on a thread of its own for a name, so that a cancel or the connect timeout need
// not wait for a slow resolver; the thread ends by itself when it is left behind.
struct Opzoeking
{
    std::mutex m;
    std::condition_variable cv;
    bool klaar = false;
    int rc = EAI_AGAIN;
    addrinfo* lijst = nullptr;
    ~Opzoeking()
    {
        if (lijst) ::freeaddrinfo(lijst);
    }
};

std::shared_ptr<Opzoeking> Opzoeken(const QString& naam, quint16 poort, const QDeadlineTimer& tot,
                                    const std::atomic<bool>& afbreken)
{
    auto o = std::make_shared<Opzoeking>();
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    const QByteArray dienst = QByteArray::number(poort);
    o->rc = ::getaddrinfo(naam.toUtf8().constData(), dienst.constData(), &hints, &o->lijst);
    if (o->rc != EAI_NONAME) return o;
    QByteArray host = QUrl::toAce(naam);
    if (host.isEmpty()) host = naam.toUtf8();
    std::thread([o, host, dienst] {
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* lijst = nullptr;
        const int rc = ::getaddrinfo(host.constData(), dienst.constData(), &hints, &lijst);
        const std::lock_guard slot(o->m);
        o->rc = rc;
        o->lijst = lijst;
        o->klaar = true;
        o->cv.notify_all();
    }).detach();
    std::unique_lock slot(o->m);
    while (!o->klaar && !afbreken && !tot.hasExpired())
        o->cv.wait_for(slot, std::chrono::milliseconds(10));
    if (!o->klaar) {
        auto uit = std::make_shared<Opzoeking>();
        uit->rc = afbreken ? EAI_CANCELED : EAI_AGAIN;
        return uit;
    }
    return o;
}

using Blok = Binnen::Blok;

void Koppelen(Blok& kop, Blok* b)
{
    b->vorige = &kop;
    b->volgende = kop.volgende;
    kop.volgende->vorige = b;
    kop.volgende = b;
}

void Ontkoppelen(Blok* b)
{
    b->vorige->volgende = b->volgende;
    b->volgende->vorige = b->vorige;
}

void SshGeven(void* p, void**)
{
    if (!p) return;
    Blok* b = static_cast<Blok*>(p) - 1;
    Ontkoppelen(b);
    std::free(b);
}

void* SshGroeien(void* p, std::size_t lengte, void** abstract)
{
    if (!p) return SshNemen(lengte, abstract);
    Blok* oud = static_cast<Blok*>(p) - 1;
    Ontkoppelen(oud);
    auto* b = static_cast<Blok*>(std::realloc(oud, sizeof(Blok) + lengte));
    Koppelen(static_cast<Binnen*>(*abstract)->geheugen, b ? b : oud);
    return b ? b + 1 : nullptr;
}

void Initialiseren()
{
    static std::once_flag eens;
    std::call_once(eens, [] { libssh2_init(0); });
}

} // namespace

void* SshNemen(std::size_t lengte, void** abstract)
{
    auto* b = static_cast<Blok*>(std::malloc(sizeof(Blok) + lengte));
    if (!b) return nullptr;
    Koppelen(static_cast<Binnen*>(*abstract)->geheugen, b);
    return b + 1;
}

void Binnen::geheugenVrijgeven()
{
    while (geheugen.volgende != &geheugen) {
        Blok* b = geheugen.volgende;
        Ontkoppelen(b);
        std::free(b);
    }
}

// --- Waiting, and what a cancel leaves ---

int Binnen::wachten(const QDeadlineTimer& tot)
{
    if (afbreken.load(std::memory_order_relaxed)) return Afgebroken;
    if (tot.hasExpired()) return Verlopen;
    pollfd p{fd, 0, 0};
    const int richting = sessie ? libssh2_session_block_directions(sessie) : 0;
    if (richting & LIBSSH2_SESSION_BLOCK_INBOUND) p.events |= POLLIN;
    if (richting & LIBSSH2_SESSION_BLOCK_OUTBOUND) p.events |= POLLOUT;
    if (!p.events) p.events = POLLIN;
    const qint64 rest = tot.isForever() ? 10 : tot.remainingTime();
    ::poll(&p, 1, int(std::clamp<qint64>(rest, 0, 10)));
    return afbreken.load(std::memory_order_relaxed) ? Afgebroken : 0;
}

int Binnen::verzoek(std::function<int()> stap, std::function<void(int)> naAfbreken, QDeadlineTimer tot)
{
    if (tot.isForever()) tot = antwoordTermijn();
    const int rc = herhalen(stap, tot);
    if (rc == Afgebroken) {
        nawerk.push_back([stap = std::move(stap), na = std::move(naAfbreken)] {
            const int r = stap();
            if (r != LIBSSH2_ERROR_EAGAIN && na) na(r);
            return r;
        });
    } else if (rc == Verlopen) {
        verbreken();
    }
    return rc;
}

SftpUitkomst Binnen::nawerkAfmaken()
{
    while (!nawerk.empty()) {
        std::function<int()> stap = std::move(nawerk.front());
        nawerk.pop_front();
        const int rc = herhalen(stap, antwoordTermijn());
        if (rc == Afgebroken) {
            nawerk.push_front(std::move(stap));
            return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
        }
        // The answer itself is no longer wanted; only whether the connection survived it.
        if (rc < 0 && rc != LIBSSH2_ERROR_SFTP_PROTOCOL && rc != LIBSSH2_ERROR_BUFFER_TOO_SMALL)
            return uitkomst(rc, QStringLiteral("Afronden van een geannuleerde opdracht"));
    }
    return {};
}

SftpUitkomst Binnen::gereed()
{
    if (!sessie) return SftpMislukt(SftpFout::Verbroken, QStringLiteral("Geen verbinding"));
    if (!sftp) return SftpMislukt(SftpFout::Verbroken, QStringLiteral("Niet aangemeld"));
    if (afbreken) return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
    return nawerkAfmaken();
}

QString Binnen::libssh2Tekst() const
{
    char* tekst = nullptr;
    if (!sessie) return {};
    libssh2_session_last_error(sessie, &tekst, nullptr, 0);
    return tekst ? QString::fromUtf8(tekst) : QString();
}

SftpUitkomst Binnen::uitkomst(int rc, const QString& wat)
{
    if (rc >= 0) return {};
    if (rc == Afgebroken) return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
    if (rc == Verlopen) {
        verbreken();
        return SftpMislukt(SftpFout::TijdVerstreken,
                           wat + QStringLiteral(": de server antwoordt niet (verbinding gesloten)"));
    }
    if (rc == LIBSSH2_ERROR_SFTP_PROTOCOL && sftp) {
        const unsigned long code = libssh2_sftp_last_error(sftp);
        SftpUitkomst u = SftpMislukt(FoutVanStatus(code), wat + QStringLiteral(": ") + StatusTekst(code) +
                                                              QStringLiteral(" (SFTP-status %1)").arg(code));
        if (u.fout == SftpFout::Verbroken) verbreken();
        return u;
    }
    const QString woorden = wat + QStringLiteral(" (") + libssh2Tekst() + u')';
    switch (rc) {
    case LIBSSH2_ERROR_AUTHENTICATION_FAILED:
    case LIBSSH2_ERROR_PUBLICKEY_UNVERIFIED:
        return SftpMislukt(SftpFout::Geweigerd, QStringLiteral("Aanmelden geweigerd: ") + woorden);
    case LIBSSH2_ERROR_PASSWORD_EXPIRED:
        return SftpMislukt(SftpFout::Geweigerd, QStringLiteral("Het wachtwoord is verlopen: ") + woorden);
    case LIBSSH2_ERROR_FILE:
        return SftpMislukt(SftpFout::Sleutel,
                           QStringLiteral("De sleutel kan niet worden gelezen (wachtwoordzin?): ") + woorden);
    case LIBSSH2_ERROR_AGENT_PROTOCOL:
        return SftpMislukt(SftpFout::Lokaal, QStringLiteral("De SSH-agent antwoordt niet: ") + woorden);
    default:
        break;
    }
    verbreken();
    return SftpMislukt(SftpFout::Verbroken, QStringLiteral("Verbinding verbroken: ") + woorden);
}

void Binnen::verbreken()
{
    nawerk.clear();
    // With the socket shut, nothing libssh2 does below can wait for the server.
    if (fd >= 0) ::shutdown(fd, SHUT_RDWR);
    if (sftp) libssh2_sftp_shutdown(sftp); // frees it, whatever it answers
    sftp = nullptr;
    for (int i = 0; sessie && i < 100; ++i)
        if (libssh2_session_free(sessie) != LIBSSH2_ERROR_EAGAIN) sessie = nullptr;
    sessie = nullptr;
    geheugenVrijgeven();
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// --- Handles and attributes ---

LIBSSH2_SFTP_HANDLE* Binnen::openen(const QByteArray& pad, unsigned long vlaggen, long modus, int soort,
                                    int& rc)
{
    auto h = std::make_shared<LIBSSH2_SFTP_HANDLE*>(nullptr);
    LIBSSH2_SFTP* s = sftp;
    LIBSSH2_SESSION* ss = sessie;
    rc = verzoek(
        [s, ss, pad, vlaggen, modus, soort, h] {
            *h = libssh2_sftp_open_ex(s, pad.constData(), unsigned(pad.size()), vlaggen, modus, soort);
            return *h ? 0 : libssh2_session_last_errno(ss);
        },
        [this, h](int r) {
            if (r == 0) nawerk.push_back([k = *h] { return libssh2_sftp_close_handle(k); });
        });
    return rc == 0 ? *h : nullptr;
}

int Binnen::handvatSluiten(LIBSSH2_SFTP_HANDLE* h)
{
    return verzoek([h] { return libssh2_sftp_close_handle(h); });
}

int Binnen::statEx(const QByteArray& pad, int soort, LIBSSH2_SFTP_ATTRIBUTES& attributen)
{
    auto a = std::make_shared<LIBSSH2_SFTP_ATTRIBUTES>(attributen);
    LIBSSH2_SFTP* s = sftp;
    const int rc = verzoek([s, pad, soort, a] {
        return libssh2_sftp_stat_ex(s, pad.constData(), unsigned(pad.size()), soort, a.get());
    });
    if (rc == 0) attributen = *a;
    return rc;
}

bool Binnen::bestaat(const QByteArray& pad)
{
    LIBSSH2_SFTP_ATTRIBUTES a{};
    return statEx(pad, LIBSSH2_SFTP_LSTAT, a) == 0;
}

// --- The connection ---

SftpVerbinding::SftpVerbinding(const SftpInstellingen& instellingen) : d(std::make_unique<Binnen>())
{
    Initialiseren();
    d->instellingen = instellingen;
}

void SftpVerbinding::instellen(const SftpInstellingen& instellingen)
{
    d->instellingen = instellingen;
}

SftpVerbinding::~SftpVerbinding()
{
    sluiten();
}

void SftpVerbinding::afbreken()
{
    d->afbreken = true;
}

void SftpVerbinding::doorgaan()
{
    d->afbreken = false;
}

bool SftpVerbinding::verbonden() const
{
    return d->sessie != nullptr;
}

bool SftpVerbinding::aangemeld() const
{
    return d->sftp != nullptr;
}

QByteArray SftpVerbinding::serverVersie() const
{
    return d->banner;
}

void SftpVerbinding::sluiten()
{
    // A goodbye if it goes out at once; the server takes a closed socket as well.
    if (d->sessie) libssh2_session_disconnect_ex(d->sessie, SSH_DISCONNECT_BY_APPLICATION, "", "");
    d->verbreken();
    d->gebruiker.clear();
    d->banner.clear();
}

SftpUitkomst SftpVerbinding::verbinden(const QString& host, quint16 poort, const QString& gebruiker,
                                       const Hostsleuteloordeel& oordeel)
{
    sluiten();
    if (d->afbreken) return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
    const QDeadlineTimer tot(qint64(d->instellingen.tijden.verbindenS) * 1000);
    QString naam = host;
    if (naam.startsWith(u'[') && naam.endsWith(u']')) naam = naam.mid(1, naam.size() - 2);
    const auto opzoeking = Opzoeken(naam, poort, tot, d->afbreken);
    if (d->afbreken) return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
    if (opzoeking->rc != 0) {
        if (tot.hasExpired())
            return SftpMislukt(SftpFout::TijdVerstreken,
                               QStringLiteral("De servernaam is niet op tijd opgezocht"));
        return SftpMislukt(SftpFout::Verbroken,
                           QStringLiteral("Server niet gevonden: %1 (%2)")
                               .arg(host, QString::fromLocal8Bit(::gai_strerror(opzoeking->rc))));
    }
    int fout = 0;
    for (const addrinfo* a = opzoeking->lijst; a && d->fd < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            fout = errno;
            continue;
        }
        fout = Aansluiten(fd, a->ai_addr, a->ai_addrlen, tot, d->afbreken);
        if (fout == 0) {
            d->fd = fd;
            const int aan = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &aan, sizeof aan);
        } else {
            ::close(fd);
            if (fout == ECANCELED || fout == ETIMEDOUT) break;
        }
    }
    if (d->fd < 0) {
        if (fout == ECANCELED) return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
        if (fout == ETIMEDOUT)
            return SftpMislukt(SftpFout::TijdVerstreken, QStringLiteral("De server antwoordt niet op tijd"));
        return SftpMislukt(
            SftpFout::Verbroken,
            QStringLiteral("Geen verbinding met %1: %2").arg(host, QString::fromLocal8Bit(::strerror(fout))));
    }

    d->sessie = libssh2_session_init_ex(&SshNemen, &SshGeven, &SshGroeien, d.get());
    if (!d->sessie) {
        d->verbreken();
        return SftpMislukt(SftpFout::Lokaal, QStringLiteral("libssh2 kan geen sessie maken"));
    }
    libssh2_session_set_blocking(d->sessie, 0);
    if (!d->instellingen.hostsleuteltypes.isEmpty())
        libssh2_session_method_pref(d->sessie, LIBSSH2_METHOD_HOSTKEY,
                                    d->instellingen.hostsleuteltypes.constData());
    const int rc = d->herhalen([this] { return libssh2_session_handshake(d->sessie, d->fd); }, tot);
    if (rc == LIBSSH2_ERROR_KEX_FAILURE) {
        // Nothing to retry: libssh2 1.10 knows no rsa-sha2 host keys, and a server with only an
        // RSA key (OpenSSH 8.8 and later) offers no other.
        d->verbreken();
        return SftpMislukt(
            SftpFout::Geweigerd,
            QStringLiteral("De server en dit programma hebben geen versleuteling of soort hostsleutel "
                           "gemeen (een server met alleen een RSA-hostsleutel)"));
    }
    if (rc != 0) {
        const SftpUitkomst u = d->uitkomst(rc, QStringLiteral("SSH-handdruk"));
        d->verbreken();
        return u;
    }

    std::size_t lengte = 0;
    int type = 0;
    const char* sleutel = libssh2_session_hostkey(d->sessie, &lengte, &type);
    const Hostsleutel hostsleutel{QByteArray(sleutel, sleutel ? qsizetype(lengte) : 0)};
    // Nothing of the user's has gone out: the name goes with the first login request.
    if (hostsleutel.leeg() || !oordeel || !oordeel(hostsleutel)) {
        sluiten();
        return SftpMislukt(SftpFout::Geweigerd,
                           QStringLiteral("De hostsleutel van de server is niet vertrouwd"));
    }
    if (d->afbreken) {
        sluiten();
        return SftpMislukt(SftpFout::Geannuleerd, QStringLiteral("Geannuleerd"));
    }
    if (const char* b = libssh2_session_banner_get(d->sessie)) d->banner = b;
    d->gebruiker = gebruiker.toUtf8();
    return {};
}

} // namespace Vamox
