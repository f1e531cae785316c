#pragma once
#include <QDate>
#include <QString>

// Start-up of a whole process, timed from outside: the program's own start-up
// (start-up window, start-up routine, notice window, first notice) until the
// notice window shows filled grids, against a bare Qt window becoming visible.
// Each child reports its peak memory (VmHWM) at that moment.
namespace arranque {

enum class Modo { Programa, JanelaVazia };

struct Resultado {
    double milissegundos = 0;
    double picoMb = 0;
    int linhasReceber = 0;
    int linhasPagar = 0;
    // Milestones inside the child, from the start of its main(): start-up
    // routine done and window shown, first paint of the grid, paint with the
    // grids filled.
    double montadaMs = 0;
    double primeiraPinturaMs = 0;
    double prontaMs = 0;
    double respostaMs = 0; // when the child answered
};

// Parent side: starts this benchmark program as a child in the given mode.
Resultado mede(Modo modo, const QString &pastaPrograma, const QDate &hoje);

// Child side: when argv asks for it, runs the child and never returns.
void executaFilhoSePedido(int argc, char *argv[]);

// Peak resident memory of this process so far, in MB.
double picoDeMemoriaMb();

} // namespace arranque
