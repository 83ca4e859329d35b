#include "support/Sleutelbosdienst.h"

#include "support/Wachten.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Vamox::Test {

namespace {

const QByteArray Wachtwoord = "geheim van de test";

std::unique_ptr<Sleutelbosdienst>& Enige()
{
    static std::unique_ptr<Sleutelbosdienst> dienst;
    return dienst;
}

std::optional<Sleutelbosdienst::Soort>& GekozenSoort()
{
    static std::optional<Sleutelbosdienst::Soort> soort;
    return soort;
}

// The desktop the keyring library would pick a backend for: none, so that it takes the Secret
// Service.
void DesktopVergeten()
{
    for (const char* naam : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "KDE_SESSION_VERSION"})
        qunsetenv(naam);
}

// Starts `argv` as a child with `in` and `uit` (or -1) as its standard input and the descriptor it
// prints to; the child's other descriptors are closed by their O_CLOEXEC.
pid_t Starten(const QList<QByteArray>& argv, int in, int uit, int uitNummer)
{
    std::vector<char*> args;
    for (const QByteArray& a : argv)
        args.push_back(const_cast<char*>(a.constData()));
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    // The child: only async-signal-safe calls until exec. It goes when the test does, however
    // the test ends.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int leeg = ::open("/dev/null", O_RDWR);
    ::dup2(in >= 0 ? in : leeg, 0);
    ::dup2(leeg, 1);
    if (uit >= 0) ::dup2(uit, uitNummer);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

void Stoppen(pid_t& pid)
{
    if (pid <= 0) return;
    ::kill(pid, SIGCONT);
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
    pid = -1;
}

QDBusMessage Vraag(const QString& pad, const QString& interface, const QString& methode, const QVariantList& args)
{
    QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.secrets"), pad, interface, methode);
    m.setArguments(args);
    return QDBusConnection::sessionBus().call(m, QDBus::Block, 5000);
}

} // namespace

Sleutelbosdienst* Sleutelbosdienst::Voor(Soort soort)
{
    if (GekozenSoort() && *GekozenSoort() != soort) {
        ADD_FAILURE() << "this process already has another kind of keyring; run one case per process (ctest does)";
        return nullptr;
    }
    if (!GekozenSoort()) {
        GekozenSoort() = soort;
        Enige().reset(new Sleutelbosdienst(soort));
        if (!Enige()->starten()) {
            ADD_FAILURE() << "keyring fixture: " << Enige()->fout().toStdString();
            Enige()->m_fout = QStringLiteral("not started");
        }
    }
    return Enige()->m_fout.isEmpty() ? Enige().get() : nullptr;
}

Sleutelbosdienst::Sleutelbosdienst(Soort soort) : m_soort(soort) {}

Sleutelbosdienst::~Sleutelbosdienst()
{
    Stoppen(m_sleutelbos);
    Stoppen(m_bus);
    if (!m_map.isEmpty()) QDir(m_map).removeRecursively();
}

bool Sleutelbosdienst::starten()
{
    QTemporaryDir map;
    map.setAutoRemove(false);
    if (!map.isValid()) {
        m_fout = QStringLiteral("no temporary folder");
        return false;
    }
    m_map = map.path();
    // Nothing of the user's own desktop: its bus, its runtime folder, its home.
    const QString run = m_map + QStringLiteral("/run");
    const QString thuis = m_map + QStringLiteral("/thuis");
    QDir().mkpath(run);
    QDir().mkpath(thuis);
    QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", run.toLocal8Bit());
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    DesktopVergeten();
    if (m_soort == Soort::ZonderBus) return true;
    if (!busStarten()) return false;
    if (m_soort == Soort::ZonderDienst) return true;
    return sleutelbosStarten();
}

bool Sleutelbosdienst::busStarten()
{
    const QString config = m_map + QStringLiteral("/bus.conf");
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly)) {
        m_fout = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    // No service directories: nothing is started on demand, so a missing keyring stays missing.
    f.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir=" +
            QFile::encodeName(m_map) +
            "</listen><auth>EXTERNAL</auth>"
            "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
            "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    f.close();
    int buis[2];
    if (::pipe2(buis, O_CLOEXEC) != 0) {
        m_fout = QStringLiteral("no pipe");
        return false;
    }
    // The child prints the address on descriptor 3.
    m_bus = Starten({"dbus-daemon", "--nofork", "--print-address=3", "--config-file=" + QFile::encodeName(config)},
                    -1, buis[1], 3);
    ::close(buis[1]);
    QByteArray adres;
    pollfd p{buis[0], POLLIN, 0};
    while (!adres.contains('\n') && ::poll(&p, 1, 10000) > 0) {
        char blok[256];
        const ssize_t n = ::read(buis[0], blok, sizeof blok);
        if (n <= 0) break;
        adres.append(blok, n);
    }
    ::close(buis[0]);
    adres = adres.trimmed();
    if (adres.isEmpty()) {
        m_fout = QStringLiteral("dbus-daemon printed no address (is it installed?)");
        return false;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", adres);
    return true;
}

bool Sleutelbosdienst::sleutelbosStarten()
{
    const QByteArray thuis = QFile::encodeName(m_map + QStringLiteral("/thuis"));
    const QByteArray besturing = QFile::encodeName(m_map + QStringLiteral("/besturing"));
    QDir().mkpath(QFile::decodeName(besturing));
    qputenv("HOME", thuis);
    qputenv("XDG_DATA_HOME", thuis + "/.local/share");
    qputenv("XDG_CONFIG_HOME", thuis + "/.config");
    int in[2];
    if (::pipe2(in, O_CLOEXEC) != 0) {
        m_fout = QStringLiteral("no pipe");
        return false;
    }
    m_sleutelbos = Starten({"gnome-keyring-daemon", "--foreground", "--unlock", "--components=secrets",
                            "--control-directory=" + besturing},
                           in[0], -1, -1);
    ::close(in[0]);
    const bool geschreven = ::write(in[1], Wachtwoord.constData(), Wachtwoord.size()) == Wachtwoord.size();
    ::close(in[1]);
    if (!geschreven) {
        m_fout = QStringLiteral("gnome-keyring-daemon did not take its password (is it installed?)");
        return false;
    }
    // Ready once it holds its name and the login collection is there.
    const bool klaar = WachtTot(
        [] {
            const QDBusMessage alias =
                Vraag(QStringLiteral("/org/freedesktop/secrets"), QStringLiteral("org.freedesktop.Secret.Service"),
                      QStringLiteral("ReadAlias"), {QStringLiteral("default")});
            return alias.type() == QDBusMessage::ReplyMessage && !alias.arguments().isEmpty() &&
                   alias.arguments().constFirst().value<QDBusObjectPath>().path() != u'/';
        },
        20000);
    if (!klaar) m_fout = QStringLiteral("gnome-keyring-daemon did not come up on the bus (is it installed?)");
    return klaar;
}

bool Sleutelbosdienst::vergrendelen()
{
    const QDBusMessage antwoord =
        Vraag(QStringLiteral("/org/freedesktop/secrets"), QStringLiteral("org.freedesktop.Secret.Service"),
              QStringLiteral("Lock"),
              {QVariant::fromValue(QList<QDBusObjectPath>{
                  QDBusObjectPath(QStringLiteral("/org/freedesktop/secrets/collection/login"))})});
    return antwoord.type() == QDBusMessage::ReplyMessage;
}

void Sleutelbosdienst::bevriezen()
{
    if (m_sleutelbos > 0 && ::kill(m_sleutelbos, SIGSTOP) == 0) m_bevroren = true;
}

void Sleutelbosdienst::hervatten()
{
    if (m_sleutelbos > 0 && m_bevroren) ::kill(m_sleutelbos, SIGCONT);
    m_bevroren = false;
}

} // namespace Vamox::Test
