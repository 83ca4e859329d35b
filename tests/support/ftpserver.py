#!/usr/bin/python3
"""FTP server for the tests: pyftpdlib on 127.0.0.1 with fault injection.

Run with Debian's /usr/bin/python3 (python3-pyftpdlib 1.5.7). The server binds
port 0 and writes the port it got to --port-file (temp name, then rename, so a
reader never sees a partial number). SIGTERM stops it cleanly.
"""

import argparse
import logging
import os
import signal
import socket
import sys
import time

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS, FilesystemError
from pyftpdlib.handlers import DTPHandler, FTPHandler, _strerror, proto_cmds
from pyftpdlib.ioloop import RetryError
from pyftpdlib.log import logger
from pyftpdlib.servers import FTPServer

PERMS = "elradfmwMT"


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--port-file", required=True)
    p.add_argument("--root", required=True)
    p.add_argument("--user", default="vamox")
    p.add_argument("--password", default="geheim")
    p.add_argument("--no-mlst", action="store_true",
                   help="no MLST in FEAT; MLSD/MLST answer 500")
    p.add_argument("--refuse-login", action="store_true",
                   help="answer 530 to every login")
    p.add_argument("--slow", type=int, default=0, metavar="MS",
                   help="delay every reply (blocks the whole server)")
    p.add_argument("--drop-retr-after", type=int, default=-1, metavar="N",
                   help="RETR sends N bytes, then both connections close")
    p.add_argument("--drop-stor-after", type=int, default=-1, metavar="N",
                   help="STOR keeps N bytes, then both connections close")
    p.add_argument("--drop-times", type=int, default=-1, metavar="N",
                   help="only the first N transfers are dropped (default: every one)")
    p.add_argument("--short-retr", type=int, default=-1, metavar="N",
                   help="RETR sends only the first N bytes, then reports 226")
    p.add_argument("--fail", default="", metavar="CMD[:TEXT][,...]",
                   help="answer 550 to these commands (with :TEXT only when the argument holds TEXT)")
    p.add_argument("--unknown", default="", metavar="CMD[,CMD...]",
                   help="answer 500 to these commands, as a server without them")
    p.add_argument("--listing", metavar="FILE",
                   help="every LIST sends the raw bytes of FILE")
    p.add_argument("--listing-chunks", default="", metavar="N:MS",
                   help="listings go out N bytes at a time, MS ms apart (blocks the whole server)")
    p.add_argument("--listing-endless", default="", metavar="TEXT",
                   help="LIST and MLSD of a path holding TEXT send one line without end")
    p.add_argument("--drop-list-after", type=int, default=-1, metavar="N",
                   help="a listing sends N bytes, then both connections close")
    p.add_argument("--rate", type=int, default=0, metavar="BYTES",
                   help="data connections move at most this many bytes a second each")
    p.add_argument("--idle-timeout", type=float, default=0, metavar="S",
                   help="close idle control connections with 421")
    p.add_argument("--short-appe", type=int, default=-1, metavar="N",
                   help="APPE keeps only the first N bytes it receives, then reports 226")
    p.add_argument("--short-stor", type=int, default=-1, metavar="N",
                   help="STOR keeps only the first N bytes it receives, then reports 226")
    p.add_argument("--replace-on-drop", metavar="FILE",
                   help="a dropped RETR's file is replaced by FILE's bytes, an hour newer")
    p.add_argument("--no-rename-over", action="store_true",
                   help="RNTO onto an existing name answers 550")
    p.add_argument("--no-list-options", action="store_true",
                   help="LIST with an option (\"LIST -a\") answers 501, as servers without them do")
    p.add_argument("--list-zone", type=int, default=None, metavar="MINUTES",
                   help="LIST shows the times of UTC+MINUTES, as a server on its local time does "
                        "(MLSD and MDTM stay UTC)")
    p.add_argument("--command-log", metavar="FILE",
                   help="every command line received is appended to FILE")
    p.add_argument("--verbose", action="store_true")
    return p.parse_args(argv)


class RefusingAuthorizer(DummyAuthorizer):
    def validate_authentication(self, username, password, handler):
        raise AuthenticationFailed("Login refused.")


class SlowProducer:
    """Hands on a listing N bytes at a time, sleeping between the pieces."""

    def __init__(self, data, isproducer, size, pause_s):
        self.inner = data if isproducer else None
        self.buf = b"" if isproducer else data
        self.size = size
        self.pause_s = pause_s

    def more(self):
        while self.inner is not None and len(self.buf) < self.size:
            chunk = self.inner.more()
            if not chunk:
                self.inner = None
                break
            self.buf += chunk if isinstance(chunk, bytes) else chunk.encode("utf8")
        if not self.buf:
            return b""
        time.sleep(self.pause_s)
        piece, self.buf = self.buf[:self.size], self.buf[self.size:]
        return piece


class EndlessProducer:
    """One listing line that never ends."""

    def more(self):
        return b"x" * 65536


class ZonedFS(AbstractedFS):
    """LIST lines show the clock of another zone than UTC; MLSD and MDTM keep to UTC."""

    list_shift_s = 0

    def format_list(self, basedir, listing, ignore_err=True):
        shift = self.list_shift_s
        real = self.lstat

        def shifted(path):
            st = real(path)
            return os.stat_result((st.st_mode, st.st_ino, st.st_dev, st.st_nlink, st.st_uid,
                                   st.st_gid, st.st_size, int(st.st_atime),
                                   int(st.st_mtime) + shift, int(st.st_ctime)))

        # One command at a time per connection: nothing else lists while this one does.
        self.lstat = shifted
        try:
            yield from AbstractedFS.format_list(self, basedir, listing, ignore_err)
        finally:
            del self.lstat


class FaultDTPHandler(DTPHandler):
    """Data channel that can cut a RETR, STOR or listing short."""

    drop_retr_after = -1
    drop_list_after = -1
    drop_stor_after = -1
    drops_left = -1  # < 0: no end
    short_appe = -1
    short_stor = -1
    replace_on_drop = None
    rate = 0  # > 0: bytes a second a RETR sends at most

    def _pace(self, data):
        # No more than the rate allows since the transfer began (plus a tenth of a second's bytes);
        # then the channel rests a while, and the other connections are served meanwhile.
        if self.rate <= 0 or self.receive or self.file_obj is None:
            return data
        now = time.monotonic()
        if self._paced_since is None:
            self._paced_since = now
        allowed = int(self.rate * (now - self._paced_since + 0.1)) - self.tot_bytes_sent
        if allowed >= len(data):
            return data
        self.del_channel()
        self.ioloop.call_later(0.1, self._resume, _errback=self.handle_error)
        return data[:max(allowed, 1)]

    def _resume(self):
        if not self._closed:
            self.add_channel(events=self.ioloop.WRITE)

    def _drop_due(self):
        # This transfer is cut: it was chosen before, or a cut is still to be had.
        return self._dropping or FaultDTPHandler.drops_left != 0

    @staticmethod
    def _count_drop():
        if FaultDTPHandler.drops_left > 0:
            FaultDTPHandler.drops_left -= 1

    def __init__(self, sock, cmd_channel):
        self._dropping = False
        self._paced_since = None
        DTPHandler.__init__(self, sock, cmd_channel)

    def _drop_both(self):
        # No 426/226 and no goodbye: the client only sees both sockets close.
        if self._closed:
            return
        cmd_channel = self.cmd_channel
        self._resp = ()
        self.transfer_finished = False
        path = getattr(self.file_obj, "name", None)
        self.close()
        cmd_channel.close()
        if self.replace_on_drop and not self.receive and path:
            _replace_newer(path, self.replace_on_drop)

    def send(self, data):
        data = self._pace(data)
        # file_obj is set only for RETR (listings have none).
        limit = self.drop_list_after if self.file_obj is None else self.drop_retr_after
        if limit < 0 or self.receive or not self._drop_due():
            return DTPHandler.send(self, data)
        room = limit - self.tot_bytes_sent
        sent = DTPHandler.send(self, data[:room]) if room > 0 else 0
        if self.tot_bytes_sent >= limit and not self._dropping:
            # Close outside asynchat's send bookkeeping.
            self._dropping = True
            self._count_drop()
            self.ioloop.call_later(0, self._drop_both,
                                   _errback=self.handle_error)
        return sent

    def handle_read(self):
        # A short APPE or STOR keeps the first N bytes and reads on (226 in the end); a dropped
        # STOR keeps N bytes, then closes both connections.
        short = self.short_appe if "a" in getattr(self.file_obj, "mode", "") else self.short_stor
        appending = short >= 0
        limit = short if appending else self.drop_stor_after
        if limit < 0 or not (appending or self._drop_due()):
            return DTPHandler.handle_read(self)
        try:
            chunk = self.recv(self.ac_in_buffer_size)
        except RetryError:
            return
        except socket.error:
            self.handle_error()
            return
        if not chunk:
            self.transfer_finished = True
            return
        room = limit - self.tot_bytes_received
        self.tot_bytes_received += len(chunk)
        keep = chunk[:max(room, 0)]
        if self._data_wrapper is not None:
            keep = self._data_wrapper(keep)
        if keep:
            self.file_obj.write(keep)
        if not appending and self.tot_bytes_received >= limit:
            self._dropping = True
            self._count_drop()
            self._drop_both()

    handle_read_event = handle_read


def _replace_newer(path, source):
    with open(source, "rb") as f:
        data = f.read()
    old = os.stat(path).st_mtime
    tmp = path + ".replacing"
    with open(tmp, "wb") as f:
        f.write(data)
    # MDTM counts whole seconds: the new file must differ in them.
    os.utime(tmp, (old + 3600, old + 3600))
    os.replace(tmp, path)


class FaultFTPHandler(FTPHandler):
    """Control channel with injected faults; configured by configure()."""

    dtp_handler = FaultDTPHandler
    auth_failed_timeout = 0
    slow_s = 0.0
    fail_cmds = {}  # command -> texts of which one must be in the argument
    listing_file = None
    listing_chunks = None  # (bytes, seconds)
    listing_endless = ""
    idle_timeout = 0.0
    short_retr = -1
    no_rename_over = False
    command_log = None
    no_list_options = False

    def __init__(self, conn, server, ioloop=None):
        self._reply_started = False
        self._last_activity = time.monotonic()
        self._idle_call = None
        FTPHandler.__init__(self, conn, server, ioloop)

    # --- slow replies: one delay per reply, also for multi-line ones

    def _delay_reply(self):
        if self.slow_s and not self._reply_started:
            self._reply_started = True
            time.sleep(self.slow_s)

    def push(self, s):
        self._delay_reply()
        FTPHandler.push(self, s)

    def respond(self, resp, logfun=logger.debug):
        self._delay_reply()
        FTPHandler.respond(self, resp, logfun)
        self._reply_started = False

    # --- forced failures and fixed listings

    def pre_process_command(self, line, cmd, arg):
        if self.command_log:
            with open(self.command_log, "a", encoding="utf-8") as f:
                f.write(line + "\n")
        if self.no_list_options and cmd == "LIST" and arg.startswith("-"):
            self.respond("501 Options not understood.")
            return
        FTPHandler.pre_process_command(self, line, cmd, arg)

    def ftp_RNTO(self, path):
        if self.no_rename_over and self._rnfr and self.fs.lexists(path):
            self._rnfr = None
            self.respond("550 Target exists.")
            return None
        return FTPHandler.ftp_RNTO(self, path)

    def process_command(self, cmd, *args, **kwargs):
        texts = self.fail_cmds.get(cmd)
        arg = args[0] if args and isinstance(args[0], str) else ""
        if texts is not None and not self._closed and any(t in arg for t in texts):
            self.respond("550 Forced failure.")
            return
        FTPHandler.process_command(self, cmd, *args, **kwargs)

    def ftp_RETR(self, file):
        if self.short_retr < 0:
            return FTPHandler.ftp_RETR(self, file)
        try:
            with self.run_as_current_user(self.fs.open, file, "rb") as f:
                data = f.read(self.short_retr)
        except (EnvironmentError, FilesystemError) as err:
            self.respond("550 %s." % _strerror(err))
            return None
        # Sent as a plain buffer: the transfer ends normally, with 226.
        self.push_dtp_data(data, cmd="RETR")
        return file

    def push_dtp_data(self, data, isproducer=False, file=None, cmd=None):
        if cmd in ("LIST", "MLSD") and self.listing_chunks:
            data = SlowProducer(data, isproducer, *self.listing_chunks)
            isproducer = True
        FTPHandler.push_dtp_data(self, data, isproducer, file, cmd)

    def _endless(self, path, cmd):
        if not self.listing_endless or self.listing_endless not in path:
            return False
        self.push_dtp_data(EndlessProducer(), isproducer=True, cmd=cmd)
        return True

    def ftp_MLSD(self, path):
        if self._endless(path, "MLSD"):
            return path
        return FTPHandler.ftp_MLSD(self, path)

    def ftp_LIST(self, path):
        if self._endless(path, "LIST"):
            return path
        if self.listing_file is None:
            return FTPHandler.ftp_LIST(self, path)
        with open(self.listing_file, "rb") as f:
            data = f.read()
        self.push_dtp_data(data, cmd="LIST")
        return path

    def ftp_OPTS(self, line):
        # 1.5.7 only knows OPTS MLST; clients announce UTF-8, which we always use.
        if line.strip().upper() in ("UTF8 ON", "UTF8", "UTF-8 ON"):
            self.respond("200 Always in UTF8 mode.")
            return
        FTPHandler.ftp_OPTS(self, line)

    # --- idle timeout (1.5.7's own timer never fires once a command arrived)

    def handle(self):
        FTPHandler.handle(self)
        if self.idle_timeout and not self._closed:
            self._schedule_idle_check(self.idle_timeout)

    def _schedule_idle_check(self, delay):
        self._idle_call = self.ioloop.call_later(
            max(delay, 0.01), self._idle_check, _errback=self.handle_error)

    def _idle_check(self):
        self._idle_call = None
        if self._closed or self._closing:
            return
        if self.data_channel is not None:
            self._last_activity = time.monotonic()
        left = self.idle_timeout - (time.monotonic() - self._last_activity)
        if left > 0:
            self._schedule_idle_check(left)
            return
        self.respond("421 Control connection timed out.")
        self.close_when_done()

    def found_terminator(self):
        self._last_activity = time.monotonic()
        FTPHandler.found_terminator(self)

    def _on_dtp_close(self):
        self._last_activity = time.monotonic()
        FTPHandler._on_dtp_close(self)

    def close(self):
        if self._idle_call is not None and not self._idle_call.cancelled:
            self._idle_call.cancel()
        self._idle_call = None
        FTPHandler.close(self)


def configure(args):
    authorizer = RefusingAuthorizer() if args.refuse_login else DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm=PERMS)

    h = FaultFTPHandler
    h.authorizer = authorizer
    h.banner = "Vamox test server ready."
    h.timeout = 0  # replaced by our idle check
    h.idle_timeout = args.idle_timeout
    h.slow_s = args.slow / 1000.0
    h.fail_cmds = {}
    for item in (c.strip() for c in args.fail.split(",")):
        if item:
            cmd, _, text = item.partition(":")
            h.fail_cmds.setdefault(cmd.upper(), []).append(text)  # "" is in every argument
    h.listing_file = args.listing
    if args.listing_chunks:
        size, _, ms = args.listing_chunks.partition(":")
        h.listing_chunks = (int(size), int(ms or 0) / 1000.0)
    h.listing_endless = args.listing_endless
    h.short_retr = args.short_retr
    h.no_rename_over = args.no_rename_over
    h.command_log = args.command_log
    h.no_list_options = args.no_list_options
    if args.list_zone is not None:
        ZonedFS.list_shift_s = args.list_zone * 60
        h.abstracted_fs = ZonedFS
    unknown = set(c.strip().upper() for c in args.unknown.split(",") if c.strip())
    if args.no_mlst:
        unknown |= {"MLST", "MLSD"}
    if unknown:
        h.proto_cmds = {k: v for k, v in proto_cmds.items()
                        if k not in unknown}
    FaultDTPHandler.drop_retr_after = args.drop_retr_after
    FaultDTPHandler.drop_stor_after = args.drop_stor_after
    FaultDTPHandler.drop_list_after = args.drop_list_after
    FaultDTPHandler.drops_left = args.drop_times
    FaultDTPHandler.short_appe = args.short_appe
    FaultDTPHandler.short_stor = args.short_stor
    FaultDTPHandler.replace_on_drop = args.replace_on_drop
    if args.drop_retr_after >= 0:
        h.use_sendfile = False  # sendfile() would bypass the byte count
    FaultDTPHandler.rate = args.rate
    if args.rate > 0:
        h.use_sendfile = False  # sendfile() would bypass the pacing
    return h


def write_port_file(path, port):
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write("%d\n" % port)
    os.replace(tmp, path)


def main(argv):
    args = parse_args(argv)
    logging.basicConfig(stream=sys.stderr,
                        level=logging.DEBUG if args.verbose else logging.CRITICAL,
                        format="[ftpserver] %(message)s")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))

    server = FTPServer(("127.0.0.1", 0), configure(args))
    write_port_file(args.port_file, server.address[1])
    server.serve_forever(timeout=0.5)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
