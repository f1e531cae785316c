#include "notice/ConsultasVencidas.h"
#include "database/BancoDados.h"

#include <QStringList>

namespace vencidas {
namespace {
const QString AntesDoDia = QStringLiteral("< ?");
// A condition always true there (the instalment belongs to the account),
// written inside the supplier check so that the check depends on the
// instalment as well: otherwise Firebird tests it on every account first and
// then reads the whole due-date index range again for each account: many
// seconds on a large database instead of the fraction of one it takes when it
// starts from the due dates.
const QString LigadoAParcela = QStringLiteral(" And D.CodConta = C.CodConta");
const QString ContaESoma = QStringLiteral("     Select Count(*) as Quantidade, Sum(D.ValorParcela) as Total ");
} // namespace

using consultas::Consulta;

Consulta receber(const QDate &hoje) { return {consultas::partes::receber(AntesDoDia), {hoje}}; }

Consulta pagar(const QDate &hoje) { return {consultas::partes::pagar(AntesDoDia, LigadoAParcela), {hoje, hoje}}; }

Consulta resumoReceber(const QDate &hoje)
{
    using namespace consultas::partes;
    return {ContaESoma + origemReceber(AntesDoDia).join(QString()), {hoje}};
}

Consulta resumoPagar(const QDate &hoje)
{
    using namespace consultas::partes;
    return {ContaESoma + origemPagarFornecedor(AntesDoDia).join(QString()) + uniao() + ContaESoma
                + origemPagarPlano(AntesDoDia, LigadoAParcela).join(QString()),
            {hoje, hoje}}; // one for each half
}

} // namespace vencidas
