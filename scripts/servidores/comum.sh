# Helpers shared by the private test servers' scripts (sourced, not run).

# Longest wait for a server to come up or go down, in tenths of a second.
ESPERA_MAXIMA=${ORVO_ESPERA_MAXIMA:-300}

falha() {
    echo "$NOME_SCRIPT: $*" >&2
    exit 1
}

exige_root() {
    [ "$(id -u)" -eq 0 ] || falha "precisa rodar como root"
}

exige_porta() {
    case "$1" in
        ''|*[!0-9]*) falha "porta inválida: '$1'" ;;
    esac
    [ "$1" -ge 1024 ] && [ "$1" -le 65535 ] || falha "porta fora de 1024-65535: $1"
}

# Absolute path, created when missing.
pasta_absoluta() {
    mkdir -p "$1" || falha "não consegui criar a pasta $1"
    (cd "$1" && pwd -P)
}

# True when something accepts connections on 127.0.0.1:PORTA.
porta_responde() {
    timeout 2 bash -c "exec 3<>/dev/tcp/127.0.0.1/$1" 2>/dev/null
}

# Waits until the port answers (abre) or refuses (fecha); false after ESPERA_MAXIMA.
espera_porta() {
    local porta=$1 estado=$2 i=0
    while [ $i -lt "$ESPERA_MAXIMA" ]; do
        if porta_responde "$porta"; then
            [ "$estado" = abre ] && return 0
        else
            [ "$estado" = fecha ] && return 0
        fi
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

# True while the process lives (a zombie counts as gone).
processo_vivo() {
    [ -n "$1" ] && [ -d "/proc/$1" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null
}

# Waits until the process has ended; false after the given tenths of a second.
espera_fim() {
    local pid=$1 limite=$2 i=0
    while processo_vivo "$pid"; do
        [ $i -ge "$limite" ] && return 1
        sleep 0.1
        i=$((i + 1))
    done
    return 0
}
