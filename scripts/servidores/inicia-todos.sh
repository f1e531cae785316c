#!/bin/bash
# Starts the tests' private servers under PASTA and writes PASTA/ambiente.sh:
#
#   inicia-todos.sh PASTA && . PASTA/ambiente.sh
#
# PASTA/firebird holds the Firebird server, PASTA/postgres the PostgreSQL
# cluster with the ODBC data source "SQLVendas". Ports are picked free on
# 127.0.0.1; run again on the same PASTA, it keeps the ports it wrote before
# while they are still free. ambiente.sh exports ORVO_SERVIDORES, ORVO_FB_PASTA,
# ORVO_FB_PORTA, ORVO_PG_PASTA, ORVO_PG_PORTA, ODBCINI, ODBCSYSINI and
# FIREBIRD_LOCK (the server's lock folder, for embedded engines in the tests).
set -u
NOME_SCRIPT=inicia-todos.sh
AQUI=$(cd "$(dirname "$0")" && pwd)
. "$AQUI/comum.sh"

[ $# -eq 1 ] || { echo "uso: $0 PASTA" >&2; exit 2; }
exige_root
PASTA=$(pasta_absoluta "$1") || exit 1

# A port nobody listens on, on any address.
porta_livre() {
    local porta _
    for _ in $(seq 1 50); do
        porta=$((20000 + RANDOM % 40000))
        [ "$porta" = "${1:-}" ] && continue
        porta_responde "$porta" && continue
        if command -v ss > /dev/null && [ -n "$(ss -Htln "sport = :$porta" 2>/dev/null)" ]; then
            continue
        fi
        echo "$porta"
        return 0
    done
    return 1
}

# Starts one server; when its port was taken meanwhile, tries another one.
# Prints the port it runs on.
inicia_servidor() {
    local script=$1 pasta=$2 porta=$3 evita=$4 rc _
    for _ in 1 2 3 4 5; do
        [ -n "$porta" ] || porta=$(porta_livre "$evita") || return 1
        bash "$AQUI/$script" inicia "$pasta" "$porta" >&2
        rc=$?
        [ $rc -eq 0 ] && { echo "$porta"; return 0; }
        [ $rc -eq 4 ] || return 1
        porta=
    done
    return 1
}

# The programs of the installed client's Firebird version, where Debian keeps
# them apart (/usr/lib/firebird/M.m/bin).
VERSAO_FB=$(dpkg-query -W -f='${Version}' libfbclient2 2>/dev/null | sed -E 's/^[0-9]+://; s/^([0-9]+\.[0-9]+).*/\1/')
BIN_FB=/usr/lib/firebird/$VERSAO_FB/bin

FB_PORTA=
PG_PORTA=
if [ -f "$PASTA/ambiente.sh" ]; then
    FB_PORTA=$(. "$PASTA/ambiente.sh" && echo "${ORVO_FB_PORTA:-}")
    PG_PORTA=$(. "$PASTA/ambiente.sh" && echo "${ORVO_PG_PORTA:-}")
fi

FB_PORTA=$(inicia_servidor firebird.sh "$PASTA/firebird" "$FB_PORTA" "") \
    || falha "o servidor Firebird não subiu"
PG_PORTA=$(inicia_servidor postgres.sh "$PASTA/postgres" "$PG_PORTA" "$FB_PORTA") \
    || falha "o servidor PostgreSQL não subiu"

{
    printf 'export ORVO_SERVIDORES=%q\n' "$PASTA"
    printf 'export ORVO_FB_PASTA=%q\n' "$PASTA/firebird"
    printf 'export ORVO_FB_PORTA=%q\n' "$FB_PORTA"
    printf 'export ORVO_PG_PASTA=%q\n' "$PASTA/postgres"
    printf 'export ORVO_PG_PORTA=%q\n' "$PG_PORTA"
    printf 'export ODBCSYSINI=%q\n' "$PASTA/postgres"
    printf 'export ODBCINI=%q\n' "$PASTA/postgres/odbc.ini"
    # Embedded Firebird processes of the tests take their locks where the
    # server does, so that a file open on both sides stays consistent.
    printf 'export FIREBIRD_LOCK=%q\n' "$PASTA/firebird/trava"
    # Debian 13's isql-fb and gfix are wrappers that set FIREBIRD to the
    # system's root: the tests' own runs keep theirs with the version's own
    # programs.
    if [ -x "$BIN_FB/isql-fb" ]; then printf 'export PATH=%q:"$PATH"\n' "$BIN_FB"; fi
} > "$PASTA/ambiente.sh.novo" && mv -f "$PASTA/ambiente.sh.novo" "$PASTA/ambiente.sh" \
    || falha "não consegui escrever $PASTA/ambiente.sh"
echo "servidores ativos; ambiente em $PASTA/ambiente.sh"
