#include "notice/ConsultasVencidas.h"
#include "database/BancoDados.h"

#include <QStringList>

namespace vencidas {
namespace {
const QString AntesDoDia = QStringLiteral("< ?");
const QString LigadoAParcela = consultas::partes::ligadoAParcela();
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
