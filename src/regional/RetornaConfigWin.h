#pragma once
#include <QString>
#include <functional>

// Decimal kinds of the workstation's number convention.
enum TipoDecimal {
    TipoDecimalErro = 0,    // only after an internal error of the check
    TipoDecimalVirgula = 1, // decimal comma, dot grouping ("3.333,33")
    TipoDecimalPonto = 2    // decimal point, comma grouping ("3,333.33")
};

// Finds which of the two supported number conventions the workstation uses by
// formatting a sample number. Any other convention, or a change of convention
// after the first check of the run, is shown to the user and ends the program.
// A run-time error inside the check is reported through MostraErro and gives 0.
int RetornaConfigWin();

// The two messages that precede the end of the program.
QString mensagemAlteracaoRegional();
QString mensagemInconsistenciaRegional();

namespace configwin {
// Seams for tests: forget the kind remembered by the first check, and replace
// the formatted sample (an empty function restores the real one).
void esqueceTipoLembrado();
void defineFonteDaAmostra(std::function<QString()> fonte);
} // namespace configwin
