#include "notice/FrmRobo.h"
#include "notice/AparenciaAviso.h"
#include "notice/Imagens.h"
#include "format/FormataTecla.h"
#include "toolkit/Fontes.h"
#include "toolkit/PreVisualizacaoTeclas.h"
#include "toolkit/Toolkit.h"
#include "notice/AgendaAviso.h"
#include "notice/ProgramaDoAviso.h"

#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>

using namespace aparencia;

namespace {

// Grid design shared by both sides: five data columns, 500 rows; named for
// assistive technology by the side's heading.
QTableWidget *grade(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo)
{
    return aparencia::gradeDeParcelas(pai, onde, nome, titulo, 500);
}

QPointer<FrmRobo> &unica()
{
    static QPointer<FrmRobo> janela;
    return janela;
}

} // namespace

FrmRobo &FrmRobo::instancia()
{
    if (!unica())
        unica() = new FrmRobo;
    return *unica();
}

bool FrmRobo::carregada() { return !unica().isNull(); }

FrmRobo::FrmRobo()
    : QWidget(nullptr)
{
    montaLayout();
    ajustaATela();
    grdRec = Grade(tabelaRec, CorCelula);
    grdPag = Grade(tabelaPag, CorCelula);
    // The timer belongs to the program's schedule, which keeps the deadline
    // on the wall clock.
    trmEsconde = Temporizador(timer, [](bool contando) { programaDoAviso().agenda().temporizadorMudou(contando); });
    toolkit::registraJanela(this);
    // key preview: FormataTecla
    instalaPreVisualizacaoTeclas(this, [](Controle &controle, int tecla) { return FormataTecla(controle, tecla); });
    programaDoAviso().acompanha(this);
    toolkit::executaManipulador([this] { Form_Load(); });
}

FrmRobo::~FrmRobo() = default;

void FrmRobo::montaLayout()
{
    setObjectName(QStringLiteral("frmRobo"));
    setWindowTitle(QStringLiteral("Orvo Aviso - Versão 1.2"));
    setWindowIcon(iconeJanela());
    setFixedSize(px(14970), px(9075));
    pintaFundo(this, CorJanela);

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(retangulo(870, 90, 8775, 825));
    lblaviso = rotulo(Frame1, QStringLiteral("Avisar daqui a Quantas Horas ?"), retangulo(210, 270, 3825, 345), 12);
    txtHora = new QLineEdit(Frame1);
    txtHora->setObjectName(QStringLiteral("txtHora"));
    txtHora->setAccessibleName(lblaviso->text());
    txtHora->setGeometry(retangulo(4170, 270, 855, 315));
    txtHora->setFont(toolkit::fonteDoSistema(9.75));
    txtHora->setProperty("Tag", QStringLiteral("C(NU018#########0.00)"));
    lblaviso->setBuddy(txtHora);
    cmdAvisar = new QPushButton(QStringLiteral("Confirmar novo aviso"), Frame1);
    cmdAvisar->setObjectName(QStringLiteral("cmdAvisar"));
    cmdAvisar->setGeometry(retangulo(5130, 180, 1905, 495));
    cmdAvisar->setFont(toolkit::fonteDoSistema(9.75));

    cmdFechar = new QPushButton(this);
    cmdFechar->setObjectName(QStringLiteral("cmdFechar"));
    cmdFechar->setGeometry(retangulo(13350, 240, 1215, 495));
    cmdFechar->setIcon(QIcon(imagemSair()));
    cmdFechar->setIconSize(QSize(82, 31));
    cmdFechar->setAccessibleName(QStringLiteral("Sair"));
    cmdFechar->setToolTip(QStringLiteral("Sair"));
    pintaFundo(cmdFechar, QColor(192, 192, 192));

    Label1 = rotulo(this, QStringLiteral("Contas a Receber"), retangulo(30, 1020, 7305, 315), 13.5, Qt::AlignCenter);
    pintaFundo(Label1, CorReceber);
    Label2 = rotulo(this, QStringLiteral("Contas a Pagar"), retangulo(7530, 1020, 7335, 315), 13.5, Qt::AlignCenter);
    pintaFundo(Label2, CorPagar);

    tabelaRec = grade(this, retangulo(0, 1350, 7395, 6750), QStringLiteral("grdRec"), Label1->text());
    tabelaPag = grade(this, retangulo(7500, 1350, 7395, 6750), QStringLiteral("grdPag"), Label2->text());

    const auto direita = Qt::AlignRight | Qt::AlignVCenter;
    Label3[0] = rotulo(this, QStringLiteral("Total Receber"), retangulo(780, 8520, 1815, 360), 12);
    lblTotalAberto = rotulo(this, QString(), retangulo(2610, 8490, 1410, 360), 12, direita);
    lblTotalAberto->setObjectName(QStringLiteral("lblTotalAberto"));
    Frame3 = new QGroupBox(this);
    Frame3->setGeometry(retangulo(5220, 8310, 4155, 615));
    lblTotalGeral1 = rotulo(Frame3, QStringLiteral("Pagar-Receber"), retangulo(30, 120, 2220, 435), 13.5, direita);
    lblTotalGeral = rotulo(Frame3, QString(), retangulo(2310, 150, 1740, 360), 12, direita);
    lblTotalGeral->setObjectName(QStringLiteral("lblTotalGeral"));
    Label3[1] = rotulo(this, QStringLiteral("Total Pagar"), retangulo(10530, 8520, 1815, 360), 12);
    lblTotalPago = rotulo(this, QString(), retangulo(12360, 8490, 1500, 360), 12, direita);
    lblTotalPago->setObjectName(QStringLiteral("lblTotalPago"));
    // Between the delay frame and the exit button, free in the design.
    lblSituacao = rotulo(this, QString(), retangulo(9735, 150, 3540, 690), 8.25);
    lblSituacao->setObjectName(QStringLiteral("lblSituacao"));
    lblSituacao->setWordWrap(true);
    montaAcessibilidade();

    montaVencidas();
    montaListas();

    // Tab order across the window: cmdAvisar first, so the window opens on it.
    setTabOrder(cmdAvisar, tabelaRec);
    setTabOrder(tabelaRec, tabelaPag);
    setTabOrder(tabelaPag, cmdFechar);
    setTabOrder(cmdFechar, txtHora);
    // The overdue and coming days' buttons come after the designed controls,
    // before the round starts again.
    setTabOrder(txtHora, cmdVencidas);
    setTabOrder(cmdVencidas, cmdProximos);
    cmdAvisar->setFocus();

    // Enabled in the design with 1 ms, so the first notice fills the grids as
    // soon as the window is up.
    timer = programaDoAviso().agenda().temporizador();
    timer->setInterval(1);
    timer->start();

    connect(cmdAvisar, &QPushButton::clicked, this, [this] { toolkit::executaManipulador([this] { cmdAvisar_Click(); }); });
    connect(cmdFechar, &QPushButton::clicked, this, [this] { toolkit::executaManipulador([this] { cmdFechar_Click(); }); });
    connect(&programaDoAviso().agenda(), &AgendaAviso::venceu, this,
            [this] { toolkit::executaManipulador([this] { trmEsconde_Timer(); }); });
}

void FrmRobo::Form_Load()
{
    txtHora->setText(QStringLiteral("1.00"));
}

void FrmRobo::cmdFechar_Click()
{
    trmEsconde.defineAtivo(false);
    toolkit::descarregaJanela(this);
}
