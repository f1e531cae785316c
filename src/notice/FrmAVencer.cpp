#include "notice/FrmAVencer.h"
#include "listas/DialogosListagem.h"
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"
#include "notice/Imagens.h"
#include "notice/ProgramaDoAviso.h"
#include "toolkit/Acessibilidade.h"
#include "toolkit/Fontes.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace aparencia;

namespace {
// The notice's five columns; the rows are made as they are read, so a screen
// reader finds only the rows shown.
QTableWidget *grade(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo)
{
    return aparencia::gradeDeParcelas(pai, onde, nome, titulo, 0);
}

QPointer<FrmAVencer> &unica()
{
    static QPointer<FrmAVencer> janela;
    return janela;
}
} // namespace

FrmAVencer &FrmAVencer::instancia()
{
    // A window of the notice's own: it goes when the notice is unloaded, and
    // does not keep the program running by itself.
    if (!unica())
        unica() = new FrmAVencer(&FrmRobo::instancia());
    return *unica();
}

bool FrmAVencer::carregada() { return !unica().isNull(); }

void FrmAVencer::abre() { instancia().CarregaAVencer(programaDoAviso().conexao(), consultas::hoje()); }

FrmAVencer::FrmAVencer(QWidget *dono)
    : QWidget(dono, Qt::Window)
{
    montaLayout();
    grdRec = Grade(tabelaRec, CorCelula);
    grdPag = Grade(tabelaPag, CorCelula);
}

void FrmAVencer::montaLayout()
{
    setObjectName(QStringLiteral("frmAVencer"));
    setWindowTitle(QStringLiteral("Contas a Vencer"));
    setWindowIcon(iconeJanela());
    setFixedSize(1106, 590);
    pintaFundo(this, CorJanela);

    lblDias = rotulo(this, QStringLiteral("Dias:"), QRect(8, 8, 44, 24), 12);
    spnDias = new QSpinBox(this);
    spnDias->setObjectName(QStringLiteral("spnDias"));
    spnDias->setGeometry(QRect(54, 6, 64, 28));
    spnDias->setFont(toolkit::fonteDoSistema(9.75));
    spnDias->setRange(DiasMinimo, DiasMaximo);
    spnDias->setValue(DiasPadrao);
    spnDias->setAccessibleName(QStringLiteral("Dias"));
    lblDias->setBuddy(spnDias);
    cmdAtualizar = new QPushButton(QStringLiteral("Atualizar"), this);
    cmdAtualizar->setObjectName(QStringLiteral("cmdAtualizar"));
    cmdAtualizar->setGeometry(QRect(126, 4, 110, 32));
    cmdAtualizar->setFont(toolkit::fonteDoSistema(9.75));
    lblSituacao = rotulo(this, QString(), QRect(246, 2, 856, 36), 8.25);
    lblSituacao->setObjectName(QStringLiteral("lblSituacao"));
    lblSituacao->setWordWrap(true);

    Label1 = rotulo(this, QStringLiteral("Contas a Receber"), QRect(2, 42, 548, 21), 13.5, Qt::AlignCenter);
    pintaFundo(Label1, CorReceber);
    Label2 = rotulo(this, QStringLiteral("Contas a Pagar"), QRect(556, 42, 548, 21), 13.5, Qt::AlignCenter);
    pintaFundo(Label2, CorPagar);
    tabelaRec = grade(this, QRect(2, 66, 548, 272), QStringLiteral("grdAVencerRec"), Label1->text());
    tabelaPag = grade(this, QRect(556, 66, 548, 272), QStringLiteral("grdAVencerPag"), Label2->text());

    const auto direita = Qt::AlignRight | Qt::AlignVCenter;
    Label3[0] = rotulo(this, QStringLiteral("Total Receber"), QRect(300, 342, 121, 24), 12);
    lblTotalReceber = rotulo(this, QString(), QRect(422, 342, 126, 24), 12, direita);
    lblTotalReceber->setObjectName(QStringLiteral("lblTotalReceber"));
    acessibilidade::rotuloDeValor(lblTotalReceber, Label3[0]->text());
    Label3[1] = rotulo(this, QStringLiteral("Total Pagar"), QRect(854, 342, 121, 24), 12);
    lblTotalPagar = rotulo(this, QString(), QRect(976, 342, 126, 24), 12, direita);
    lblTotalPagar->setObjectName(QStringLiteral("lblTotalPagar"));
    acessibilidade::rotuloDeValor(lblTotalPagar, Label3[1]->text());

    lblSaldos = rotulo(this, QStringLiteral("Saldos por dia"), QRect(2, 372, 1102, 21), 12, Qt::AlignCenter);
    tabelaDias = aparencia::grade(this, QRect(2, 396, 1102, 142), QStringLiteral("grdSaldos"), lblSaldos->text(),
                                  {QStringLiteral("Dia"), QStringLiteral("A receber"), QStringLiteral("A pagar"),
                                   QStringLiteral("Saldo do dia"), QStringLiteral("Saldo acumulado")},
                                  {15, 30, 30, 30, 30}, 0);
    tabelaDias->horizontalHeader()->setStretchLastSection(true);

    cmdImprimir = new QPushButton(QStringLiteral("Imprimir…"), this);
    cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    cmdImprimir->setGeometry(QRect(4, 548, 127, 33));
    cmdExportar = new QPushButton(QStringLiteral("Exportar…"), this);
    cmdExportar->setObjectName(QStringLiteral("cmdExportar"));
    cmdExportar->setGeometry(QRect(139, 548, 127, 33));
    cmdFechar = new QPushButton(QStringLiteral("Fechar"), this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    cmdFechar->setGeometry(QRect(975, 548, 127, 33));
    for (QPushButton *botao : {cmdImprimir, cmdExportar, cmdFechar})
        botao->setFont(toolkit::fonteDoSistema(9.75));

    setTabOrder(spnDias, cmdAtualizar);
    setTabOrder(cmdAtualizar, tabelaRec);
    setTabOrder(tabelaRec, tabelaPag);
    setTabOrder(tabelaPag, tabelaDias);
    setTabOrder(tabelaDias, cmdImprimir);
    setTabOrder(cmdImprimir, cmdExportar);
    setTabOrder(cmdExportar, cmdFechar);
    spnDias->setFocus();

    connect(cmdAtualizar, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdAtualizar_Click(); }); });
    connect(cmdImprimir, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdImprimir_Click(); }); });
    connect(cmdExportar, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdExportar_Click(); }); });
    connect(cmdFechar, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdFechar_Click(); }); });
}

void FrmAVencer::cmdAtualizar_Click() { programaDoAviso().pedeAVencer(); }

void FrmAVencer::cmdFechar_Click() { toolkit::escondeJanela(this); }

void FrmAVencer::cmdImprimir_Click() { listas::abreImpressao(this, listagem()); }

void FrmAVencer::cmdExportar_Click() { listas::abreExportacao(this, listagem(), consultas::hoje()); }

listas::Lado FrmAVencer::receber() const
{
    return {QStringLiteral("Receber"), Label1->text(), listas::tabelaDaGrade(grdRec, aparencia::ColunaValor), Label3[0]->text(),
            lblTotalReceber->text()};
}

listas::Lado FrmAVencer::pagar() const
{
    return {QStringLiteral("Pagar"), Label2->text(), listas::tabelaDaGrade(grdPag, aparencia::ColunaValor), Label3[1]->text(),
            lblTotalPagar->text()};
}

listas::Tabela FrmAVencer::dias() const { return listas::tabelaDoQuadro(tabelaDias, {1, 2, 3, 4}); }

listas::Listagem FrmAVencer::listagem() const
{
    listas::Listagem l;
    l.titulo = windowTitle();
    l.lidaEm = lidoEm_;
    l.prefixoArquivo = QStringLiteral("a-vencer");
    l.lados = {receber(), pagar()};
    l.extra = listas::TabelaExtra{lblSaldos->text(), dias()};
    return l;
}
