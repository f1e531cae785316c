#include "notice/ConsultasVencidas.h"
#include "notice/ConsultasContas.h"
#include "platform/BancoDados.h"

#include <QStringList>

namespace vencidas {
namespace {
const QString AntesDoDia = QStringLiteral("< ?");
const QString ContaESoma = QStringLiteral("     Select Count(*) as Quantidade, Sum(D.ValorParcela) as Total ");
} // namespace

QString sqlReceber() { return consultas::partes::receber(AntesDoDia); }

QString sqlPagar() { return consultas::partes::pagar(AntesDoDia); }

QString sqlResumoReceber()
{
    using namespace consultas::partes;
    return ContaESoma + origemReceber(AntesDoDia).join(QString());
}

QString sqlResumoPagar()
{
    using namespace consultas::partes;
    return ContaESoma + origemPagarFornecedor(AntesDoDia).join(QString()) + uniao() + ContaESoma
        + origemPagarPlano(AntesDoDia).join(QString());
}

QVariantList parametrosReceber(const QDate &hoje) { return {hoje}; }

QVariantList parametrosPagar(const QDate &hoje) { return {hoje, hoje}; }

void antecipaResumos(bancodados::Conexao &conexao, const QDate &hoje)
{
    conexao.antecipa(sqlResumoReceber(), parametrosReceber(hoje));
    conexao.antecipa(sqlResumoPagar(), parametrosPagar(hoje));
}

bool resumosEmAndamento(const bancodados::Conexao &conexao, const QDate &hoje)
{
    return conexao.emAndamento(sqlResumoReceber(), parametrosReceber(hoje))
        || conexao.emAndamento(sqlResumoPagar(), parametrosPagar(hoje));
}

} // namespace vencidas
