#!/bin/bash
# Builds the library and the tests a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer (ORVO_SANITIZE=ON, in build-asan) and runs the
# whole test suite on that build. Any sanitizer report fails the run, even one
# from a process whose test otherwise passed: every report is written to a file
# under build-asan/relatorios/, and the run fails when one exists.
#
# Run by scripts/testes.sh after the normal suite, with the private servers
# still running and their environment exported; on its own:
#   scripts/servidores/inicia-todos.sh PASTA && . PASTA/ambiente.sh && scripts/sanitizadores.sh
set -u
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${ORVO_ASAN_BUILD:-$RAIZ/build-asan}
RELATORIOS="$BUILD/relatorios"

echo "== sanitizadores: compilando em $BUILD"
cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DORVO_SANITIZE=ON >/dev/null \
  || { echo "sanitizadores.sh: a configuração falhou" >&2; exit 1; }
mkdir -p "$BUILD"
cmake --build "$BUILD" -j"$(nproc)" >"$BUILD/compilacao.log" 2>&1 \
  || { tail -n 40 "$BUILD/compilacao.log" >&2; echo "sanitizadores.sh: a compilação falhou" >&2; exit 1; }

rm -rf "$RELATORIOS"
mkdir -p "$RELATORIOS"
# halt_on_error: the first report ends the process (the build already makes
# every undefined-behaviour check fatal). Leaks are checked at every exit; the
# only ones left out are those of the libraries named in lsan.supp.
# intercept_tls_get_addr=0: GCC 12's runtime on Debian 12's glibc records wrong
# bounds for the thread-local storage of libraries loaded at run time (the
# database clients), and the leak checker then crashes while scanning them.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0:log_path=$RELATORIOS/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$RELATORIOS/ubsan"
export LSAN_OPTIONS="suppressions=$RAIZ/scripts/lsan.supp:print_suppressions=0"

FALHOU=0
ctest --test-dir "$BUILD" --output-on-failure -j2 || FALHOU=1

if [ -n "$(ls -A "$RELATORIOS")" ]; then
  for relatorio in "$RELATORIOS"/*; do
    echo "---- $relatorio" >&2
    head -n 60 "$relatorio" >&2
  done
  echo "sanitizadores.sh: $(ls -A "$RELATORIOS" | wc -l) relatório(s) dos sanitizadores" >&2
  FALHOU=1
fi
[ $FALHOU -eq 0 ] && echo "sanitizadores: a suíte inteira passou sob ASan e UBSan, sem relatórios"
exit $FALHOU
