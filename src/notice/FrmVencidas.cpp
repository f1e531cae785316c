#include "notice/FrmVencidas.h"
#include "base/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmRobo.h"
#include "notice/Imagens.h"
#include "database/BancoDados.h"
#include "toolkit/Acessibilidade.h"
#include "toolkit/Fontes.h"
#include "regional/Formatacao.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"
#include "notice/ProgramaDoAviso.h"
#include "notice/AgendaAviso.h"
#include "listas/DialogosListagem.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

#include <array>
#include <memory>

using namespace aparencia;

namespace {
const QString MascaraValor = QStringLiteral("#,###,###,##0.00");

// The notice's five columns and the days late, 500 rows to start with; the
// grid grows when more are written.
QTableWidget *grade(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo)
{
    return aparencia::gradeDeParcelas(pai, onde, nome, titulo, 500, {{QStringLiteral("Dias em Atraso"), 6.50}});
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

    // Left of "Fechar", in the same row.
    cmdImprimir = new QPushButton(QStringLiteral("Imprimir…"), this);
    cmdImprimir->setObjectName(QStringLiteral("cmdImprimir"));
    cmdImprimir->setGeometry(QRect(215, 528, 127, 33));
    cmdExportar = new QPushButton(QStringLiteral("Exportar…"), this);
    cmdExportar->setObjectName(QStringLiteral("cmdExportar"));
    cmdExportar->setGeometry(QRect(352, 528, 127, 33));
    for (QPushButton *botao : {cmdImprimir, cmdExportar})
        botao->setFont(toolkit::fonteDoSistema(9.75));
    connect(cmdImprimir, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdImprimir_Click(); }); });
    connect(cmdExportar, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdExportar_Click(); }); });
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
    struct Lidas {
        std::array<double, 2> total{};
        std::array<int, 2> proximaLinha{1, 1};
    };
    auto lidas = std::make_shared<Lidas>();
    const QPointer<FrmVencidas> janela(this);
    const auto grade = [](FrmVencidas &v, int lado) -> Grade & { return lado == 0 ? v.grdRec : v.grdPag; };
    const auto total = [](FrmVencidas &v, int lado) { return lado == 0 ? v.lblTotalReceber : v.lblTotalPagar; };

    bancodados::Pedido pedido;
    for (const consultas::Consulta &consulta : {vencidas::receber(dia), vencidas::pagar(dia)})
        pedido.instrucoes.push_back({consulta.sql, consulta.parametros});
    pedido.aoLer = [janela, lidas, grade, dia](int lado, const QStringList &colunas,
                                                std::deque<bancodados::Linha> &linhas) {
        if (!janela)
            return;
        Grade &g = grade(*janela, lado);
        bancodados::Registros rs(colunas, linhas);
        g.defineRow(lidas->proximaLinha[lado]);
        FrmRobo::preencheGrade(g, rs, lidas->total[lado], dia);
        lidas->proximaLinha[lado] = g.row();
    };
    pedido.aoTerminar = [janela, lidas, grade, total](int lado) {
        if (!janela)
            return;
        // The rows added are laid out once, not at every batch.
        grade(*janela, lado).concluiPreenchimento();
        grade(*janela, lado).ajustaColunaAoTexto(4);
        Rotulo(total(*janela, lado)).defineCaption(formatacao::formataNumero(lidas->total[lado], MascaraValor));
    };
    pedido.aoConcluir = [janela] {
        if (!janela)
            return;
        janela->lidaEm_ = agendamento::agora();
        toolkit::defineOcupado(false);
        toolkit::mostraJanela(janela);
        emit janela->leituraTerminou();
    };
    pedido.aoFalhar = [janela](const bancodados::Falha &falha) {
        if (!janela)
            return;
        toolkit::defineOcupado(false);
        // Nothing half-read stays: the window holds nothing and is not shown.
        janela->limpa();
        janela->lidaEm_ = QDateTime();
        for (QLabel *rotulo : {janela->lblTotalReceber, janela->lblTotalPagar})
            Rotulo(rotulo).defineCaption(QString());
        toolkit::escondeJanela(janela);
        emit janela->leituraTerminou();
        const ErroSistema erro(falha.numero, falha.descricao, falha.detalhe);
        MostraErro(QStringLiteral("ORVO(CarregaVencidas)"));
    };
    // A server that stops answering ends the reading with a message at its
    // deadline; the notice window stays alive meanwhile.
    toolkit::defineOcupado(true);
    programaDoAviso().conexao().envia(std::move(pedido));
}

void FrmVencidas::abre() { instancia().CarregaVencidas(consultas::hoje()); }

void FrmVencidas::cmdFechar_Click() { toolkit::escondeJanela(this); }

listas::Listagem FrmVencidas::listagem() const
{
    listas::Listagem l;
    l.titulo = windowTitle();
    l.lidaEm = lidaEm_;
    l.prefixoArquivo = QStringLiteral("vencidas");
    l.lados = {
        {QStringLiteral("Receber"), Label1->text(), listas::tabelaDaGrade(grdRec, aparencia::ColunaValor), Label3[0]->text(),
         lblTotalReceber->text()},
        {QStringLiteral("Pagar"), Label2->text(), listas::tabelaDaGrade(grdPag, aparencia::ColunaValor), Label3[1]->text(),
         lblTotalPagar->text()},
    };
    return l;
}

void FrmVencidas::cmdImprimir_Click() { listas::abreImpressao(this, listagem()); }

void FrmVencidas::cmdExportar_Click() { listas::abreExportacao(this, listagem(), consultas::hoje()); }
