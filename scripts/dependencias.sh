#!/bin/bash
# Installs, with apt-get, the Debian 12 packages OrvoAviso needs and that the
# machine does not have yet.
#
#   dependencias.sh demo     building and running the demonstration only
#   dependencias.sh [testes] everything: the demonstration's, the private test
#                            servers, the fuzzers, the packaging check
set -eu
MODO=${1:-testes}

# Building, the program and the demonstration database.
DEMO=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils
  fonts-dejavu-core
)
# Without a display the demonstration runs under Xvfb and saves a picture of
# the window (xwininfo waits for it, import takes it).
SEM_TELA=(xvfb xauth x11-utils imagemagick)
# The tests: Firebird server and PostgreSQL behind ODBC, the fuzzers' clang,
# and the packaging check (cpack's dpkg-shlibdeps, lintian, the desktop entry
# check, the icons drawn from the SVG).
TESTES=(
  firebird3.0-server libqt6sql6-ibase
  postgresql odbc-postgresql unixodbc libqt6sql6-odbc
  clang libclang-rt-14-dev
  dpkg-dev lintian desktop-file-utils librsvg2-bin file
  dbus openbox xvfb xauth
  at-spi2-core python3-pyatspi
)

case "$MODO" in
  demo)
    PACOTES=("${DEMO[@]}")
    [ -n "${DISPLAY:-}" ] || PACOTES+=("${SEM_TELA[@]}")
    ;;
  testes) PACOTES=("${DEMO[@]}" "${SEM_TELA[@]}" "${TESTES[@]}") ;;
  *) echo "uso: $0 [demo|testes]" >&2; exit 2 ;;
esac

FALTAM=()
for p in "${PACOTES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || FALTAM+=("$p")
done
[ ${#FALTAM[@]} -eq 0 ] && exit 0
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "Instalando: ${FALTAM[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${FALTAM[@]}" >/dev/null
