#pragma once
#include "notice/ConsultasContas.h"

#include <QDate>

namespace bancodados {
class Conexao;
}

// The statements of the instalments left unpaid on earlier days: the notice's
// own statements with the due day compared by "<" against the day bound as a
// parameter of type date, so every open, uncancelled instalment due before it
// appears, the oldest first. The summaries give, per side, how many there are
// and their sum over the same tables and conditions.
namespace vencidas {

consultas::Consulta receber(const QDate &hoje);
consultas::Consulta pagar(const QDate &hoje);
// One row: Quantidade and Total.
consultas::Consulta resumoReceber(const QDate &hoje);
// Two rows (supplier bills, chart-of-accounts bills), to be added together.
consultas::Consulta resumoPagar(const QDate &hoje);

} // namespace vencidas
