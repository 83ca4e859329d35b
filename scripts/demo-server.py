#!/usr/bin/python3
"""The demo FTP server of the run command: pyftpdlib on 127.0.0.1 over a sample tree.

Usage: demo-server.py ROOT PORT_FILE
Creates the sample tree in ROOT when ROOT is empty, binds a free port, writes it to
PORT_FILE and serves user "demo" with password "demo" until SIGTERM.
"""

import logging
import os
import random
import signal
import struct
import sys
import zlib

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer


def png(width, height, rgb):
    """A small solid-colour PNG with a diagonal stripe, without any imaging library."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows += bytes((255, 255, 255)) if abs(x - y) < 3 else bytes(rgb)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def write(root, rel, data):
    path = os.path.join(root, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def make_tree(root):
    rnd = random.Random(7)
    write(root, "index.html", "<!doctype html>\n<title>Demo</title>\n<h1>Welkom</h1>\n")
    write(root, "lees mij.txt", "Dit is de demoserver van Vamox.\nSleep bestanden naar links of rechts.\n")
    write(root, "Prijslijst 2026 (€).csv", "artikel;prijs\nkoffie;2,50\nthee;2,00\n")
    write(root, "css/stijl.css", "body { font-family: sans-serif; }\n")
    write(root, "js/app.js", "console.log('demo');\n")
    for i, colour in enumerate([(200, 40, 40), (40, 160, 60), (40, 80, 200), (220, 180, 30)]):
        write(root, "afbeeldingen/foto %d.png" % (i + 1), png(64, 48, colour))
    write(root, "afbeeldingen/vakantie/strand.png", png(96, 64, (30, 150, 220)))
    write(root, "afbeeldingen/vakantie/café.png", png(80, 60, (120, 70, 30)))
    write(root, "documenten/notulen 12-03.txt", "Aanwezig: iedereen.\n" * 40)
    write(root, "documenten/ärchief/oud verslag.txt", "Van vorig jaar.\n")
    write(root, "documenten/ärchief/2025/januari.txt", "Januari.\n")
    write(root, "download/groot bestand.bin", bytes(rnd.getrandbits(8) for _ in range(3 * 1024 * 1024)))
    os.makedirs(os.path.join(root, "upload"), exist_ok=True)


def main():
    root, port_file = sys.argv[1], sys.argv[2]
    os.makedirs(root, exist_ok=True)
    if not os.listdir(root):
        make_tree(root)

    config_logging(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user("demo", "demo", root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Vamox demo"
    server = FTPServer(("127.0.0.1", 0), handler)
    port = server.socket.getsockname()[1]
    with open(port_file + ".tmp", "w") as f:
        f.write(str(port))
    os.replace(port_file + ".tmp", port_file)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    server.serve_forever()


if __name__ == "__main__":
    main()
