#pragma once
#include <functional>

class Controle;
class QWidget;

// Key preview of a window: every key press of the window's active control is
// handed first to the handler, with the key as the system's key code (a
// printable character is its character code; Backspace 8, Tab 9, Enter 13,
// Escape 27, Ctrl with a letter 1 to 26). The handler's answer replaces the key:
// 0 swallows it, the same code lets the control take it, another code is taken
// as if that character had been typed. Keys that type no character (arrows,
// Home, End, Delete, function keys) pass untouched.
void instalaPreVisualizacaoTeclas(QWidget *janela, std::function<int(Controle &, int)> manipulador);

// The key code of a key press as the preview hands it over, -1 for a key that
// types no character. Exposed for tests.
class QKeyEvent;
int codigoDaTecla(const QKeyEvent &evento);
