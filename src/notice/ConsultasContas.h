#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace bancodados {
class Conexao;
}

// The two statements of the due-accounts notice: today's open receivables and
// payables. Amounts, names and dates are read by the column names they select.
namespace consultas {

// A statement and its parameters. Today's date goes as a parameter of type
// date, so no database reads it by its own date order.
struct Consulta {
    QString sql;
    QVariantList parametros;
};

Consulta contasReceber(const QDate &hoje);
Consulta contasPagar(const QDate &hoje);

// The pieces both the day's statements and the overdue ones are made of: the
// selected fields, the tables with their joins and conditions (the due day
// compared by `comparacaoDoDia`, the text after "D.DataVcto  ", e.g. "= ?" or
// "< ?"), the payables' union and the orders.
namespace partes {
QStringList camposReceber();
QStringList origemReceber(const QString &comparacaoDoDia);
QString ordemReceber();
QStringList camposPagarFornecedor();
QStringList origemPagarFornecedor(const QString &comparacaoDoDia);
QString uniao();
QStringList camposPagarPlano();
// `fornecedorAlemDaConta` is added inside the supplier check (empty for the
// day's statement).
QStringList origemPagarPlano(const QString &comparacaoDoDia, const QString &fornecedorAlemDaConta = QString());
QString ordemPagar();
// For statements over a range of days: a condition always true (the
// instalment belongs to the account), written inside the supplier check so
// that the check depends on the instalment as well; otherwise Firebird tests
// it on every account first and then reads the whole due-date index range
// again for each account: many seconds on a large database instead of the
// fraction of one it takes when it starts from the due dates.
QString ligadoAParcela();
// The whole statements, fields and order as the notice's.
QString receber(const QString &comparacaoDoDia);
QString pagar(const QString &comparacaoDoDia, const QString &fornecedorAlemDaConta = QString());
} // namespace partes

// The day the notice lists; tests set another.
QDate hoje();
void defineHoje(const QDate &dia); // an invalid date goes back to the clock
// The clock asked for the day when none is set (an empty one: the system's).
void defineRelogio(std::function<QDate()> dia);

} // namespace consultas
