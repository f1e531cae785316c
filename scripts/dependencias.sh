#!/bin/bash
# Installs, with apt-get, the packages OrvoAviso needs and that the machine
# does not have yet. The Firebird packages are those of the release's own
# client library (firebird3.0-* on Debian 12, firebird4.0-* on Debian 13), and
# the fuzzers' run-time those of its clang, as apt-cache tells.
#
#   dependencias.sh demo     building and running the demonstration only
#   dependencias.sh [testes] everything: the demonstration's, the private test
#                            servers, the fuzzers, the packaging check
#   dependencias.sh bancos   the demonstration's, the private test servers and
#                            the packaging check (the tests that open databases)
#   dependencias.sh windows  cross-building for Windows (scripts/windows.sh):
#                            MinGW-w64, Qt's own source tools, wine and NSIS
set -eu
MODO=${1:-testes}
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo

# A fresh system has no package lists yet.
ATUALIZADO=
if ! apt-cache show libfbclient2 >/dev/null 2>&1; then
  $SUDO apt-get update -qq
  ATUALIZADO=1
fi
apt-cache show libfbclient2 >/dev/null 2>&1 || { echo "apt-cache não conhece libfbclient2" >&2; exit 1; }

# The version (major.minor) of a package: the installed one, or the one apt would install.
versao() {
  local v
  v=$(dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true)
  [ -n "$v" ] || v=$(apt-cache policy "$1" | sed -n 's/^ *Candidate: *//p')
  echo "$v" | sed -E 's/^[0-9]+://; s/^([0-9]+)\.([0-9]+).*/\1.\2/'
}
FB=firebird$(versao libfbclient2)
# clang is a dependency package: the real compiler is clang-NN.
CLANG=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9]*\)$/\1/p' | head -n1)

# Building, the program and the demonstration database.
DEMO=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  firebird-dev libfbclient2 "$FB-server-core" "$FB-utils"
  fonts-dejavu-core qt6-translations-l10n
)
# Without a display the demonstration runs under Xvfb and saves a picture of
# the window (xwininfo waits for it, import takes it).
SEM_TELA=(xvfb xauth x11-utils imagemagick)
# The tests: Firebird server and PostgreSQL behind ODBC, the fuzzers' clang,
# the packaging check (cpack's dpkg-shlibdeps, lintian, the desktop entry
# check, the icons drawn from the SVG), and pdftotext for the printed lists.
BANCOS=(
  "$FB-server" libqt6sql6-ibase
  postgresql odbc-postgresql unixodbc libqt6sql6-odbc
  dpkg-dev lintian desktop-file-utils librsvg2-bin file
  dbus
)
TESTES=(
  "${BANCOS[@]}"
  clang ${CLANG:+"libclang-rt-$CLANG-dev"}
  openbox at-spi2-core python3-pyatspi
  poppler-utils
)

# Cross-building for Windows: MinGW with POSIX threads (Qt needs them), the
# host's Qt tools (moc, rcc, uic of the same version as the Qt built for
# Windows), wine on a private Xvfb to run the results, NSIS for the installer.
WINDOWS=(
  cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools
  qt6-base-dev qt6-base-dev-tools dpkg-dev
  wine xvfb xauth nsis
)

case "$MODO" in
  demo)
    PACOTES=("${DEMO[@]}")
    [ -n "${DISPLAY:-}" ] || PACOTES+=("${SEM_TELA[@]}")
    ;;
  bancos) PACOTES=("${DEMO[@]}" "${SEM_TELA[@]}" "${BANCOS[@]}") ;;
  testes) PACOTES=("${DEMO[@]}" "${SEM_TELA[@]}" "${TESTES[@]}") ;;
  windows) PACOTES=("${WINDOWS[@]}") ;;
  *) echo "uso: $0 [demo|testes|bancos|windows]" >&2; exit 2 ;;
esac

FALTAM=()
for p in "${PACOTES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || FALTAM+=("$p")
done
[ ${#FALTAM[@]} -eq 0 ] && exit 0
echo "Instalando: ${FALTAM[*]}"
[ -n "${ATUALIZADO:-}" ] || $SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${FALTAM[@]}" >/dev/null
