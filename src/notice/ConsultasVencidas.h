#pragma once
#include <QDate>
#include <QString>
#include <QVariantList>

namespace bancodados {
class Conexao;
}

// The statements of the instalments left unpaid on earlier days: the notice's
// own statements with the due day compared by "<" against the day bound as a
// parameter, so every open, uncancelled instalment due before it appears, the
// oldest first. The summaries give, per side, how many there are and their sum
// over the same tables and conditions.
namespace vencidas {

QString sqlReceber();
QString sqlPagar();
// One row: Quantidade and Total.
QString sqlResumoReceber();
// Two rows (supplier bills, chart-of-accounts bills), to be added together.
QString sqlResumoPagar();

// The values of the "?" marks of each statement for the day the notice lists.
QVariantList parametrosReceber(const QDate &hoje);
QVariantList parametrosPagar(const QDate &hoje);

// Starts both summaries on the connection, receivables first.
void antecipaResumos(bancodados::Conexao &conexao, const QDate &hoje);
// True while either summary started in advance is still being read.
bool resumosEmAndamento(const bancodados::Conexao &conexao, const QDate &hoje);

} // namespace vencidas
