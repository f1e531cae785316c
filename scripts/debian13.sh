#!/bin/bash
# Runs the database-facing tests (start-up, connection, the notice's readings,
# faults) on Debian 13 with its Firebird 4, from any Debian machine:
#
#   debian13.sh [PASTA_DE_BUILD]
#
# The Debian 13 system is made once with debootstrap under
# PASTA_DE_BUILD/trixie and reused; the packages are installed there by
# dependencias.sh, the source is mounted read-only at /orvoaviso and built in
# the system's own /var/tmp/orvoaviso-build (kept, so later runs build only
# what changed). Everything mounted is unmounted on exit. Must run as root.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(mkdir -p "${1:-$RAIZ/build-testes}" && cd "${1:-$RAIZ/build-testes}" && pwd)
SISTEMA="$BUILD/trixie"
ESPELHO=${ORVO_ESPELHO_DEBIAN:-http://deb.debian.org/debian}
# The tests that open databases; the rest of the suite does not depend on the
# release's Firebird.
TESTES=(orvoaviso startup_tst_iniciasistema startup_tst_explicacaofalha platform_tst_raizfirebird platform_tst_bancodados
        notice_tst_carregacontas notice_tst_falhas_arquivo notice_tst_falhas_servidor notice_tst_somente_leitura)
FILTRO='iniciasistema|explicacaofalha|raizfirebird|bancodados|carregacontas|falhas_arquivo|falhas_servidor|somente_leitura'

[ "$(id -u)" -eq 0 ] || { echo "debian13.sh: precisa ser executado como root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

if [ ! -x "$SISTEMA/usr/bin/apt-get" ] || [ ! -f "$SISTEMA/etc/orvoaviso-pronto" ]; then
  echo "Criando o Debian 13 em $SISTEMA"
  rm -rf "$SISTEMA.tmp"
  nice -n 15 debootstrap --variant=minbase trixie "$SISTEMA.tmp" "$ESPELHO" > "$BUILD/trixie-debootstrap.log" 2>&1 \
    || { tail -n 20 "$BUILD/trixie-debootstrap.log" >&2; exit 1; }
  touch "$SISTEMA.tmp/etc/orvoaviso-pronto"
  rm -rf "$SISTEMA"
  mv "$SISTEMA.tmp" "$SISTEMA"
fi

MONTADOS=()
monta() { # monta ORIGEM DESTINO [opções de mount]
  mkdir -p "$SISTEMA$2"
  mount "${@:3}" "$1" "$SISTEMA$2"
  MONTADOS=("$2" "${MONTADOS[@]}")
}
desmonta() {
  # Whatever still runs in the system (a test or a server left by an
  # interrupted run) holds its mounts.
  for d in /proc/[0-9]*; do
    [ "$(readlink "$d/root" 2>/dev/null)" = "$SISTEMA" ] && kill -KILL "${d#/proc/}" 2>/dev/null
  done
  sleep 0.5
  for m in "${MONTADOS[@]}"; do
    umount "$SISTEMA$m" 2>/dev/null || umount -l "$SISTEMA$m" 2>/dev/null || true
  done
}
trap desmonta EXIT
monta proc /proc -t proc
monta /dev /dev --bind
monta /dev/pts /dev/pts --bind
monta /dev/shm /dev/shm --bind
monta "$RAIZ" /orvoaviso --bind -o ro
mount -o remount,bind,ro "$SISTEMA/orvoaviso"
cp -f /etc/resolv.conf "$SISTEMA/etc/resolv.conf" 2>/dev/null || true

dentro() {
  chroot "$SISTEMA" /usr/bin/env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive "$@"
}

inicio=$SECONDS
dentro bash /orvoaviso/scripts/dependencias.sh testes
echo "Debian 13: pacotes prontos em $((SECONDS - inicio)) s"
dentro bash -c "
  set -eu
  cmake -S /orvoaviso -B /var/tmp/orvoaviso-build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  nice -n 15 cmake --build /var/tmp/orvoaviso-build -j$(nproc) --target ${TESTES[*]} >/var/tmp/orvoaviso-build.log 2>&1 \
    || { tail -n 40 /var/tmp/orvoaviso-build.log >&2; exit 1; }
"
echo "Debian 13: compilado em $((SECONDS - inicio)) s"
# The steps run from a file: a command line holding them would look like the
# servers' own to whatever looks for those by their words.
cat > "$SISTEMA/var/tmp/orvoaviso-testes.sh" <<FIM
set -eu
SERVIDORES=/var/tmp/orvoaviso-servidores
trap 'bash /orvoaviso/scripts/servidores/para-todos.sh \$SERVIDORES >/dev/null 2>&1 || true' EXIT
# Debian 13's isql-fb is a wrapper that sets FIREBIRD to the system's root:
# the tests' own isql-fb runs keep theirs with the version's own program.
for bin in /usr/lib/firebird/*/bin; do [ -x \$bin/isql-fb ] && PATH=\$bin:\$PATH; done
bash /orvoaviso/scripts/servidores/inicia-todos.sh \$SERVIDORES
. \$SERVIDORES/ambiente.sh
cd /var/tmp/orvoaviso-build
# One at a time: they share the private server's lock folder, and a test
# that stops the server would hold up the engine of the one beside it.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -R '$FILTRO'
FIM
dentro bash /var/tmp/orvoaviso-testes.sh
echo "Debian 13: testes terminados em $((SECONDS - inicio)) s"
