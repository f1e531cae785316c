#!/bin/bash
# Stops the servers that inicia-todos.sh started under PASTA; their files stay.
#
#   para-todos.sh PASTA
set -u
NOME_SCRIPT=para-todos.sh
AQUI=$(cd "$(dirname "$0")" && pwd)
. "$AQUI/comum.sh"

[ $# -eq 1 ] || { echo "uso: $0 PASTA" >&2; exit 2; }
exige_root
[ -d "$1" ] || { echo "nada a parar em $1"; exit 0; }
PASTA=$(cd "$1" && pwd -P)

status=0
if [ -d "$PASTA/firebird" ]; then
    bash "$AQUI/firebird.sh" para "$PASTA/firebird" || status=1
fi
if [ -d "$PASTA/postgres" ]; then
    bash "$AQUI/postgres.sh" para "$PASTA/postgres" || status=1
fi
exit $status
