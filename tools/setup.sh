#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(g++ make cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins
          qt6-qpa-plugins qt6-translations-l10n fonts-liberation2 libgl-dev libsqlite3-dev sqlite3
          poppler-utils fonts-comic-neue xvfb xauth openbox desktop-file-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Instalando: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
