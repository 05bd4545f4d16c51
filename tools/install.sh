#!/usr/bin/env bash
# Installs Ormelia for this user as a desktop program: builds it in Release, puts it in CARPETA
# (default ~/Ormelia) with an empty catalogue when none is there, and writes its desktop entry and
# its icon in the freedesktop theme. Running it again updates the program; the catalogue and its
# "Copias" folder are never touched.
#
#   tools/install.sh [CARPETA]            install or update
#   tools/install.sh --quitar [CARPETA]   remove program, entry and icons (catalogue and copies stay)
#
# ORMELIA_INSTALL_BUILD names a folder where the program is already built (the tests use their
# own build); without it the script builds into build-release/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

quitar=false
if [ "${1:-}" = "--quitar" ]; then
  quitar=true
  shift
fi
if [ $# -gt 1 ] || [[ "${1:-}" == -* ]]; then
  echo "uso: tools/install.sh [--quitar] [CARPETA]" >&2
  exit 2
fi
carpeta=$(realpath -m -- "${1:-$HOME/Ormelia}")
if [[ "$carpeta" == *[[:cntrl:]]* ]]; then
  echo "La carpeta no puede tener saltos de línea ni caracteres de control: $carpeta" >&2
  exit 2
fi
data=${XDG_DATA_HOME:-$HOME/.local/share}
entry=$data/applications/ormelia.desktop
sizes=(48 128 256)
icon_of() { echo "$data/icons/hicolor/$1x$1/apps/ormelia.png"; }

refresh_desktop() {
  # The menus and icon theme read their caches; a desktop without these tools reads the files.
  if command -v update-desktop-database >/dev/null; then
    update-desktop-database -q "$data/applications" 2>/dev/null || true
  fi
  if command -v gtk-update-icon-cache >/dev/null && [ -e "$data/icons/hicolor/index.theme" ]; then
    gtk-update-icon-cache -q -t "$data/icons/hicolor" 2>/dev/null || true
  fi
}

if $quitar; then
  rm -f -- "$carpeta/ormelia" "$entry"
  for s in "${sizes[@]}"; do rm -f -- "$(icon_of "$s")"; done
  refresh_desktop
  echo "Ormelia quitado de $carpeta (el catálogo y sus copias se conservan)."
  exit 0
fi

build=${ORMELIA_INSTALL_BUILD:-}
if [ -z "$build" ]; then
  build=$root/build-release
  "$root/tools/setup.sh"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORMELIA_BENCH=OFF >/dev/null
  cmake --build "$build" --target ormelia ormelia_newdb -j"$(nproc)"
fi
for program in ormelia ormelia_newdb; do
  if [ ! -x "$build/$program" ]; then
    echo "No se encuentra el programa compilado: $build/$program" >&2
    exit 1
  fi
done

mkdir -p -- "$carpeta"
# Renamed into place, so that a copy of the program still running keeps its own file.
install -m 755 -- "$build/ormelia" "$carpeta/.ormelia.nuevo"
mv -f -- "$carpeta/.ormelia.nuevo" "$carpeta/ormelia"
# A catalogue already there (or a link to one) is the user's and is left as it is.
if [ ! -e "$carpeta/DataOrmelia.mdb" ] && [ ! -L "$carpeta/DataOrmelia.mdb" ]; then
  "$build/ormelia_newdb" "$carpeta/DataOrmelia.mdb"
fi

# The program's path as one quoted argument of Exec: inside the quotes ", `, $ and \ take a
# backslash, then every backslash is doubled as a desktop-entry string, and % is written %%.
exec_path=$(printf '%s' "$carpeta/ormelia" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' -e 's/%/%%/g')
mkdir -p -- "$data/applications"
cat >"$entry.nuevo" <<EOF
[Desktop Entry]
Type=Application
Name=Ormelia
GenericName=Catálogo musical
Comment=Catálogo de una colección privada de música clásica
Exec="$exec_path"
Icon=ormelia
Terminal=false
Categories=Office;Database;
Keywords=música;clásica;catálogo;compositor;obra;grabación;
StartupWMClass=ormelia
EOF
mv -f -- "$entry.nuevo" "$entry"

images=$root/resources/images
for s in "${sizes[@]}"; do
  picture=$images/icono-$s.png
  [ "$s" = 256 ] && picture=$images/logo.png
  install -D -m 644 -- "$picture" "$(icon_of "$s")"
done
refresh_desktop
echo "Ormelia instalado en $carpeta; aparece en el menú de Oficina."
