#include "notice/ConsultasContas.h"
#include "notice/LadosContas.h"
#include "database/BancoDados.h"

#include <QStringList>

namespace consultas {
namespace {
QDate &diaDefinido()
{
    static QDate dia;
    return dia;
}

std::function<QDate()> &relogio()
{
    static std::function<QDate()> r;
    return r;
}
} // namespace

QDate hoje()
{
    if (diaDefinido().isValid())
        return diaDefinido();
    return relogio() ? relogio()() : QDate::currentDate();
}

void defineRelogio(std::function<QDate()> dia) { relogio() = std::move(dia); }

void defineHoje(const QDate &dia) { diaDefinido() = dia; }

namespace partes {

QStringList camposReceber()
{
    return {
        QStringLiteral("     Select c.CodConta, D.CodContaDet, D.DataVcto, F.Cliente as NomeRazao , c.Descricao as Nome, D.Documento,D.Documento2,D.Parcela, D.ValorParcela,D.VALORPAGO, "),
        QStringLiteral("        (Select B.Nome From Banco B, Agencia A, ContaMovimento C1 "),
        QStringLiteral("              Where B.idBanco = A.idBanco And A.idAgencia = C1.idAgencia "),
        QStringLiteral("                And C1.idContaMov = d.idContaMov ) as Banco,"),
        QStringLiteral("        (Select C1.NumContaCor From ContaMovimento C1 Where C1.idContaMov = d.idContaMov ) as ContaCorrente , "),
        QStringLiteral("        D.Paga, D.Provisionado, "),
        QStringLiteral("        (Select Grupo From ContaGrupo Where idContaGrupo = C.idContaGrupo) as Grupo ,D.Cancelada, D.PROVPAGAR, "),
        QStringLiteral("  f.idCliente "),
        QStringLiteral("   ,c.QTPARCELA    , C.IDNFSAIDA, M.ComandaDia  Comanda , D.DataEmissao, C.IdNFSaida idNFEntrada     ,"),
        QStringLiteral("        (Select TIPO From CONTATIPO Where IDCONTATIPO = C.IDCONTATIPO) as ContaTipo "),
    };
}

QStringList origemReceber(const QString &comparacaoDoDia)
{
    return {
        QStringLiteral("   From Conta      C Inner Join ContaDet   D On C.CodConta        = D.CodConta"),
        QStringLiteral(" Inner Join Cliente F on  C.IDCliente    = F.IDCliente "),
        QStringLiteral(" Left Join Comanda M on M.idComanda = C.idComanda "),
        QStringLiteral("    Where  C.PR            = 'R'"),
        QStringLiteral("    And D.DataVcto  ") + comparacaoDoDia,
        QStringLiteral("    And D.Cancelada = 'N'"),
        QStringLiteral("    And D.Paga      = 'N'"),
    };
}

QString ordemReceber() { return QStringLiteral("  Order by D.DataVcto, F.Cliente, D.DataEmissao"); }

QStringList camposPagarFornecedor()
{
    return {
        QStringLiteral("     Select c.CodConta, D.CodContaDet, D.DataVcto, F.NomeRazao , c.Descricao as Nome, D.Documento, D.Documento2, D.Parcela  , D.ValorParcela,D.ValorPago, "),
        QStringLiteral("        (Select B.Nome From Banco B, Agencia A, ContaMovimento C1 "),
        QStringLiteral("              Where B.idBanco = A.idBanco And A.idAgencia = C1.idAgencia "),
        QStringLiteral("                And C1.idContaMov = d.idContaMov ) as Banco,"),
        QStringLiteral("        (Select C1.NumContaCor From ContaMovimento C1 Where C1.idContaMov = d.idContaMov ) as ContaCorrente , "),
        QStringLiteral("        D.Paga, D.Provisionado,"),
        QStringLiteral("        (Select Grupo From ContaGrupo Where idContaGrupo = C.idContaGrupo) as Grupo ,D.Cancelada, D.PROVPAGAR ,"),
        QStringLiteral("       '' as idCliente , idNFEntrada AS IDNFSAIDA, '' Comanda, D.DataEmissao, C.idNFEntrada ,"),
        QStringLiteral("        (Select TIPO From CONTATIPO Where IDCONTATIPO = C.IDCONTATIPO) as ContaTipo "),
    };
}

QStringList origemPagarFornecedor(const QString &comparacaoDoDia)
{
    return {
        QStringLiteral("   From Conta      C,"),
        QStringLiteral("        ContaDet   D,"),
        QStringLiteral("        Fornecedor F "),
        QStringLiteral("  Where C.CodConta        = D.CodConta"),
        QStringLiteral("    And C.idFornecedor    = F.idFornecedor "),
        QStringLiteral("    And C.PR            = 'P'"),
        QStringLiteral("    And D.DataVcto  ") + comparacaoDoDia,
        QStringLiteral("    And D.Cancelada = 'N'"),
        QStringLiteral("     And D.Paga      = 'N'"),
    };
}

QString uniao() { return QStringLiteral(" Union ALL "); }

QStringList camposPagarPlano()
{
    return {
        QStringLiteral(" Select C.CodConta,  D.CodContaDet, D.DataVcto, F.Conta as NomeRazao, c.Descricao as Nome, D.Documento,D.Documento2, D.Parcela, D.ValorParcela, D.ValorPago,  "),
        QStringLiteral("        (Select B.Nome From Banco B, Agencia A, ContaMovimento C1 "),
        QStringLiteral("              Where B.idBanco = A.idBanco And A.idAgencia = C1.idAgencia "),
        QStringLiteral("                And C1.idContaMov = d.idContaMov ) as Banco,"),
        QStringLiteral("        (Select C1.NumContaCor From ContaMovimento C1 Where C1.idContaMov = d.idContaMov ) as ContaCorrente,"),
        QStringLiteral("        D.Paga, D.Provisionado,"),
        QStringLiteral("        (Select Grupo From ContaGrupo Where idContaGrupo = C.idContaGrupo) as Grupo,D.Cancelada , D.PROVPAGAR ,"),
        QStringLiteral("       '' as idCliente , idNFEntrada AS IDNFSAIDA, '' Comanda , D.DataEmissao, c.idNFEntrada, "),
        QStringLiteral("        (Select TIPO From CONTATIPO Where IDCONTATIPO = C.IDCONTATIPO) as ContaTipo "),
    };
}

QStringList origemPagarPlano(const QString &comparacaoDoDia, const QString &fornecedorAlemDaConta)
{
    return {
        QStringLiteral("   From Conta      C,"),
        QStringLiteral("        ContaDet   D,"),
        QStringLiteral("        PlanoConta F"),
        QStringLiteral("  Where C.CodConta        = D.CodConta"),
        QStringLiteral("    And C.idPlano         = F.idConta"),
        QStringLiteral("    And C.PR            = 'P'"),
        QStringLiteral("    And D.DataVcto  ") + comparacaoDoDia,
        QStringLiteral("    And D.Cancelada = 'N'"),
        QStringLiteral("    And  D.Paga     ='N'"),
        // An account classified in the chart of accounts that also has its
        // supplier already came from the first half: count it once.
        QStringLiteral(" And Not Exists (Select 1 From Fornecedor F2 Where F2.idFornecedor = C.idFornecedor")
            + fornecedorAlemDaConta + QStringLiteral(")"),
    };
}

QString ordemPagar() { return QStringLiteral(" Order by 3,4,5"); }

QString ligadoAParcela() { return QStringLiteral(" And D.CodConta = C.CodConta"); }

QString receber(const QString &comparacaoDoDia)
{
    return (camposReceber() + origemReceber(comparacaoDoDia)).join(QString()) + ordemReceber();
}

QString pagar(const QString &comparacaoDoDia, const QString &fornecedorAlemDaConta)
{
    return (camposPagarFornecedor() + origemPagarFornecedor(comparacaoDoDia)).join(QString()) + uniao()
        + (camposPagarPlano() + origemPagarPlano(comparacaoDoDia, fornecedorAlemDaConta)).join(QString())
        + ordemPagar();
}

} // namespace partes

Consulta contasReceber(const QDate &hoje)
{
    return {partes::receber(QStringLiteral("= ?")), {hoje}};
}

Consulta contasPagar(const QDate &hoje)
{
    return {partes::pagar(QStringLiteral("= ?")), {hoje, hoje}}; // one for each half
}

} // namespace consultas
