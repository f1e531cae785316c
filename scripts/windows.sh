#!/bin/bash
# Cross-builds OrvoAviso for 64-bit Windows with MinGW-w64:
#
#   windows.sh [--testes] [PASTA_DE_BUILD]      (build-windows/ by default)
#
# For now the platform-neutral part of the program is built (formatting,
# dates, text helpers, regional settings, the reading of orvo.ini) with its
# test programs; --testes then runs them under wine on a private Xvfb.
#
# Qt for Windows is built once, statically, from the source of the same
# version as the machine's own Qt (whose moc, rcc and uic it borrows), and kept
# in ORVO_CACHE_WINDOWS (/var/cache/orvoaviso by default) under a name that
# changes with Qt's version, the configure line and the toolchain file; a later
# run with the same name reuses it. The source comes from Debian's qt6-base
# source package through a private apt source list: the system's apt
# configuration is left as it is.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
TESTES=
[ "${1:-}" = --testes ] && { TESTES=1; shift; }
BUILD=$(mkdir -p "${1:-$RAIZ/build-windows}" && cd "${1:-$RAIZ/build-windows}" && pwd)
CACHE=${ORVO_CACHE_WINDOWS:-/var/cache/orvoaviso}
TOOLCHAIN=$RAIZ/cmake/mingw-w64-x86_64.cmake
NICE=(nice -n "${ORVO_NICE:-10}")

bash "$RAIZ/scripts/dependencias.sh" windows

# The host's Qt: its Debian version picks the source package, its upstream
# version (no epoch, no +dfsg-N) names the cache.
VERSAO_DEB=$(dpkg-query -W -f='${Version}' qt6-base-dev)
VERSAO_QT=$(echo "$VERSAO_DEB" | sed -E 's/^[0-9]+://; s/[+~-].*$//')
CMAKE_HOST=$(dirname "$(dpkg-query -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")
CMAKE_HOST=$(dirname "$CMAKE_HOST")

# Debian's source lacks wintab and SQLite; without direct2d every Widgets
# program fails to link (6.4), so it stays on. Debian's own cmake files are not
# under /usr/lib/cmake, hence QT_HOST_PATH_CMAKE_DIR.
CONFIGURA=(
  -release -static -xplatform win32-g++
  -qt-host-path /usr
  -nomake examples -nomake tests
  -no-dbus -no-feature-tabletevent -no-sql-sqlite -sql-odbc
  --
  "-DQT_HOST_PATH_CMAKE_DIR=$CMAKE_HOST"
)
CHAVE=$( { echo "$VERSAO_QT"; printf '%s\n' "${CONFIGURA[@]}"; cat "$TOOLCHAIN"; } | sha256sum | cut -c1-12)
QT=$CACHE/qt-$VERSAO_QT-$CHAVE

if [ ! -f "$QT/.orvoaviso-pronto" ]; then
  echo "Compilando o Qt $VERSAO_QT para Windows em $QT"
  mkdir -p "$CACHE"
  rm -rf "$QT"
  OBRA=$(mktemp -d "$CACHE/obra-XXXXXX")
  trap 'rm -rf "$OBRA"' EXIT
  # Private apt state: deb-src lines made from the system's own deb lines.
  mkdir -p "$OBRA/apt/lists/partial" "$OBRA/apt/cache/archives/partial" "$OBRA/fonte"
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$OBRA/apt/fontes.sources"
  APT=(-o "Dir::Etc::sourcelist=$OBRA/apt/fontes.sources" -o Dir::Etc::sourceparts=-
       -o "Dir::State::Lists=$OBRA/apt/lists" -o "Dir::Cache=$OBRA/apt/cache"
       -o APT::Sandbox::User=root)
  apt-get "${APT[@]}" -qq update
  (cd "$OBRA/fonte" && apt-get "${APT[@]}" -qq source --download-only "qt6-base=$VERSAO_DEB" >/dev/null)
  dpkg-source --no-check -x "$OBRA"/fonte/qt6-base_*.dsc "$OBRA/fonte/qtbase" >/dev/null

  # Qt's build keeps the toolchain file's path for the programs built later,
  # so it gets a copy of its own inside the cache.
  mkdir -p "$QT"
  cp "$TOOLCHAIN" "$QT/mingw-w64-x86_64.cmake"
  mkdir "$OBRA/qt"
  INICIO=$(date +%s)
  (cd "$OBRA/qt" &&
    "${NICE[@]}" "$OBRA/fonte/qtbase/configure" -prefix "$QT" "${CONFIGURA[@]}" \
      "-DCMAKE_TOOLCHAIN_FILE=$QT/mingw-w64-x86_64.cmake" > "$OBRA/configure.log" 2>&1 ||
    { tail -n 40 "$OBRA/configure.log" >&2; exit 1; })
  "${NICE[@]}" cmake --build "$OBRA/qt" --parallel "$(nproc)" > "$OBRA/build.log" 2>&1 ||
    { grep -m5 -B2 -A8 'error' "$OBRA/build.log" >&2 || tail -n 40 "$OBRA/build.log" >&2; exit 1; }
  cmake --install "$OBRA/qt" > /dev/null
  cp "$OBRA/qt/config.summary" "$QT/config.summary" 2>/dev/null || true
  echo "Qt para Windows pronto em $(( $(date +%s) - INICIO ))s: $(du -sh "$QT" | cut -f1)"
  touch "$QT/.orvoaviso-pronto"
  rm -rf "$OBRA"
  trap - EXIT
fi
echo "Qt para Windows: $QT"

# The test programs run through wine (ctest's cross-compiling emulator).
"$QT/bin/qt-cmake" -S "$RAIZ" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" > "$BUILD/configure.log" 2>&1 ||
  { tail -n 30 "$BUILD/configure.log" >&2; exit 1; }
"${NICE[@]}" cmake --build "$BUILD" --parallel "$(nproc)" > "$BUILD/build.log" 2>&1 ||
  { grep -m5 -A8 'error' "$BUILD/build.log" >&2 || tail -n 30 "$BUILD/build.log" >&2; exit 1; }
echo "Programas para Windows em $BUILD/bin"

[ -n "$TESTES" ] || exit 0
# wine's own Windows: a fresh prefix of its own, no add-ons to fetch (Mono,
# Gecko), quiet; the display a private Xvfb.
PREFIXO=$(mktemp -d "${TMPDIR:-/tmp}/orvo-wine-XXXXXX")
trap 'WINEPREFIX="$PREFIXO" wineserver -k 2>/dev/null || true; rm -rf "$PREFIXO"' EXIT
export WINEPREFIX=$PREFIXO WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  wineboot -i >/dev/null 2>&1
  ctest --test-dir "$1" --output-on-failure --timeout 600 -j1
  status=$?
  wineserver -w
  exit $status' _ "$BUILD"
