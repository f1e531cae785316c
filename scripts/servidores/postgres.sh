#!/bin/bash
# Private PostgreSQL cluster (the release's version: 15 on Debian 12, 17 on
# Debian 13) for the tests, on 127.0.0.1:PORTA, with the ODBC data source
# "SQLVendas" pointing at it.
#
#   postgres.sh inicia PASTA PORTA            start it (initdb the first time)
#   postgres.sh para   PASTA [PORTA]          stop it; the data stays
#   postgres.sh estado PASTA [PORTA]          "ativo ..." (status 0) or "parado" (status 3)
#   postgres.sh recria PASTA [PORTA] [SCHEMA] drop database vendas and make it again
#                                             from the schema (default db/schema.sql)
#
# Everything lives in PASTA: dados/ (the cluster, trust authentication, locale C,
# UTF8), the server's socket, postgres.log, odbcinst.ini and odbc.ini for
# unixODBC, and ambiente.sh exporting ODBCSYSINI and ODBCINI. Data sources:
#   SQLVendas        database vendas as user postgres (reads and writes)
#   SQLVendasLeitor  database vendas as role leitor, which may only SELECT
# The server runs as the postgres user; the script must run as root.
set -u
NOME_SCRIPT=postgres.sh
. "$(dirname "$0")/comum.sh"

# The newest version installed.
BIN=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
BIN=${BIN:-/usr/lib/postgresql/bin}
DRIVER_ODBC=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so
ESQUEMA_PADRAO=$(cd "$(dirname "$0")/../.." && pwd)/db/schema.sql

uso() {
    echo "uso: $0 {inicia|para|estado|recria} PASTA PORTA [SCHEMA]" >&2
    exit 2
}

[ $# -ge 2 ] || uso
ACAO=$1
exige_root
[ -x "$BIN/postgres" ] || falha "PostgreSQL não instalado em /usr/lib/postgresql"
PASTA=$(pasta_absoluta "$2") || exit 1
DADOS=$PASTA/dados
ARQ_PORTA=$PASTA/porta
LOG=$PASTA/postgres.log

PORTA=${3:-}
if [ -z "$PORTA" ] && [ -f "$ARQ_PORTA" ]; then
    PORTA=$(cat "$ARQ_PORTA")
fi

como_postgres() {
    runuser -u postgres -- env -i PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"
}

# psql as the superuser on the private server; stops at the first error.
psql_vendas() {
    local banco=$1
    shift
    PGCLIENTENCODING=UTF8 PGOPTIONS='-c client_min_messages=warning' "$BIN/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$PORTA" \
        -U postgres -d "$banco" "$@"
}

# The postgres user must reach PASTA: a folder of a mktemp chain (mode 0700)
# gets search permission for others, nothing more.
libera_caminho() {
    local dir=$PASTA
    chown postgres:postgres "$PASTA"
    while [ "$dir" != / ]; do
        dir=$(dirname "$dir")
        if ! runuser -u postgres -- test -x "$dir"; then
            chmod o+x "$dir" || falha "o usuário postgres não chega a $dir"
            echo "$NOME_SCRIPT: permissão de passagem dada a $dir" >&2
        fi
    done
}

prepara_cluster() {
    [ -f "$DADOS/PG_VERSION" ] && return 0
    rm -rf "$DADOS"
    como_postgres "$BIN/initdb" -D "$DADOS" -A trust -U postgres -E UTF8 --locale=C \
        > "$PASTA/initdb.saida" 2>&1 || { cat "$PASTA/initdb.saida" >&2; falha "initdb falhou"; }
}

escreve_odbc() {
    cat > "$PASTA/odbcinst.ini" <<EOF
[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode version)
Driver=$DRIVER_ODBC
Debug=0
CommLog=0
EOF
    cat > "$PASTA/odbc.ini" <<EOF
[SQLVendas]
Description=Banco de vendas de teste (PostgreSQL privado)
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PORTA
Database=vendas
Username=postgres
Password=

[SQLVendasLeitor]
Description=Banco de vendas de teste, papel que só lê
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$PORTA
Database=vendas
Username=leitor
Password=
EOF
    cat > "$PASTA/ambiente.sh" <<EOF
export ODBCSYSINI=$PASTA
export ODBCINI=$PASTA/odbc.ini
EOF
}

ativo() {
    [ -f "$DADOS/postmaster.pid" ] && como_postgres "$BIN/pg_ctl" -D "$DADOS" status > /dev/null 2>&1
}

# Port the running cluster listens on (first line of postmaster.pid's fourth).
porta_ativa() {
    sed -n 4p "$DADOS/postmaster.pid" 2>/dev/null
}

# The leitor role: may connect and SELECT from the tables, nothing more; its
# transactions are read-only besides.
concede_leitor() {
    psql_vendas vendas <<'EOF'
REVOKE CREATE ON SCHEMA public FROM PUBLIC;
GRANT CONNECT ON DATABASE vendas TO leitor;
GRANT USAGE ON SCHEMA public TO leitor;
GRANT SELECT ON ALL TABLES IN SCHEMA public TO leitor;
EOF
}

prepara_banco() {
    psql_vendas postgres <<'EOF' || falha "não consegui criar o papel leitor"
DO $$ BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'leitor') THEN
    CREATE ROLE leitor LOGIN;
  END IF;
END $$;
ALTER ROLE leitor SET default_transaction_read_only = on;
EOF
    local existe
    existe=$(psql_vendas postgres -Atc "SELECT 1 FROM pg_database WHERE datname = 'vendas'")
    [ "$existe" = 1 ] || recria "$ESQUEMA_PADRAO"
}

# Drops vendas (closing whoever is connected) and makes it again, empty, from
# the schema. Collation C orders names by code point, as Firebird's WIN1252 does.
recria() {
    local esquema=$1
    [ -f "$esquema" ] || falha "schema não encontrado: $esquema"
    psql_vendas postgres <<'EOF' || falha "não consegui recriar o banco vendas"
DROP DATABASE IF EXISTS vendas WITH (FORCE);
CREATE DATABASE vendas TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C';
EOF
    psql_vendas vendas -f "$esquema" || falha "o schema $esquema falhou"
    concede_leitor || falha "não consegui dar SELECT ao papel leitor"
}

inicia() {
    [ -n "$PORTA" ] || uso
    exige_porta "$PORTA"
    libera_caminho
    prepara_cluster
    if ativo; then
        [ "$(porta_ativa)" = "$PORTA" ] || falha "já ativo em outra porta ($(porta_ativa)); pare-o antes"
    else
        if porta_responde "$PORTA"; then
            echo "$NOME_SCRIPT: a porta $PORTA já está em uso" >&2
            exit 4
        fi
        # fsync off: a throw-away test cluster, stopped in order by para.
        como_postgres "$BIN/pg_ctl" -D "$DADOS" -l "$LOG" -w -t $((ESPERA_MAXIMA / 10)) \
            -o "-p $PORTA -k $PASTA -c listen_addresses=127.0.0.1 -c fsync=off" start \
            > "$PASTA/pg_ctl.saida" 2>&1 \
            || { cat "$PASTA/pg_ctl.saida" >&2; tail -n 20 "$LOG" >&2; falha "o servidor não subiu"; }
    fi
    espera_porta "$PORTA" abre || falha "a porta $PORTA não responde"
    echo "$PORTA" > "$ARQ_PORTA"
    escreve_odbc
    prepara_banco
    echo "PostgreSQL ativo em 127.0.0.1:$PORTA"
    cat "$PASTA/ambiente.sh"
}

para() {
    if ativo; then
        local porta
        porta=$(porta_ativa)
        if ! como_postgres "$BIN/pg_ctl" -D "$DADOS" -m fast -w -t $((ESPERA_MAXIMA / 10)) stop \
                > "$PASTA/pg_ctl.saida" 2>&1; then
            como_postgres "$BIN/pg_ctl" -D "$DADOS" -m immediate -w -t 10 stop \
                >> "$PASTA/pg_ctl.saida" 2>&1 || { cat "$PASTA/pg_ctl.saida" >&2; falha "não consegui parar"; }
        fi
        [ -n "$porta" ] && ! espera_porta "$porta" fecha && falha "a porta $porta continua respondendo"
    fi
    echo "PostgreSQL parado"
}

estado() {
    if ativo && porta_responde "$(porta_ativa)"; then
        echo "ativo (porta $(porta_ativa))"
        return 0
    fi
    echo "parado"
    return 3
}

case "$ACAO" in
    inicia) inicia ;;
    para) para ;;
    estado) estado ;;
    recria)
        ativo || falha "o servidor não está ativo"
        PORTA=$(porta_ativa)
        recria "${4:-$ESQUEMA_PADRAO}"
        echo "banco vendas recriado"
        ;;
    *) uso ;;
esac
