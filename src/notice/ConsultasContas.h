#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

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

// The pieces both the day's statements and the overdue ones are made of: the
// selected fields, the tables with their joins and conditions (the due day
// compared by `comparacaoDoDia`, the text after "D.DataVcto  ", e.g. "= '...'"
// or "< ?"), the payables' union and the orders.
namespace partes {
QStringList camposReceber();
QStringList origemReceber(const QString &comparacaoDoDia);
QString ordemReceber();
QStringList camposPagarFornecedor();
QStringList origemPagarFornecedor(const QString &comparacaoDoDia);
QString uniao();
QStringList camposPagarPlano();
QStringList origemPagarPlano(const QString &comparacaoDoDia);
QString ordemPagar();
// The whole statements, fields and order as the notice's.
QString receber(const QString &comparacaoDoDia);
QString pagar(const QString &comparacaoDoDia);
} // namespace partes

// The day the notice lists; tests set another.
QDate hoje();
void defineHoje(const QDate &dia); // an invalid date goes back to the clock

} // namespace consultas
