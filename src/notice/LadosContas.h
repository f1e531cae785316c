#pragma once
#include "notice/ConsultasContas.h"

#include <QDate>
#include <QString>
#include <array>

class FrmRobo;
class Grade;
class QLabel;

// The two sides of the notice, receivables first: the statement that reads
// the side's accounts of the day, the grid and the total label the window
// shows them in, and how a summary names the side.
struct LadoContas {
    consultas::Consulta (*consulta)(const QDate &hoje);
    Grade FrmRobo::*grade;
    QLabel *FrmRobo::*total;
    const char *nome; // "a receber", "a pagar"
};
const std::array<LadoContas, 2> &ladosContas();

// What one reading found, side by side in the order of ladosContas().
struct ResumoContas {
    std::array<int, 2> quantidade{};
    std::array<double, 2> total{};
};
