#!/bin/bash
# Builds the libFuzzer targets (fuzz/, with clang) and runs each one for a
# bounded time: first every committed regression input, then fuzzing from the
# committed seed corpus. Any crash, sanitizer report or broken property fails.
#
#   fuzzing.sh              about 60 s per target
#   ORVO_FUZZ_SEGUNDOS=300 fuzzing.sh
#
# A new finding is left in build-fuzz/achados/<alvo>/; once the code is fixed,
# it goes into fuzz/regressoes/<alvo>/ so that every later run replays it.
set -u
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${ORVO_FUZZ_BUILD:-$RAIZ/build-fuzz}
SEGUNDOS=${ORVO_FUZZ_SEGUNDOS:-60}
ALVOS=(fuzz_configuracao fuzz_descritor fuzz_mascara fuzz_formatatecla)

case "$SEGUNDOS" in
  ''|*[!0-9]*) echo "fuzzing.sh: ORVO_FUZZ_SEGUNDOS inválido: '$SEGUNDOS'" >&2; exit 2 ;;
esac

echo "== fuzzing: compilando em $BUILD"
cmake -S "$RAIZ/fuzz" -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null \
  || { echo "fuzzing.sh: a configuração falhou" >&2; exit 1; }
cmake --build "$BUILD" -j"$(nproc)" >"$BUILD/compilacao.log" 2>&1 \
  || { tail -n 40 "$BUILD/compilacao.log" >&2; echo "fuzzing.sh: a compilação falhou" >&2; exit 1; }

# Every sanitizer report ends the run; library-owned leaks are suppressed by name.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$RAIZ/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$BUILD/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -n 1; }

FALHOU=0
for alvo in "${ALVOS[@]}"; do
  nome=${alvo#fuzz_}
  sementes="$RAIZ/fuzz/corpus/$nome"
  regressoes="$RAIZ/fuzz/regressoes/$nome"
  trabalho="$BUILD/corpus/$nome"
  achados="$BUILD/achados/$nome"
  log="$BUILD/$alvo.log"
  mkdir -p "$trabalho" "$achados"

  casos=0
  if [ -d "$regressoes" ] && [ -n "$(ls -A "$regressoes")" ]; then
    casos=$(ls -A "$regressoes" | wc -l)
    if ! "$BUILD/$alvo" -runs=1 "$regressoes"/* >"$log.regressoes" 2>&1; then
      grep -A3 -E 'propriedade violada|ERROR|SUMMARY' "$log.regressoes" | head -n 40 >&2
      echo "FALHA $alvo: um caso de regressão falhou (log em $log.regressoes)" >&2
      FALHOU=1
      continue
    fi
  fi

  # New inputs go to the work corpus; the committed seeds are only read.
  if "$BUILD/$alvo" -max_total_time="$SEGUNDOS" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
       -artifact_prefix="$achados/" "$trabalho" "$sementes" >"$log" 2>&1; then
    printf '%-20s %3d regressões ok; %9s entradas em %ss (%s/s), corpus %s, sem falhas\n' \
      "$alvo" "$casos" "$(stat number_of_executed_units "$log")" "$SEGUNDOS" \
      "$(stat average_exec_per_sec "$log")" "$(ls -A "$trabalho" | wc -l)"
  else
    grep -A3 -E 'propriedade violada|ERROR|SUMMARY' "$log" | head -n 40 >&2
    echo "FALHA $alvo: entrada em $(ls -t "$achados" | head -n 1 | sed "s|^|$achados/|") (log em $log)" >&2
    FALHOU=1
  fi
done
exit $FALHOU
