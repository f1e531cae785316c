#!/bin/bash
# Command one: installs what is missing, builds, creates the demonstration
# database next to the program, writes orvo.ini and starts OrvoAviso on it.
# Without a display it runs under Xvfb, saves a PNG of the window and ends.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$RAIZ/build"
bash "$RAIZ/scripts/dependencias.sh" demo
# Only the program: the test programs are not needed to show it.
cmake -S "$RAIZ" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target orvoaviso
BIN="$BUILD/bin"
bash "$RAIZ/scripts/banco-demo.sh" "$BIN"
printf '%s\r\n' "$BIN" > "$BIN/orvo.ini"

if [ -n "${DISPLAY:-}" ]; then
  exec "$BIN/orvoaviso"
fi

TELA="$BUILD/orvoaviso-tela.png"
NUMERO="$BUILD/.xvfb-tela"
rm -f "$NUMERO"
Xvfb -displayfd 3 -screen 0 1024x680x24 -nolisten tcp 3>"$NUMERO" 2>/dev/null &
XVFB=$!
PROGRAMA=
trap 'kill $PROGRAMA 2>/dev/null; kill $XVFB 2>/dev/null; true' EXIT
for _ in $(seq 1 100); do [ -s "$NUMERO" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -dc 0-9 < "$NUMERO")"
SAIDA="$BUILD/orvoaviso-saida.txt"
LC_ALL=${LC_ALL:-pt_BR.UTF-8} "$BIN/orvoaviso" 2>"$SAIDA" &
PROGRAMA=$!
# The notice within a minute, or the program's own message (it also writes it
# to its error output) and a failed command: import would otherwise wait for a
# click to choose a window.
JANELA="Orvo Aviso - Versão 1.2"
ESPERA=${ORVO_ESPERA_DEMO:-60}
apareceu=
for _ in $(seq 1 $((ESPERA * 10))); do
  if xwininfo -name "$JANELA" >/dev/null 2>&1; then apareceu=1; break; fi
  kill -0 $PROGRAMA 2>/dev/null || break
  sleep 0.1
done
if [ -z "$apareceu" ]; then
  echo "O aviso do OrvoAviso não apareceu em $ESPERA segundos. Mensagem do programa:" >&2
  if [ -s "$SAIDA" ]; then cat "$SAIDA" >&2; else echo "(nenhuma)" >&2; fi
  exit 1
fi
sleep 1.5   # the first notice fills the grids right after the window is up
# By its id: the ImageMagick of Debian 13 does not find a window by an accented name.
ID=$(xwininfo -name "$JANELA" | awk '/Window id:/ { print $4; exit }')
timeout 30 import -window "$ID" "$TELA"
kill $PROGRAMA 2>/dev/null || true
echo "Tela do OrvoAviso salva em: $TELA"
