#!/bin/bash
# Command two: installs what is missing, builds, starts the private database
# servers (Firebird on 127.0.0.1, PostgreSQL behind the ODBC data source
# "SQLVendas"), runs the whole test suite, then the fuzzers, the suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer and the packaging check
# (the Debian package built from the same build, lintian, its program run
# unpacked), and stops the servers.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$RAIZ/build-testes"
bash "$RAIZ/scripts/dependencias.sh" testes
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
exit $FALHOU
