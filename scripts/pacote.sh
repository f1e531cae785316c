#!/bin/bash
# Packaging check: builds the Debian package from a build folder, runs lintian
# (any error fails) and desktop-file-validate, unpacks it into a temporary
# folder (dpkg-deb -x; nothing is installed on the machine) and runs the
# unpacked program: --version, a start with no orvo.ini anywhere, a start
# against a test database with orvo.ini in a temporary XDG_CONFIG_HOME, and,
# as an ordinary user outside the group "firebird", the explanation of the
# refused engine.
#
#   pacote.sh [PASTA_DE_BUILD]   (default build-pacote/, built in Release when missing)
set -u
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$RAIZ/build-pacote}
FALHOU=0
falha() { echo "FALHA pacote: $*" >&2; FALHOU=1; }
ok() { echo "ok   pacote: $*"; }

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  bash "$RAIZ/scripts/compila.sh" "$BUILD" Release || { falha "a compilação falhou"; exit 1; }
fi

echo "== pacote: cpack -G DEB em $BUILD/pacote"
rm -f "$BUILD"/pacote/orvoaviso_*.deb
(cd "$BUILD" && cpack -G DEB -B "$BUILD/pacote") >"$BUILD/cpack.log" 2>&1 \
  || { tail -n 30 "$BUILD/cpack.log" >&2; falha "cpack falhou"; exit 1; }
DEB=$(ls "$BUILD"/pacote/orvoaviso_*.deb 2>/dev/null | head -n 1)
[ -n "$DEB" ] || { falha "nenhum orvoaviso_*.deb em $BUILD/pacote"; exit 1; }
VERSAO=$(dpkg-deb -f "$DEB" Version)
ARQ=$(dpkg-deb -f "$DEB" Architecture)
[ "$(basename "$DEB")" = "orvoaviso_${VERSAO}_${ARQ}.deb" ] && ok "$(basename "$DEB")" \
  || falha "nome do pacote $(basename "$DEB") não é orvoaviso_${VERSAO}_${ARQ}.deb"
DEPENDE=$(dpkg-deb -f "$DEB" Depends)
depende() { case ", $DEPENDE," in *", $1"[\ ,]*) return 0 ;; esac; return 1; }
# Printing comes with Qt's print support, a library of its own.
for p in libqt6widgets6 libqt6printsupport6 libc6; do
  depende "$p" || falha "Depends sem $p: $DEPENDE"
done
# The Firebird client library, which the program loads when it starts.
depende libfbclient2 || falha "Depends sem o cliente Firebird: $DEPENDE"
# The engine recommended is the one of this release's client library.
MOTOR=firebird$(dpkg-query -W -f='${Version}' libfbclient2 | sed -E 's/^[0-9]+://; s/^([0-9]+\.[0-9]+).*/\1/')-server-core
case ", $(dpkg-deb -f "$DEB" Recommends)," in
  *", $MOTOR,"*) ok "Depends: $DEPENDE; Recommends: $MOTOR" ;;
  *) falha "Recommends sem $MOTOR: $(dpkg-deb -f "$DEB" Recommends)" ;;
esac

# lintian refuses nothing as root but says so; only errors fail the check.
if lintian --fail-on error "$DEB" >"$BUILD/lintian.log" 2>&1; then
  ok "lintian sem erros ($(grep -c '^W:' "$BUILD/lintian.log") avisos)"
else
  cat "$BUILD/lintian.log" >&2
  falha "lintian encontrou erros"
fi

TMP=$(mktemp -d /tmp/orvo-pacote.XXXXXX)
PID=
limpa() {
  [ -n "$PID" ] && kill -KILL "$PID" 2>/dev/null
  rm -rf "$TMP"
}
trap limpa EXIT
chmod 755 "$TMP"
dpkg-deb -x "$DEB" "$TMP/raiz"
R="$TMP/raiz/usr"
for f in bin/orvoaviso share/applications/orvoaviso.desktop share/orvoaviso/autostart/orvoaviso.desktop \
         share/icons/hicolor/scalable/apps/orvoaviso.svg share/icons/hicolor/16x16/apps/orvoaviso.png \
         share/icons/hicolor/32x32/apps/orvoaviso.png share/icons/hicolor/48x48/apps/orvoaviso.png \
         share/man/man1/orvoaviso.1.gz share/doc/orvoaviso/copyright share/doc/orvoaviso/changelog.gz; do
  [ -s "$R/$f" ] || falha "falta /usr/$f no pacote"
done
for d in "$R/share/applications/orvoaviso.desktop" "$R/share/orvoaviso/autostart/orvoaviso.desktop"; do
  if desktop-file-validate "$d"; then ok "desktop-file-validate ${d#$TMP/raiz}"; else falha "desktop-file-validate ${d#$TMP/raiz}"; fi
done
grep -qx 'Exec=orvoaviso' "$R/share/applications/orvoaviso.desktop" || falha "a entrada não executa orvoaviso"
file "$R/bin/orvoaviso" | grep -q ', stripped' || falha "o programa do pacote não está sem símbolos"
zcat "$R/share/man/man1/orvoaviso.1.gz" | grep -q 'Usuario=' || falha "a página de manual não descreve o orvo.ini"

SAIDA=$("$R/bin/orvoaviso" --version 2>&1)
[ "$SAIDA" = "OrvoAviso $VERSAO" ] && ok "--version: $SAIDA" || falha "--version respondeu '$SAIDA'"

# The unpacked program runs as an installed one would: its own folder is not
# written, the Firebird root goes to the (temporary) user cache.
mkdir -p "$TMP/config/orvoaviso" "$TMP/sistema" "$TMP/cache" "$TMP/execucao" "$TMP/dados"
chmod 700 "$TMP/execucao"
roda() { # run in the background: the job is the program itself
  exec env -u FIREBIRD -u FIREBIRD_LOCK -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 \
    XDG_CONFIG_HOME="$TMP/config" XDG_CONFIG_DIRS="$TMP/sistema" XDG_CACHE_HOME="$TMP/cache" \
    XDG_RUNTIME_DIR="$TMP/execucao" "$@"
}
espera() { # espera SEGUNDOS CONDIÇÃO...
  local limite=$(( $1 * 10 )); shift
  for _ in $(seq 1 "$limite"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# No orvo.ini anywhere: the message, and every path looked at on standard
# error (the message box then waits for a click, so the process is killed).
roda "$R/bin/orvoaviso" 2>"$TMP/sem-ini.err" &
PID=$!
if espera 20 grep -q 'Procurado em' "$TMP/sem-ini.err"; then
  sleep 0.3
  for c in "$R/bin/orvo.ini" "$TMP/config/orvoaviso/orvo.ini" "$TMP/sistema/orvoaviso/orvo.ini"; do
    grep -qxF "  $c" "$TMP/sem-ini.err" || falha "sem orvo.ini: '$c' não aparece entre os procurados"
  done
  grep -q 'Arquivo orvo.INI não encontrado' "$TMP/sem-ini.err" && ok "sem orvo.ini: os 3 caminhos procurados listados" \
    || falha "sem orvo.ini: falta a mensagem"
else
  cat "$TMP/sem-ini.err" >&2; falha "sem orvo.ini: nada na saída de erro"
fi
kill -KILL "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; PID=

# A start against a test database made from the schema.
bash "$RAIZ/scripts/banco-demo.sh" "$TMP/dados" >/dev/null || falha "o banco de teste não foi criado"
BANCO="$TMP/dados/VENDAS.FDB"
printf '%s\r\n' "$TMP/dados" > "$TMP/config/orvoaviso/orvo.ini"
roda "$R/bin/orvoaviso" 2>"$TMP/inicio.err" &
PID=$!
abriu() { ls -l "/proc/$PID/fd" 2>/dev/null | grep -qF -- "-> $BANCO"; }
if espera 30 abriu; then
  sleep 3 # the first notice runs; nothing is to go wrong meanwhile
  if ! kill -0 "$PID" 2>/dev/null; then
    falha "o programa terminou sozinho depois de abrir o banco"
  fi
  # Qt's offscreen platform remarks on what it cannot do; anything else is an error.
  ERROS=$(grep -v -e '^This plugin does not support' "$TMP/inicio.err")
  [ -z "$ERROS" ] || falha "saída de erro no início: $ERROS"
  kill -TERM "$PID"
  wait "$PID"; STATUS=$?
  PID=
  [ "$STATUS" -eq 0 ] && ok "início com o banco de teste aberto, SIGTERM termina com status 0" \
    || falha "SIGTERM terminou com status $STATUS (esperado 0)"
else
  cat "$TMP/inicio.err" >&2; falha "o programa não abriu $BANCO em 30 s"
  kill -KILL "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; PID=
fi
[ -e "$R/bin/firebird" ] && falha "o programa instalado escreveu $R/bin/firebird"
grep -qs 'ServerMode = SuperClassic' "$TMP/cache/orvoaviso/firebird/firebird.conf" \
  && ok "raiz Firebird em XDG_CACHE_HOME/orvoaviso/firebird, nada ao lado do programa" \
  || falha "raiz Firebird não criada em $TMP/cache/orvoaviso/firebird"

# An ordinary user outside the group "firebird": the failed connection says why.
# Only where Debian's lock folder exists and is closed to that user (the engine
# would otherwise create it, owned by that user).
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && [ -d /tmp/firebird ] \
   && ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -w /tmp/firebird; then
  chmod -R a+rwX "$TMP/dados" "$TMP/cache" "$TMP/execucao"
  chmod a+rX "$TMP/config" "$TMP/config/orvoaviso" "$TMP/config/orvoaviso/orvo.ini"
  chmod 0777 "$TMP/cache"
  rm -rf "$TMP/cache/orvoaviso"
  mkdir -p "$TMP/execucao-nobody" && chown nobody "$TMP/execucao-nobody" && chmod 700 "$TMP/execucao-nobody"
  setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env -u FIREBIRD -u FIREBIRD_LOCK -u DISPLAY QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 HOME="$TMP/cache" \
    XDG_CONFIG_HOME="$TMP/config" XDG_CONFIG_DIRS="$TMP/sistema" XDG_CACHE_HOME="$TMP/cache" \
    XDG_RUNTIME_DIR="$TMP/execucao-nobody" "$R/bin/orvoaviso" 2>"$TMP/grupo.err" &
  PID=$!
  if espera 30 grep -q 'saia e entre de novo' "$TMP/grupo.err"; then
    grep -q '    sudo adduser nobody firebird' "$TMP/grupo.err" \
      && ok "fora do grupo firebird: a mensagem explica 'sudo adduser nobody firebird'" \
      || { cat "$TMP/grupo.err" >&2; falha "fora do grupo firebird: falta o comando"; }
  else
    cat "$TMP/grupo.err" >&2; falha "fora do grupo firebird: a mensagem não explica o grupo"
  fi
  kill -KILL "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; PID=
else
  echo "pacote: verificação do grupo firebird não feita (precisa de root, setpriv e /tmp/firebird fechada)"
fi

[ $FALHOU -eq 0 ] && echo "pacote: tudo certo ($(basename "$DEB"))"
exit $FALHOU
