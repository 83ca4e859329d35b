#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, skipping what is there.
set -euo pipefail
pkgs=(cmake g++ make libgtest-dev libgmock-dev qt6-base-dev qt6-base-dev-tools libgl-dev
      libcurl4-openssl-dev libssh2-1-dev pkg-config libssl-dev openssl python3-pyftpdlib vsftpd openssh-server openssh-client lftp curl xvfb xauth imagemagick fonts-dejavu-core
      qt6-translations-l10n qt6-svg-dev qtkeychain-qt6-dev libsecret-1-0 gnome-keyring
      dpkg-dev file desktop-file-utils appstream
      dbus-daemon libglib2.0-bin gsettings-desktop-schemas dconf-gsettings-backend dconf-service
      xdg-desktop-portal xdg-desktop-portal-gtk)
# One query for all: a process per package made the check take a second with nothing to do.
installed=$'\n'$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${pkgs[@]}" 2>/dev/null || true)$'\n'
missing=()
for p in "${pkgs[@]}"; do
  [[ $installed == *$'\n'"$p installed"$'\n'* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
