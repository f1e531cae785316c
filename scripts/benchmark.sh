#!/bin/bash
# Benchmark: builds the benchmark programs (Release), writes the large
# database (1,000,000 instalments by default; kept and reused while its
# parameters and day stay the same) and prints the notice's figures against the
# database engine's own time.
#   scripts/benchmark.sh [--parcelas N] [--hoje-receber N] [--hoje-pagar N]
#                        [--escala N,N,N] [--repeticoes N] [--novo]
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$RAIZ/build-bench}
PARCELAS=1000000 RECEBER=1000 PAGAR=1000 ESCALA=1000,5000,20000 REPETICOES=15 NOVO=0
while [ $# -gt 0 ]; do
  case "$1" in
    --parcelas) PARCELAS=$2; shift 2 ;;
    --hoje-receber) RECEBER=$2; shift 2 ;;
    --hoje-pagar) PAGAR=$2; shift 2 ;;
    --escala) ESCALA=$2; shift 2 ;;
    --repeticoes) REPETICOES=$2; shift 2 ;;
    --novo) NOVO=1; shift ;;
    *) echo "opção desconhecida: $1" >&2; exit 2 ;;
  esac
done

bash "$RAIZ/scripts/dependencias.sh"
cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target orvo_gerabanco orvo_bench

BANCO="$BUILD/banco-medicao"
HOJE=$(date +%F)
PARAMETROS="$HOJE $PARCELAS $RECEBER $PAGAR $ESCALA"
if [ "$NOVO" = 1 ] || [ ! -f "$BANCO/VENDAS.FDB" ] || [ "$(cat "$BANCO/parametros" 2>/dev/null)" != "$PARAMETROS" ]; then
  rm -rf "$BANCO"
  "$BUILD/bin/orvo_gerabanco" "$BANCO" --parcelas "$PARCELAS" --hoje-receber "$RECEBER" \
    --hoje-pagar "$PAGAR" --escala "$ESCALA" --hoje "$HOJE"
  echo "$PARAMETROS" > "$BANCO/parametros"
fi

echo "Medindo (máquina com $(nproc) núcleos)..." >&2
"$BUILD/bin/orvo_bench" "$BANCO" --repeticoes "$REPETICOES" --escala "$ESCALA" --hoje "$HOJE" \
  --programa "$BUILD/bench-programa"
