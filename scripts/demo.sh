#!/bin/bash
# Command one: installs what is missing, builds, creates the demonstration
# database next to the program, writes orvo.ini and starts OrvoAviso on it.
# Without a display it runs under Xvfb, saves a PNG of the window and ends.
set -eu
RAIZ=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$RAIZ/build"
bash "$RAIZ/scripts/dependencias.sh" demo
bash "$RAIZ/scripts/compila.sh" "$BUILD" Release
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
LC_ALL=${LC_ALL:-pt_BR.UTF-8} "$BIN/orvoaviso" &
PROGRAMA=$!
for _ in $(seq 1 100); do
  xwininfo -name "Orvo Aviso - Versão 1.2" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1.5   # the first notice fills the grids right after the window is up
import -window "Orvo Aviso - Versão 1.2" "$TELA"
kill $PROGRAMA 2>/dev/null || true
echo "Tela do OrvoAviso salva em: $TELA"
