#!/bin/bash
# Creates the demonstration database PASTA/VENDAS.FDB from the schema and the
# demonstration data (dated relative to today), when it does not exist yet.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
PASTA=$(cd "$1" && pwd)
BANCO="$PASTA/VENDAS.FDB"
[ -f "$BANCO" ] && exit 0
# isql-fb keeps accented text from its input only under a UTF-8 locale.
{ echo "CREATE DATABASE '$BANCO' USER 'SYSDBA' PASSWORD 'quillfern' DEFAULT CHARACTER SET WIN1252;"
  cat "$RAIZ/db/schema.sql" "$RAIZ/db/demo.sql"; } | LC_ALL=C.UTF-8 isql-fb -q -b -ch UTF8
echo "Banco de demonstração criado: $BANCO"
