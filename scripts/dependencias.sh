#!/bin/bash
# Installs, with apt-get, the Debian 12 packages that building, running and
# testing OrvoAviso need and that the machine does not have yet.
set -eu
PACOTES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-ibase libqt6sql6-odbc libgl1-mesa-dev
  firebird3.0-server-core firebird3.0-utils firebird3.0-server
  postgresql odbc-postgresql unixodbc
  xvfb xauth x11-utils imagemagick fonts-dejavu-core dbus openbox
  clang libclang-rt-14-dev
)
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
