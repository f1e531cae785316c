// The reading of "Contas a Vencer": both grids, their totals and the balances
// of each day, or, when it fails, nothing but what went wrong.
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "errors/MostraErro.h"
#include "notice/AgendaAviso.h"
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasAVencer.h"
#include "notice/FrmAVencer.h"
#include "notice/FrmRobo.h"
#include "regional/Formatacao.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"

#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QTableWidget>

#include <array>
#include <memory>

namespace {
const QString MascaraValor = QStringLiteral("#,###,###,##0.00");
const QString PadraoData = QStringLiteral("dd/mm/yyyy");

QString valor(double v) { return formatacao::formataNumero(v, MascaraValor); }
QString hora(const QDateTime &quando) { return quando.time().toString(QStringLiteral("HH:mm")); }

int coluna(const QStringList &colunas, const QString &nome)
{
    for (int i = 0; i < colunas.size(); ++i)
        if (colunas.at(i).compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// Adds the rows' amounts to the day each falls due on.
void somaPorDia(QMap<QDate, double> &porDia, const QStringList &colunas, const std::deque<bancodados::Linha> &linhas)
{
    const int dia = coluna(colunas, QStringLiteral("DataVcto"));
    const int quanto = coluna(colunas, QStringLiteral("VALORPARCELA"));
    for (const bancodados::Linha &linha : linhas) {
        const QVariant vencimento = linha.value(dia);
        if (vencimento.isNull())
            continue;
        const QVariant v = linha.value(quanto);
        porDia[vencimento.toDate()] += v.isNull() ? 0.0 : v.toDouble();
    }
}

QTableWidgetItem *celula(const QString &texto, Qt::Alignment alinhamento, bool negativo = false)
{
    auto *item = new QTableWidgetItem(texto);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alinhamento | Qt::AlignVCenter);
    item->setBackground(aparencia::CorCelula);
    item->setForeground(negativo ? QColor(Qt::red) : QColor(Qt::black));
    return item;
}
} // namespace

void FrmAVencer::limpa()
{
    // No rows at all, so that nothing of an earlier reading is left to read.
    for (QTableWidget *tabela : {tabelaRec, tabelaPag, tabelaDias})
        tabela->setRowCount(0);
    for (QLabel *total : {lblTotalReceber, lblTotalPagar})
        Rotulo(total).defineCaption(QString());
    lidoEm_ = QDateTime();
}

void FrmAVencer::mostraSaldos(const QVector<SaldoDoDia> &saldos)
{
    const auto direita = Qt::AlignRight;
    tabelaDias->setRowCount(int(saldos.size()));
    for (int r = 0; r < saldos.size(); ++r) {
        const SaldoDoDia &s = saldos.at(r);
        tabelaDias->setItem(r, 0, celula(formatacao::formataData(s.dia, PadraoData), Qt::AlignCenter));
        tabelaDias->setItem(r, 1, celula(valor(s.receber), direita));
        tabelaDias->setItem(r, 2, celula(valor(s.pagar), direita));
        tabelaDias->setItem(r, 3, celula(valor(s.saldo), direita, s.saldo < 0));
        tabelaDias->setItem(r, 4, celula(valor(s.acumulado), direita, s.acumulado < 0));
    }
}

void FrmAVencer::CarregaAVencer(bancodados::Conexao &conexao, const QDate &hoje)
{
    limpa();
    const QDate de = hoje.addDays(1), ate = hoje.addDays(spnDias->value());
    struct Lidas {
        std::array<double, 2> total{};
        std::array<int, 2> proximaLinha{1, 1};
        std::array<QMap<QDate, double>, 2> porDia;
    };
    auto lidas = std::make_shared<Lidas>();
    const QPointer<FrmAVencer> janela(this);
    const auto grade = [](FrmAVencer &v, int lado) -> Grade & { return lado == 0 ? v.grdRec : v.grdPag; };
    const auto total = [](FrmAVencer &v, int lado) { return lado == 0 ? v.lblTotalReceber : v.lblTotalPagar; };

    bancodados::Pedido pedido;
    // The database file replaced or removed since the connection was opened:
    // read the one there now.
    pedido.reabre = conexao.arquivoSubstituido();
    for (const consultas::Consulta &consulta : {avencer::receber(de, ate), avencer::pagar(de, ate)})
        pedido.instrucoes.push_back({consulta.sql, consulta.parametros});
    pedido.aoLer = [janela, lidas, grade](int lado, const QStringList &colunas, std::deque<bancodados::Linha> &linhas) {
        if (!janela)
            return;
        somaPorDia(lidas->porDia[lado], colunas, linhas);
        Grade &g = grade(*janela, lado);
        bancodados::Registros rs(colunas, linhas);
        g.defineRow(lidas->proximaLinha[lado]);
        FrmRobo::preencheGrade(g, rs, lidas->total[lado]);
        lidas->proximaLinha[lado] = g.row();
    };
    // The totals wait for the whole reading: a failure on the payables
    // leaves no receivables total behind either.
    pedido.aoTerminar = [janela, grade](int lado) {
        if (!janela)
            return;
        grade(*janela, lado).concluiPreenchimento();
        grade(*janela, lado).ajustaColunaAoTexto(4);
    };
    pedido.aoConcluir = [janela, lidas, total, de, ate] {
        if (!janela)
            return;
        for (int lado = 0; lado < 2; ++lado)
            Rotulo(total(*janela, lado)).defineCaption(valor(lidas->total[lado]));
        janela->mostraSaldos(saldosPorDia(lidas->porDia[0], lidas->porDia[1]));
        janela->lidoEm_ = agendamento::agora();
        Rotulo(janela->lblSituacao)
            .defineCaption(QStringLiteral("De %1 a %2, atualizado às %3")
                               .arg(formatacao::formataData(de, PadraoData), formatacao::formataData(ate, PadraoData),
                                    hora(janela->lidoEm_)));
        toolkit::defineOcupado(false);
        toolkit::mostraJanela(janela);
        emit janela->leituraTerminou();
    };
    pedido.aoFalhar = [janela](const bancodados::Falha &falha) {
        if (janela)
            janela->falhou(falha);
    };
    toolkit::defineOcupado(true);
    conexao.envia(std::move(pedido));
}

void FrmAVencer::falhou(const bancodados::Falha &falha)
{
    toolkit::defineOcupado(false);
    // Nothing half-read stays; the window stays, saying what went wrong.
    limpa();
    const ErroSistema erro(falha.numero, falha.descricao, falha.detalhe);
    const QString frase = explicacaoDaFalha(erroCorrente());
    Rotulo(lblSituacao)
        .defineCaption(QStringLiteral("Não foi possível ler as contas às ") + hora(agendamento::agora())
                       + QStringLiteral(". ") + (frase.isEmpty() ? falha.descricao.trimmed() : frase));
    toolkit::mostraJanela(this);
    emit leituraTerminou();
    MostraErro(QStringLiteral("ORVO(CarregaAVencer)"));
}
