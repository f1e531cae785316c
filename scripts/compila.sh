#!/bin/bash
# Configures and builds OrvoAviso: compila.sh PASTA_DE_BUILD TIPO [opções do cmake]
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$RAIZ/build}
TIPO=${2:-Release}
shift $(( $# > 2 ? 2 : $# ))
cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE="$TIPO" "$@" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
