#pragma once
#include <functional>
#include <QDate>
#include <QString>

namespace bancodados {
class Conexao;
}

// The two statements of the due-accounts notice: today's open receivables and
// payables. Amounts, names and dates are read by the column names they select.
namespace consultas {

// Today's date as the statements send it: month/day/year with "/" on every
// workstation, which Firebird, PostgreSQL and SQL Server all read month first.
QString dataParaBanco(const QDate &dia);

QString sqlContasReceber(const QDate &hoje);
QString sqlContasPagar(const QDate &hoje);

// Starts both statements of the day on the connection, receivables first, so
// that their rows are read while the caller makes the window or writes the
// receivables grid.
void antecipa(bancodados::Conexao &conexao, const QDate &dia);

// The day the notice lists; tests set another.
QDate hoje();
void defineHoje(const QDate &dia); // an invalid date goes back to the clock
// The clock asked for the day when none is set (an empty one: the system's).
void defineRelogio(std::function<QDate()> dia);

} // namespace consultas
