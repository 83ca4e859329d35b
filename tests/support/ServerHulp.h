#pragma once

// Shared plumbing of the FTP server fixtures: child processes, ports, files on the server root.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QProcess;

namespace Vamox::Test {

// Starts `programma` as a direct child that dies with the calling thread. stderr goes to `logBestand`
// (or to our stderr when `doorsturen`), stdout is dropped: no pipe that could fill up and block it.
std::unique_ptr<QProcess> startKind(const QString& programma, const QStringList& args,
                                    const QString& logBestand, bool doorsturen, QString* fout);

// SIGTERM to the child and everything it forked, wait, SIGKILL if it does not go.
void stopKind(QProcess& proces);

// The live processes the child forked directly (vsftpd: one per client connection).
int aantalKinderen(const QProcess& proces);

// SIGKILL to everything the child forked (the connections it serves); the child stays.
void kinderenDoden(const QProcess& proces);

// True when the child has exited; waits at most `ms` for that.
bool kindGestopt(QProcess& proces, int ms);

// Connects to 127.0.0.1:poort and reads the greeting up to its last line ("220 ...", "SSH-2.0-..."); empty
// when nothing listens or nothing complete arrived within `timeoutMs`.
QByteArray leesBegroeting(quint16 poort, int timeoutMs);

// A port that was free a moment ago (for servers that cannot bind port 0 themselves).
quint16 vrijePoort();

// Starts a server that cannot bind port 0: another process may take the port picked before the
// server binds it, so a few are tried. A restart keeps its port (`poort` not 0): clients keep what
// they know of a server by host and port. `poort` is 0 when none would do.
bool opEenVrijePoort(quint16& poort, const std::function<bool(quint16)>& probeer);

// The last part of a log file, for error messages.
QString staartVan(const QString& pad);

// Files below a server root; `uid`/`gid` >= 0 hand new entries to that owner.
void maakMapOnder(const QString& root, const QString& rel, int uid = -1, int gid = -1);
void schrijfOnder(const QString& root, const QString& rel, const QByteArray& inhoud, int uid = -1,
                  int gid = -1);
QByteArray leesOnder(const QString& root, const QString& rel);

} // namespace Vamox::Test
