// The data side of the notice window: today's open receivables and payables.
#include "base/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmRobo.h"
#include "notice/LadosContas.h"
#include "regional/Formatacao.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"
#include "notice/ProgramaDoAviso.h"
#include "notice/AgendaAviso.h"

#include <QLabel>
#include <QPointer>

#include <array>
#include <memory>

namespace {
const QString MascaraValor = QStringLiteral("#,###,###,##0.00");
const QColor CorProvisionado(255, 255, 128);

QString comoTexto(const QVariant &valor)
{
    return valor.isNull() ? QString() : valor.toString();
}
} // namespace

void FrmRobo::LimpaGrid()
{
    for (const LadoContas &lado : ladosContas()) {
        Grade &grade = this->*lado.grade;
        grade.defineCol(-1);
        grade.defineRow(-1);
        grade.defineAcao(Grade::AcaoLimpaTexto);
        // Clearing keeps colours: no emptied row may stay yellow.
        grade.defineCorFundo(grade.corCelulaNormal());
    }
}

// One row per instalment from the grid's row cursor on; each write sets the
// column cursor and then the text of the cell at the cursors.
int FrmRobo::preencheGrade(Grade &grade, bancodados::Registros &rs, double &total, const QDate &atrasoAte)
{
    int linhas = 0;
    while (!rs.eof()) {
        grade.defineCol(1);
        grade.defineTexto(comoTexto(rs.campo(QStringLiteral("CodContaDet"))));

        grade.defineCol(2);
        grade.defineTexto(comoTexto(rs.campo(QStringLiteral("NomeRazao"))));
        const QVariant nome = rs.campo(QStringLiteral("Nome"));
        if (!nome.isNull() && !nome.toString().trimmed().isEmpty())
            grade.defineTexto(grade.texto() + QStringLiteral(" - ") + nome.toString());

        grade.defineCol(3);
        const QVariant vencimento = rs.campo(QStringLiteral("DataVcto"));
        grade.defineTexto(vencimento.isNull() ? QString()
                                              : formatacao::formataData(vencimento.toDate(), QStringLiteral("dd/mm/yyyy")));

        grade.defineCol(4);
        const QVariant valor = rs.campo(QStringLiteral("VALORPARCELA"));
        grade.defineTexto(valor.isNull() ? QString() : formatacao::formataNumero(valor.toDouble(), MascaraValor));

        grade.defineCol(5);
        if (rs.campo(QStringLiteral("Provisionado")).toString().trimmed() == QLatin1String("S")) {
            grade.defineTexto(QStringLiteral("S"));
            grade.defineCorFundo(CorProvisionado);
        } else {
            grade.defineTexto(QStringLiteral("N"));
            // The clear action keeps colours: a row provisioned in an earlier
            // notice must not stay yellow beside an "N".
            grade.defineCorFundo(grade.corCelulaNormal());
        }

        if (atrasoAte.isValid()) {
            grade.defineCol(6);
            grade.defineTexto(vencimento.isNull() ? QString() : QString::number(vencimento.toDate().daysTo(atrasoAte)));
        }

        if (!valor.isNull())
            total += valor.toDouble();

        grade.defineRow(grade.row() + 1);
        ++linhas;
        rs.moveNext();
    }
    return linhas;
}

void FrmRobo::CarregaContas() { CarregaContas(programaDoAviso().conexao()); }

void FrmRobo::CarregaContas(bancodados::Conexao &conexao)
{
    // One day for both statements, even when the refresh runs across midnight.
    const QDate dia = consultas::hoje();
    struct Lidas {
        ResumoContas resumo;
        std::array<int, 2> proximaLinha{1, 1}; // where each grid's next row goes
    };
    auto lidas = std::make_shared<Lidas>();
    const QPointer<FrmRobo> janela(this);

    bancodados::Pedido pedido;
    // The last refresh failed, maybe because the link to the database was
    // lost, or the database file was replaced on disk (a restore moved over
    // it), or a reading had to give the connection up: this one starts on a
    // fresh connection.
    pedido.reabre = conexaoSuspeita_ || conexao.arquivoSubstituido();
    for (const LadoContas &lado : ladosContas()) {
        const consultas::Consulta consulta = lado.consulta(dia);
        pedido.instrucoes.push_back({consulta.sql, consulta.parametros});
    }
    // The rows are written as they arrive; then the side's total.
    pedido.aoLer = [janela, lidas](int lado, const QStringList &colunas, std::deque<bancodados::Linha> &linhas) {
        if (!janela)
            return;
        Grade &grade = janela->*ladosContas()[lado].grade;
        bancodados::Registros rs(colunas, linhas);
        grade.defineRow(lidas->proximaLinha[lado]);
        lidas->resumo.quantidade[lado] += preencheGrade(grade, rs, lidas->resumo.total[lado]);
        lidas->proximaLinha[lado] = grade.row();
    };
    pedido.aoTerminar = [janela, lidas](int lado) {
        if (!janela)
            return;
        const LadoContas &l = ladosContas()[lado];
        // The rows added are laid out once, not at every batch.
        (janela->*l.grade).concluiPreenchimento();
        (janela->*l.grade).ajustaColunaAoTexto(4);
        Rotulo(janela->*l.total).defineCaption(formatacao::formataNumero(lidas->resumo.total[lado], MascaraValor));
    };
    pedido.aoConcluir = [janela, lidas, dia, &conexao] {
        if (!janela)
            return;
        janela->conexaoSuspeita_ = false;
        janela->lidaEm_ = agendamento::agora();
        // The difference takes the payables at their displayed two-decimal value.
        double pagarMostrado = 0;
        formatacao::paraNumero(Rotulo(janela->lblTotalPago).caption(), pagarMostrado);
        Rotulo(janela->lblTotalGeral)
            .defineCaption(formatacao::formataNumero(lidas->resumo.total[0] - pagarMostrado, MascaraValor));
        toolkit::defineOcupado(false);
        // The notice is on screen before the summaries start: their two
        // statements keep both processors busy for a while, and the paint
        // would share them.
        toolkit::pintaAgora(janela);
        emit janela->contasLidas(lidas->resumo);
        // The line of earlier days' open instalments is written once its
        // summaries have been read, without holding the window.
        janela->CarregaResumoVencidas(conexao, dia);
    };
    pedido.aoFalhar = [janela](const bancodados::Falha &falha) {
        if (janela)
            janela->falhouAoLer(falha, QStringLiteral("ORVO(CarregaContas)"));
    };
    // Both statements and every row, or the report that the database did not
    // answer; the window stays alive and busy meanwhile.
    toolkit::defineOcupado(true);
    conexao.envia(std::move(pedido));
}

void FrmRobo::falhouAoLer(const bancodados::Falha &falha, const QString &local)
{
    toolkit::defineOcupado(false);
    resumoPendente_ = false;
    conexaoSuspeita_ = true;
    lidaEm_ = QDateTime();
    // Nothing on screen may claim an account or a total this refresh did not read.
    LimpaGrid();
    for (QLabel *total : {lblTotalAberto, lblTotalPago, lblTotalGeral, lblVencidas})
        Rotulo(total).defineCaption(QString());
    emit leituraFalhou(ErroSistema(falha.numero, falha.descricao, falha.detalhe));
    // The reading is over before its report shows: a notice asked for while
    // the report is open comes once it is closed.
    emit avisoTerminou();
    // Made the current error, as the layers' errors are, for the report.
    const ErroSistema erro(falha.numero, falha.descricao, falha.detalhe);
    MostraErro(local);
}
