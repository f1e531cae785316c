#!/bin/bash
# Runs the database-facing tests (start-up, connection, the notice's readings,
# faults) and the packaging check on Debian 13 with its Firebird 4, from any
# Debian machine:
#
#   debian13.sh [--prepara] [PASTA_DE_BUILD]
#
# The Debian 13 system is made once with debootstrap under
# PASTA_DE_BUILD/trixie and reused; the packages are installed there by
# dependencias.sh, the source is mounted read-only at /orvoaviso and built in
# the system's own /var/tmp/orvoaviso-build (kept, so later runs build only
# what changed). --prepara stops once the packages are in (the test command
# runs it while it builds). Everything mounted is unmounted on exit. Must run
# as root.
#
# A Debian 12 host lends its own Firebird to the cross-version checks:
#   ORVO_FB_OUTRA_VERSAO          the host's server and a fresh folder on it
#                                 ("127.0.0.1/PORT:/folder"), read from inside
#   ORVO_FB_ARQUIVO_OUTRA_VERSAO  a database file made by the host's Firebird
#   ORVO_TESTE_DE_FORA            the host's start-up test program, run against
#                                 the Firebird server of the system
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
PREPARA=
[ "${1:-}" = --prepara ] && { PREPARA=1; shift; }
BUILD=$(mkdir -p "${1:-$RAIZ/build-testes}" && cd "${1:-$RAIZ/build-testes}" && pwd)
SISTEMA="$BUILD/trixie"
ESPELHO=${ORVO_ESPELHO_DEBIAN:-http://deb.debian.org/debian}
# The tests that open databases; the rest of the suite does not depend on the
# release's Firebird.
TESTES=(orvoaviso startup_tst_iniciasistema startup_tst_explicacaofalha firebird_tst_raizfirebird firebird_tst_clientefirebird database_tst_bancodados
        database_tst_linhadobanco database_tst_servidores notice_tst_carregacontas notice_tst_vencidas
        notice_tst_agendamento notice_tst_falhas_arquivo
        notice_tst_falhas_servidor notice_tst_somente_leitura)
# ctest names them folder/tst_x where the target is folder_tst_x.
NOMES=("${TESTES[@]:1}")
FILTRO="^($(IFS='|'; echo "${NOMES[*]/_tst_//tst_}"))\$"

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
dentro bash /orvoaviso/scripts/dependencias.sh bancos
echo "Debian 13: pacotes prontos em $((SECONDS - inicio)) s"
[ -z "$PREPARA" ] || exit 0
# cpack installs what was built: the program, without every test program.
dentro bash -c "
  set -eu
  cmake -S /orvoaviso -B /var/tmp/orvoaviso-build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
  nice -n 15 cmake --build /var/tmp/orvoaviso-build -j$(nproc) --target ${TESTES[*]} orvo_pacote_arquivos >/var/tmp/orvoaviso-build.log 2>&1 \
    || { tail -n 40 /var/tmp/orvoaviso-build.log >&2; exit 1; }
"
echo "Debian 13: compilado em $((SECONDS - inicio)) s"

OUTRA_ARQUIVO=
if [ -n "${ORVO_FB_ARQUIVO_OUTRA_VERSAO:-}" ]; then
  mkdir -p "$SISTEMA/var/tmp/orvoaviso-outra-versao"
  cp -f "$ORVO_FB_ARQUIVO_OUTRA_VERSAO" "$SISTEMA/var/tmp/orvoaviso-outra-versao/VENDAS.FDB"
  OUTRA_ARQUIVO=/var/tmp/orvoaviso-outra-versao/VENDAS.FDB
fi
SERVIDORES=/var/tmp/orvoaviso-servidores
para_servidores() {
  dentro bash /orvoaviso/scripts/servidores/para-todos.sh $SERVIDORES >/dev/null 2>&1 || true
  desmonta
}
trap para_servidores EXIT
# The steps run from a file: a command line holding them would look like the
# servers' own to whatever looks for those by their words.
cat > "$SISTEMA/var/tmp/orvoaviso-testes.sh" <<FIM
set -eu
bash /orvoaviso/scripts/servidores/inicia-todos.sh $SERVIDORES
. $SERVIDORES/ambiente.sh
export ORVO_FB_OUTRA_VERSAO='${ORVO_FB_OUTRA_VERSAO:-}' ORVO_FB_ARQUIVO_OUTRA_VERSAO='$OUTRA_ARQUIVO'
cd /var/tmp/orvoaviso-build
# One at a time: they share the private server's lock folder, and a test
# that stops the server would hold up the engine of the one beside it.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -R '$FILTRO'
FIM
FALHOU=0
dentro bash /var/tmp/orvoaviso-testes.sh || FALHOU=1
echo "Debian 13: testes terminados em $((SECONDS - inicio)) s"

# The other way round: this host's program reads the system's Firebird server.
if [ -n "${ORVO_TESTE_DE_FORA:-}" ]; then
  PORTA=$(. "$SISTEMA$SERVIDORES/ambiente.sh" && echo "$ORVO_FB_PORTA")
  rm -rf "$SISTEMA/var/tmp/orvoaviso-de-fora"
  mkdir -p "$SISTEMA/var/tmp/orvoaviso-de-fora"
  if QT_QPA_PLATFORM=offscreen ORVO_FB_OUTRA_VERSAO="127.0.0.1/$PORTA:/var/tmp/orvoaviso-de-fora" \
       "$ORVO_TESTE_DE_FORA" servidorDeOutraVersao > "$BUILD/trixie-de-fora.log" 2>&1 \
     && grep -q '^PASS   : .*servidorDeOutraVersao' "$BUILD/trixie-de-fora.log"; then
    echo "Debian 13: o Firebird deste computador leu o servidor Firebird do Debian 13"
  else
    cat "$BUILD/trixie-de-fora.log" >&2
    echo "FALHA: o Firebird deste computador não leu o servidor Firebird do Debian 13" >&2
    FALHOU=1
  fi
fi
dentro bash /orvoaviso/scripts/servidores/para-todos.sh $SERVIDORES >/dev/null 2>&1 || true

# The package, built on the release it is for.
dentro bash /orvoaviso/scripts/pacote.sh /var/tmp/orvoaviso-build || FALHOU=1
echo "Debian 13: terminado em $((SECONDS - inicio)) s"
exit $FALHOU
