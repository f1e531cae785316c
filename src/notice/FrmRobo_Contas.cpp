// The data side of the notice window: today's open receivables and payables.
#include "errors/ErroCorrente.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"
#include "platform/Formatacao.h"
#include "platform/Janela.h"
#include "platform/Toolkit.h"
#include "startup/IniciaSistema.h"

#include <QLabel>

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
    for (Grade *grade : {&grdRec, &grdPag}) {
        grade->defineCol(-1);
        grade->defineRow(-1);
        grade->defineAcao(Grade::AcaoLimpaTexto);
        // Clearing keeps colours: no emptied row may stay yellow.
        grade->defineCorFundo(grade->corCelulaNormal());
    }
}

// One row per instalment from row 1 on; each write sets the column cursor and
// then the text of the cell at the cursors.
void FrmRobo::preencheGrade(Grade &grade, bancodados::Registros &rs, double &total)
{
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

        if (!valor.isNull())
            total += valor.toDouble();

        grade.defineRow(grade.row() + 1);
        rs.moveNext();
    }
    grade.concluiPreenchimento();
    grade.ajustaColunaAoTexto(4);
}

void FrmRobo::CarregaContas()
{
    try {
        // The last refresh failed, maybe because the link to the database was
        // lost, or the database file was replaced on disk (a restore moved
        // over it): start this one on a fresh connection.
        if (conexaoSuspeita_ || conexaoCompartilhada().arquivoSubstituido()) {
            conexaoSuspeita_ = true;
            conexaoCompartilhada().reabre();
            conexaoSuspeita_ = false;
        }
        // Both statements and every row, or the report that the database did
        // not answer; the window stays alive meanwhile.
        const bancodados::PrazoDeLeitura prazo(conexaoCompartilhada());
        bancodados::Registros rs;
        double totalReceber = 0;
        double totalPagar = 0;
        // One day for both statements, even when the refresh runs across midnight.
        const QDate dia = consultas::hoje();
        // The payables are read while the receivables are written.
        consultas::antecipa(conexaoCompartilhada(), dia);

        const consultas::Consulta receber = consultas::contasReceber(dia);
        rs.abre(receber.sql, conexaoCompartilhada(), 0, 1, -1, receber.parametros);
        preencheGrade(grdRec, rs, totalReceber);
        rs.fecha();
        Rotulo(lblTotalAberto).defineCaption(formatacao::formataNumero(totalReceber, MascaraValor));

        const consultas::Consulta pagar = consultas::contasPagar(dia);
        rs.abre(pagar.sql, conexaoCompartilhada(), 0, 1, -1, pagar.parametros);
        preencheGrade(grdPag, rs, totalPagar);
        rs.fecha();
        Rotulo(lblTotalPago).defineCaption(formatacao::formataNumero(totalPagar, MascaraValor));

        // The difference takes the payables at their displayed two-decimal value.
        double pagarMostrado = 0;
        formatacao::paraNumero(Rotulo(lblTotalPago).caption(), pagarMostrado);
        Rotulo(lblTotalGeral).defineCaption(formatacao::formataNumero(totalReceber - pagarMostrado, MascaraValor));
    } catch (const ErroSistema &) {
        conexaoSuspeita_ = true;
        // Nothing on screen may claim a total this refresh did not read.
        for (QLabel *total : {lblTotalAberto, lblTotalPago, lblTotalGeral})
            Rotulo(total).defineCaption(QString());
        throw;
    }
}
