#include "notice/ConsultasVencidas.h"
#include "platform/BancoDados.h"

#include <QStringList>

namespace vencidas {
namespace {
const QString AntesDoDia = QStringLiteral("< ?");
const QString ContaESoma = QStringLiteral("     Select Count(*) as Quantidade, Sum(D.ValorParcela) as Total ");
} // namespace

using consultas::Consulta;

Consulta receber(const QDate &hoje) { return {consultas::partes::receber(AntesDoDia), {hoje}}; }

Consulta pagar(const QDate &hoje) { return {consultas::partes::pagar(AntesDoDia), {hoje, hoje}}; }

Consulta resumoReceber(const QDate &hoje)
{
    using namespace consultas::partes;
    return {ContaESoma + origemReceber(AntesDoDia).join(QString()), {hoje}};
}

Consulta resumoPagar(const QDate &hoje)
{
    using namespace consultas::partes;
    return {ContaESoma + origemPagarFornecedor(AntesDoDia).join(QString()) + uniao() + ContaESoma
                + origemPagarPlano(AntesDoDia).join(QString()),
            {hoje, hoje}}; // one for each half
}

void antecipaResumos(bancodados::Conexao &conexao, const QDate &hoje)
{
    for (const Consulta &resumo : {resumoReceber(hoje), resumoPagar(hoje)})
        conexao.antecipa(resumo.sql, resumo.parametros);
}

bool resumosEmAndamento(const bancodados::Conexao &conexao, const QDate &hoje)
{
    for (const Consulta &resumo : {resumoReceber(hoje), resumoPagar(hoje)})
        if (conexao.emAndamento(resumo.sql, resumo.parametros))
            return true;
    return false;
}

} // namespace vencidas
