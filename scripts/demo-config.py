#!/usr/bin/python3
"""Puts the saved server "Demo" (127.0.0.1 on the given port) into a configuration file and
makes it the server opened at start. Other settings and servers in the file stay as they are.

Usage: demo-config.py CFG_FILE PORT
"""

import os
import stat
import sys

SEP = "\x0f"
ORDER = ["cfgopenen=", "cfgopslaan=", "server=", "schijf=", "links=", "top=", "breedte=", "hoogte=",
         "venster=", "knoppenbalktonen=", "serveropenen=", "lokaalopenen=", "buitendownloaden=",
         "standaardformaat=", "plusbijsubmappenlokaal=", "plusbijsubmappenftp=", "maplokaalactueel=",
         "patroonlokaal=", "mapftpactueel=", "patroonftp=", "uploadbestand=", "standaardbreedte=",
         "standaardhoogte=", "verbindingen=", "achtergrond="]


def main():
    path, port = sys.argv[1], sys.argv[2]
    settings, servers = {}, []
    if os.path.exists(path):
        raw = open(path, "rb").read()
        try:
            text = raw.decode("utf-8")
        except UnicodeDecodeError:
            text = raw.decode("cp1252", errors="replace")
        for line in text.replace("\r\n", "\n").replace("\r", "\n").split("\n"):
            if SEP in line:
                if line.split(SEP)[0] != "Demo":
                    servers.append(line)
            elif "=" in line:
                key, value = line.split("=", 1)
                settings[key.lower() + "="] = value
    settings["cfgopenen="] = "1"
    settings["server="] = "Demo"
    settings["serveropenen="] = "1"
    settings.setdefault("mapftpactueel=", "/")
    servers.append(SEP.join(["Demo", "127.0.0.1", "demo", "demo", str(port), ""]))
    servers.sort(key=str.lower)
    lines = [k + settings[k] for k in ORDER if k in settings] + servers
    if os.path.exists(path):
        os.chmod(path, stat.S_IRUSR | stat.S_IWUSR)
    tmp = path + ".demo-tmp"
    with open(tmp, "w", encoding="utf-8", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    os.chmod(tmp, stat.S_IRUSR)
    os.replace(tmp, path)


if __name__ == "__main__":
    main()
