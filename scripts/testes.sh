#!/bin/bash
# Command two: installs what is missing, builds, starts the private database
# servers (Firebird on 127.0.0.1, PostgreSQL behind the ODBC data source
# "SQLVendas"), runs the whole test suite, then the fuzzers, the suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer and the packaging check
# (the Debian package built from the same build, lintian, its program run
# unpacked), then, on a release older than Debian 13, the database-facing
# tests and the packaging check inside a Debian 13 system (debian13.sh; set
# ORVO_SEM_DEBIAN13 to leave them out), and stops the servers.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$RAIZ/build-testes"
bash "$RAIZ/scripts/dependencias.sh" testes
# On an older Debian the database-facing tests run again inside a Debian 13
# system with its Firebird 4: made and filled meanwhile (it mostly downloads).
DEBIAN13=
. /etc/os-release
if [ "${VERSION_CODENAME:-}" != trixie ] && [ -z "${ORVO_SEM_DEBIAN13:-}" ]; then
  DEBIAN13=$(mktemp /tmp/orvo-debian13.XXXXXX)
  bash "$RAIZ/scripts/debian13.sh" --prepara "$BUILD" > "$DEBIAN13" 2>&1 &
  PREPARO=$!
fi
bash "$RAIZ/scripts/compila.sh" "$BUILD" RelWithDebInfo

SERVIDORES=$(mktemp -d /tmp/orvo-servidores.XXXXXX)
para() {
  bash "$RAIZ/scripts/servidores/para-todos.sh" "$SERVIDORES" >/dev/null 2>&1 || true
  rm -rf "$SERVIDORES"
}
trap para EXIT
bash "$RAIZ/scripts/servidores/inicia-todos.sh" "$SERVIDORES"
. "$SERVIDORES/ambiente.sh"

FALHOU=0
ctest --test-dir "$BUILD" --output-on-failure -j2 || FALHOU=1

for extra in fuzzing.sh sanitizadores.sh; do
  if [ -f "$RAIZ/scripts/$extra" ]; then
    bash "$RAIZ/scripts/$extra" || FALHOU=1
  fi
done
if [ -f "$RAIZ/scripts/pacote.sh" ]; then
  bash "$RAIZ/scripts/pacote.sh" "$BUILD" || FALHOU=1
fi

if [ -n "$DEBIAN13" ]; then
  if wait "$PREPARO"; then
    cat "$DEBIAN13"
    # This host's Firebird lends a file and its server to the checks across
    # versions.
    OUTRA=$(mktemp -d /tmp/orvo-outra-versao.XXXXXX)
    mkdir -p "$OUTRA/arquivo" "$OUTRA/servidor"
    if bash "$RAIZ/scripts/banco-demo.sh" "$OUTRA/arquivo" >/dev/null; then
      ORVO_FB_ARQUIVO_OUTRA_VERSAO="$OUTRA/arquivo/VENDAS.FDB" \
      ORVO_FB_OUTRA_VERSAO="127.0.0.1/$ORVO_FB_PORTA:$OUTRA/servidor" \
      ORVO_TESTE_DE_FORA="$BUILD/bin/startup_tst_iniciasistema" \
        bash "$RAIZ/scripts/debian13.sh" "$BUILD" || FALHOU=1
    else
      echo "FALHA: o banco de outra versão não foi criado" >&2; FALHOU=1
    fi
    rm -rf "$OUTRA"
  else
    cat "$DEBIAN13" >&2
    echo "FALHA: o Debian 13 não ficou pronto" >&2
    FALHOU=1
  fi
  rm -f "$DEBIAN13"
fi
exit $FALHOU
