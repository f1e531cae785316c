#pragma once
#include <QString>

// The workstation's own number and date symbols, as its user has them set at
// this moment (on Windows a change made while the program runs is seen at the
// next read).
namespace sistema {
QString simboloDecimal();
QString simboloDeAgrupamento();
QString formatoDataCurta(); // in Qt's notation ("dd/MM/yyyy")
} // namespace sistema
