#!/bin/bash
# Private Firebird 3 server for the tests, on 127.0.0.1:PORTA.
#
#   firebird.sh inicia PASTA PORTA   start it (prepares PASTA the first time)
#   firebird.sh para   PASTA [PORTA] stop it; the databases stay and inicia works again
#   firebird.sh estado PASTA [PORTA] "ativo ..." (status 0) or "parado" (status 3)
#
# Runs Debian's /usr/sbin/firebird directly, without the system service and
# without touching /etc/firebird. Everything lives in PASTA:
#   raiz/            Firebird root (FIREBIRD): firebird.conf in SuperClassic mode,
#                    so that embedded processes using this same root and lock
#                    folder can open a file the server has open; intl is a real
#                    copy (through a link the engine does not find WIN1252)
#   security3.fdb    security database, SYSDBA's password "quillfern"
#                    (ORVO_FB_SENHA gives another one, as sites have)
# ORVO_FB_MODO=Super runs the server as Debian's default does: it then holds
# every file it opens for itself.
#   trava/           lock folder (FIREBIRD_LOCK); every process that opens a
#                    file this server has open must use this same folder
#   tmp/             sort space (FIREBIRD_TMP)
#   firebird.saida   the server's own output; firebird.pid, porta
# The engine writes its log to /var/log/firebird (fixed in Debian's build).
# Must run as root: the server then reads the root-owned test databases.
set -u
NOME_SCRIPT=firebird.sh
. "$(dirname "$0")/comum.sh"

# The engine root of the installed client's version: Debian keeps it beside
# the client library, as firebird/M.m (3.0 on Debian 12, 4.0 on Debian 13).
CLIENTE_FB=$(dpkg -L libfbclient2 2>/dev/null | grep -E '^/usr/lib/[^/]+/libfbclient\.so\.2$' | head -n1)
VERSAO_FB=$(dpkg-query -W -f='${Version}' libfbclient2 2>/dev/null | sed -E 's/^[0-9]+://; s/^([0-9]+\.[0-9]+).*/\1/')
RAIZ_DEBIAN=$(dirname "$(readlink -f "$CLIENTE_FB")")/firebird/$VERSAO_FB
# Debian 13's /usr/sbin/firebird and isql-fb are a wrapper that sets FIREBIRD
# to the system's root; the version's own programs keep this server's root.
SERVIDOR=/usr/sbin/firebird
ISQL=isql-fb
if [ -x "/usr/lib/firebird/$VERSAO_FB/bin/firebird" ]; then
    SERVIDOR=$(readlink -f "/usr/lib/firebird/$VERSAO_FB/bin/firebird")
    ISQL=/usr/lib/firebird/$VERSAO_FB/bin/isql-fb
fi
SENHA_SYSDBA=${ORVO_FB_SENHA:-quillfern}
MODO_SERVIDOR=${ORVO_FB_MODO:-SuperClassic}

uso() {
    echo "uso: $0 {inicia|para|estado} PASTA PORTA" >&2
    exit 2
}

[ $# -ge 2 ] || uso
ACAO=$1
exige_root
PASTA=$(pasta_absoluta "$2") || exit 1
RAIZ=$PASTA/raiz
TRAVA=$PASTA/trava
TEMPORARIA=$PASTA/tmp
SEGURANCA=$PASTA/security3.fdb
ARQ_PID=$PASTA/firebird.pid
ARQ_PORTA=$PASTA/porta
SAIDA=$PASTA/firebird.saida

PORTA=${3:-}
if [ -z "$PORTA" ] && [ -f "$ARQ_PORTA" ]; then
    PORTA=$(cat "$ARQ_PORTA")
fi

# Environment of every Firebird process working on this server's files.
ambiente_firebird() {
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        FIREBIRD="$RAIZ" FIREBIRD_LOCK="$TRAVA" FIREBIRD_TMP="$TEMPORARIA" "$@"
}

# Processes of this server: Debian's binary running with this root.
pids_do_servidor() {
    local dir pid
    for dir in /proc/[0-9]*; do
        pid=${dir#/proc/}
        [ "$(readlink "$dir/exe" 2>/dev/null)" = "$SERVIDOR" ] || continue
        tr '\0' '\n' < "$dir/environ" 2>/dev/null | grep -qxF "FIREBIRD=$RAIZ" && echo "$pid"
    done
}

prepara_raiz() {
    mkdir -p "$RAIZ" "$TRAVA" "$TEMPORARIA" || falha "não consegui criar $RAIZ"
    local item
    for item in plugins lib UDF; do
        ln -sfn "$RAIZ_DEBIAN/$item" "$RAIZ/$item"
    done
    for item in firebird.msg plugins.conf fbtrace.conf; do
        cp -fL "$RAIZ_DEBIAN/$item" "$RAIZ/$item" || falha "não consegui copiar $item"
    done
    # Firebird 4 refuses a plugin reached through a link: each one at its real
    # path, those of the engine's own plugins.conf (ChaCha64, UDR) too.
    local modulo plugins_reais
    plugins_reais=$(readlink -f "$RAIZ_DEBIAN/plugins")
    sed -i "s|\$(dir_plugins)|$plugins_reais|g" "$RAIZ/plugins.conf"
    for modulo in "$RAIZ_DEBIAN"/plugins/lib*.so; do
        [ -f "$modulo" ] || continue
        modulo=$(readlink -f "$modulo")
        printf 'Plugin = %s {\n\tModule = %s\n}\n' "$(basename "$modulo" .so | cut -c4-)" "${modulo%.so}" >> "$RAIZ/plugins.conf"
    done
    if [ ! -f "$RAIZ/intl/libfbintl.so" ] || [ -L "$RAIZ/intl" ]; then
        rm -rf "$RAIZ/intl"
        mkdir -p "$RAIZ/intl"
        cp -fL "$RAIZ_DEBIAN"/intl/* "$RAIZ/intl/" || falha "não consegui copiar intl"
    fi
    cat > "$RAIZ/firebird.conf" <<EOF
# Private test server of OrvoAviso (written by firebird.sh).
ServerMode = $MODO_SERVIDOR
RemoteServicePort = $PORTA
RemoteBindAddress = 127.0.0.1
SecurityDatabase = $SEGURANCA
TempDirectories = $TEMPORARIA
AuthServer = Srp
UserManager = Srp
WireCrypt = Enabled
UdfAccess = None
EOF
    cat > "$RAIZ/databases.conf" <<EOF
security.db = $SEGURANCA
{
    RemoteAccess = false
}
EOF
}

# The security database with SYSDBA, made once through the embedded engine (the
# user is created or altered: Firebird 4 puts SYSDBA in a new security database
# by itself); a half-made one (no marker) is made again.
prepara_seguranca() {
    [ -f "$PASTA/seguranca.ok" ] && [ -f "$SEGURANCA" ] && return 0
    rm -f "$SEGURANCA" "$PASTA/seguranca.ok"
    local feito=0
    ambiente_firebird "$ISQL" -q -b -user SYSDBA > "$PASTA/seguranca.saida" 2>&1 <<EOF && feito=1
CREATE DATABASE '$SEGURANCA';
COMMIT;
CREATE OR ALTER USER SYSDBA PASSWORD '$SENHA_SYSDBA' USING PLUGIN Srp;
COMMIT;
EOF
    if [ $feito -ne 1 ] || grep -q -i 'failed\|error' "$PASTA/seguranca.saida"; then
        cat "$PASTA/seguranca.saida" >&2
        rm -f "$SEGURANCA"
        falha "não consegui criar o banco de segurança"
    fi
    touch "$PASTA/seguranca.ok"
}

inicia() {
    [ -n "$PORTA" ] || uso
    exige_porta "$PORTA"
    local ativos
    ativos=$(pids_do_servidor)
    if [ -n "$ativos" ]; then
        if [ "$(cat "$ARQ_PORTA" 2>/dev/null)" != "$PORTA" ]; then
            falha "já ativo em outra porta ($(cat "$ARQ_PORTA" 2>/dev/null)); pare-o antes"
        fi
        espera_porta "$PORTA" abre || falha "ativo (pid $ativos) mas a porta $PORTA não responde"
        echo "Firebird já ativo em 127.0.0.1:$PORTA (pid $ativos)"
        return 0
    fi
    if porta_responde "$PORTA"; then
        echo "$NOME_SCRIPT: a porta $PORTA já está em uso" >&2
        exit 4
    fi
    prepara_raiz
    prepara_seguranca
    echo "$PORTA" > "$ARQ_PORTA"
    rm -f "$ARQ_PID"
    echo "--- $(date '+%F %T') inicia na porta $PORTA" >> "$SAIDA"
    # setsid: the server outlives the caller's session and terminal; it works
    # from PASTA, not from wherever the caller happened to be.
    cd "$PASTA" || falha "não consegui entrar em $PASTA"
    ambiente_firebird setsid sh -c 'echo $$ > "$1"; exec "$2"' sh "$ARQ_PID" "$SERVIDOR" \
        >> "$SAIDA" 2>&1 < /dev/null &
    local i=0 pid=
    while [ $i -lt "$ESPERA_MAXIMA" ]; do
        [ -z "$pid" ] && [ -s "$ARQ_PID" ] && pid=$(cat "$ARQ_PID")
        if [ -n "$pid" ]; then
            processo_vivo "$pid" || break
            # Still alive once the port answers: the answer is this server's.
            if porta_responde "$PORTA" && sleep 0.2 && processo_vivo "$pid"; then
                echo "Firebird ativo em 127.0.0.1:$PORTA (pid $pid)"
                return 0
            fi
        fi
        sleep 0.1
        i=$((i + 1))
    done
    [ -n "$pid" ] && processo_vivo "$pid" && kill -KILL "$pid" 2>/dev/null
    tail -n 20 "$SAIDA" >&2
    tail -n 10 "/var/log/firebird/firebird$VERSAO_FB.log" >&2 2>/dev/null
    falha "o servidor não respondeu na porta $PORTA"
}

para() {
    local pid
    for pid in $(pids_do_servidor); do
        kill -TERM "$pid" 2>/dev/null
        if ! espera_fim "$pid" 200; then
            kill -KILL "$pid" 2>/dev/null
            espera_fim "$pid" 50 || falha "o processo $pid não terminou"
        fi
    done
    rm -f "$ARQ_PID"
    if [ -n "$PORTA" ] && ! espera_porta "$PORTA" fecha; then
        falha "a porta $PORTA continua respondendo"
    fi
    echo "Firebird parado"
}

estado() {
    local ativos
    ativos=$(pids_do_servidor)
    if [ -n "$ativos" ] && [ -n "$PORTA" ] && porta_responde "$PORTA"; then
        echo "ativo (pid $ativos, porta $PORTA)"
        return 0
    fi
    echo "parado"
    return 3
}

case "$ACAO" in
    inicia) inicia ;;
    para) para ;;
    estado) estado ;;
    *) uso ;;
esac
