#include "notice/FrmVencidas.h"
#include "errors/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmRobo.h"
#include "notice/Imagens.h"
#include "platform/BancoDados.h"
#include "platform/Acessibilidade.h"
#include "platform/Fontes.h"
#include "platform/Formatacao.h"
#include "platform/Janela.h"
#include "platform/Toolkit.h"
#include "startup/IniciaSistema.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

using namespace aparencia;

namespace {
const QString MascaraValor = QStringLiteral("#,###,###,##0.00");

// The notice's five columns and the days late, 500 rows to start with; the
// grid grows when more are written.
QTableWidget *grade(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo)
{
    return aparencia::grade(pai, onde, nome, titulo,
                            {QStringLiteral("Código Detalhe"), QStringLiteral("Descrição do Pagamento"),
                             QStringLiteral("Data Vencimento"), QStringLiteral("Valor"), QStringLiteral("Prov S/N"),
                             QStringLiteral("Dias em Atraso")},
                            {8.5, 28.37, 8.12, 9.00, 5.12, 6.50}, 500);
}

QPointer<FrmVencidas> &unica()
{
    static QPointer<FrmVencidas> janela;
    return janela;
}
} // namespace

FrmVencidas &FrmVencidas::instancia()
{
    // A window of the notice's own: it goes when the notice is unloaded, and
    // does not keep the program running by itself.
    if (!unica())
        unica() = new FrmVencidas(&FrmRobo::instancia());
    return *unica();
}

bool FrmVencidas::carregada() { return !unica().isNull(); }

FrmVencidas::FrmVencidas(QWidget *dono)
    : QWidget(dono, Qt::Window)
{
    montaLayout();
    grdRec = Grade(tabelaRec, CorCelula);
    grdPag = Grade(tabelaPag, CorCelula);
}

void FrmVencidas::montaLayout()
{
    setObjectName(QStringLiteral("frmVencidas"));
    setWindowTitle(QStringLiteral("Contas Vencidas em Aberto"));
    setWindowIcon(iconeJanela());
    setFixedSize(1106, 574);
    pintaFundo(this, CorJanela);

    Label1 = rotulo(this, QStringLiteral("Contas a Receber"), QRect(2, 6, 548, 21), 13.5, Qt::AlignCenter);
    pintaFundo(Label1, CorReceber);
    Label2 = rotulo(this, QStringLiteral("Contas a Pagar"), QRect(556, 6, 548, 21), 13.5, Qt::AlignCenter);
    pintaFundo(Label2, CorPagar);

    tabelaRec = grade(this, QRect(2, 30, 548, 450), QStringLiteral("grdVencidasRec"), Label1->text());
    tabelaPag = grade(this, QRect(556, 30, 548, 450), QStringLiteral("grdVencidasPag"), Label2->text());

    const auto direita = Qt::AlignRight | Qt::AlignVCenter;
    Label3[0] = rotulo(this, QStringLiteral("Total Receber"), QRect(300, 488, 121, 24), 12);
    lblTotalReceber = rotulo(this, QString(), QRect(422, 488, 126, 24), 12, direita);
    lblTotalReceber->setObjectName(QStringLiteral("lblTotalReceber"));
    acessibilidade::rotuloDeValor(lblTotalReceber, Label3[0]->text());
    Label3[1] = rotulo(this, QStringLiteral("Total Pagar"), QRect(854, 488, 121, 24), 12);
    lblTotalPagar = rotulo(this, QString(), QRect(976, 488, 126, 24), 12, direita);
    lblTotalPagar->setObjectName(QStringLiteral("lblTotalPagar"));
    acessibilidade::rotuloDeValor(lblTotalPagar, Label3[1]->text());

    cmdFechar = new QPushButton(QStringLiteral("Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    cmdFechar->setGeometry(QRect(489, 528, 127, 33));
    cmdFechar->setFont(toolkit::fonteDoSistema(9.75));
    connect(cmdFechar, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdFechar_Click(); }); });
    cmdFechar->setFocus();
}

void FrmVencidas::limpa()
{
    for (Grade *grade : {&grdRec, &grdPag}) {
        grade->defineCol(-1);
        grade->defineRow(-1);
        grade->defineAcao(Grade::AcaoLimpaTexto);
    }
}

void FrmVencidas::CarregaVencidas(const QDate &dia)
{
    limpa();
    // A server that stops answering ends the reading with a message instead
    // of holding the window.
    const bancodados::PrazoDeLeitura prazo(conexaoCompartilhada());
    FrmRobo::instancia().concluiResumoVencidas();
    bancodados::Registros rs;
    double totalReceber = 0;
    double totalPagar = 0;
    // The payables are read while the receivables are written.
    const consultas::Consulta receber = vencidas::receber(dia);
    const consultas::Consulta pagar = vencidas::pagar(dia);
    conexaoCompartilhada().antecipa(pagar.sql, pagar.parametros);

    rs.abre(receber.sql, conexaoCompartilhada(), 0, 1, -1, receber.parametros);
    FrmRobo::preencheGrade(grdRec, rs, totalReceber, dia);
    rs.fecha();
    Rotulo(lblTotalReceber).defineCaption(formatacao::formataNumero(totalReceber, MascaraValor));

    rs.abre(pagar.sql, conexaoCompartilhada(), 0, 1, -1, pagar.parametros);
    FrmRobo::preencheGrade(grdPag, rs, totalPagar, dia);
    rs.fecha();
    Rotulo(lblTotalPagar).defineCaption(formatacao::formataNumero(totalPagar, MascaraValor));
}

void FrmVencidas::abre()
{
    FrmVencidas &janela = instancia();
    toolkit::defineApontador(toolkit::ApontadorAmpulheta);
    try {
        janela.CarregaVencidas(consultas::hoje());
    } catch (const ErroSistema &) {
        toolkit::defineApontador(toolkit::ApontadorNormal);
        MostraErro(QStringLiteral("ORVO(CarregaVencidas)"));
        return;
    }
    toolkit::defineApontador(toolkit::ApontadorNormal);
    toolkit::mostraJanela(&janela);
}

void FrmVencidas::cmdFechar_Click() { toolkit::escondeJanela(this); }
