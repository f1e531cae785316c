// The data side of the notice window: today's open receivables and payables.
#include "errors/ErroCorrente.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmRobo.h"
#include "notice/LadosContas.h"
#include "platform/Formatacao.h"
#include "platform/Janela.h"
#include "platform/Toolkit.h"
#include "startup/Aplicacao.h"

#include <QLabel>
#include <QTimer>

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

// One row per instalment from row 1 on; each write sets the column cursor and
// then the text of the cell at the cursors.
int FrmRobo::preencheGrade(Grade &grade, bancodados::Registros &rs, double &total, const QDate &atrasoAte)
{
    int linhas = 0;
    grade.defineCol(1);
    grade.defineRow(1);
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
    grade.concluiPreenchimento();
    grade.ajustaColunaAoTexto(4);
    return linhas;
}

void FrmRobo::CarregaContas() { CarregaContas(Aplicacao::instancia().conexao()); }

void FrmRobo::CarregaContas(bancodados::Conexao &conexao)
{
    // The summaries of the previous notice are superseded by this one's; they
    // are not read while this refresh waits on the database.
    trmVencidas->stop();
    try {
        // The last refresh failed, maybe because the link to the database was
        // lost, or the database file was replaced on disk (a restore moved
        // over it), or a reading elsewhere had to give the connection up:
        // start this one on a fresh connection.
        if (conexaoSuspeita_ || !conexao.aberta() || conexao.arquivoSubstituido()) {
            conexaoSuspeita_ = true;
            conexao.reabre();
            conexaoSuspeita_ = false;
        }
        // Both statements and every row, or the report that the database did
        // not answer; the window stays alive meanwhile.
        const bancodados::PrazoDeLeitura prazo(conexao);
        bancodados::Registros rs;
        ResumoContas resumo;
        // One day for both statements, even when the refresh runs across midnight.
        const QDate dia = consultas::hoje();
        // The payables are read while the receivables are written.
        consultas::antecipa(conexao, dia);

        for (size_t lado = 0; lado < ladosContas().size(); ++lado) {
            const LadoContas &l = ladosContas()[lado];
            const consultas::Consulta consulta = l.consulta(dia);
            rs.abre(consulta.sql, conexao, 0, 1, -1, consulta.parametros);
            resumo.quantidade[lado] = preencheGrade(this->*l.grade, rs, resumo.total[lado]);
            rs.fecha();
            Rotulo(this->*l.total).defineCaption(formatacao::formataNumero(resumo.total[lado], MascaraValor));
        }

        // The difference takes the payables at their displayed two-decimal value.
        double pagarMostrado = 0;
        formatacao::paraNumero(Rotulo(lblTotalPago).caption(), pagarMostrado);
        Rotulo(lblTotalGeral).defineCaption(formatacao::formataNumero(resumo.total[0] - pagarMostrado, MascaraValor));

        // The notice is on screen before the summaries start: their two
        // statements keep both processors busy for a while, and the paint
        // would share them.
        toolkit::pintaAgora(this);
        // The line of earlier days' open instalments is written once its
        // summaries have been read, without holding the refresh back.
        aguardaResumoVencidas(conexao, dia);
        emit contasLidas(resumo);
    } catch (const ErroSistema &erro) {
        conexaoSuspeita_ = true;
        // Nothing on screen may claim a total this refresh did not read.
        trmVencidas->stop();
        for (QLabel *total : {lblTotalAberto, lblTotalPago, lblTotalGeral, lblVencidas})
            Rotulo(total).defineCaption(QString());
        emit leituraFalhou(erro);
        throw;
    }
}
