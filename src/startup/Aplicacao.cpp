#include "startup/Aplicacao.h"
#include "errors/MostraErro.h"
#include "notice/FrmRobo.h"
#include "notice/FrmAVencer.h"
#include "notice/FrmVencidas.h"
#include "notice/GuardaRetorno.h"
#include "notice/Imagens.h"
#include "desktop/Bandeja.h"
#include "regional/Formatacao.h"
#include "toolkit/Janela.h"
#include "desktop/Notificacoes.h"
#include "toolkit/Toolkit.h"
#include "startup/ExplicacaoFalha.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {
const QString NomeIcone = QStringLiteral("orvoaviso");

QString horaMinuto(const QDateTime &quando) { return quando.time().toString(QStringLiteral("HH:mm")); }
} // namespace

Aplicacao &Aplicacao::instancia()
{
    static QPointer<Aplicacao> unica;
    if (!unica)
        unica = new Aplicacao(QCoreApplication::instance());
    return *unica;
}

Aplicacao::Aplicacao(QObject *pai) : QObject(pai), agenda_(new AgendaAviso(this))
{
    connect(agenda_, &AgendaAviso::prazoMudou, this, &Aplicacao::atualizaDica);
    defineProgramaDoAviso(this);
    // What waited for a message box to close is taken up after it.
    toolkit::defineAoFecharCaixa([this] { agendaFila(); });
    // The error report tells a failure the program knows in its own words.
    defineExplicacaoDeFalhas([](const ErroCorrente &erro) { return explicaFalha(erro, ContextoFalha::doSistema()).frase; });
}

Aplicacao::~Aplicacao() { defineProgramaDoAviso(nullptr); }

QString Aplicacao::textoAtualizado(const QDateTime &quando)
{
    return QStringLiteral("Atualizado às ") + horaMinuto(quando);
}

QString Aplicacao::corpoNotificacao(const ResumoContas &resumo)
{
    QStringList partes;
    for (size_t lado = 0; lado < ladosContas().size(); ++lado)
        partes << formatacao::formataNumero(resumo.quantidade[lado], QStringLiteral("#,###,###,##0"))
                      + QLatin1Char(' ') + QString::fromLatin1(ladosContas()[lado].nome) + QStringLiteral(": ")
                      + formatacao::formataNumero(resumo.total[lado], QStringLiteral("#,###,###,##0.00"));
    return partes.join(QStringLiteral(" · "));
}

void Aplicacao::acompanha(FrmRobo *janela)
{
    janela_ = janela;
    janelaObservada_ = janela;
    voltando_ = false;
    semConexaoDesde_ = QDateTime();
    emCurso_ = Leitura::Nenhuma;
    avisoPendente_ = vencidasPendente_ = aVencerPendente_ = false;
    janela->installEventFilter(this);
    auto *guarda = new GuardaRetorno(janela, {janela->cmdAvisar, janela->cmdFechar});
    // While the window reads, only "Sair" and its close act: they end the
    // program; a click on "Sair" during the guard after the return does not.
    toolkit::defineJanelaOcupavel(janela, janela->cmdFechar, [guarda] { return guarda->guardando(); });
    connect(janela, &FrmRobo::avisoPedido, this, &Aplicacao::pedeAviso);
    connect(janela, &FrmRobo::vencidasPedidas, this, &Aplicacao::pedeVencidas);
    connect(janela, &FrmRobo::aVencerPedidas, this, &Aplicacao::pedeAVencer);
    connect(janela, &FrmRobo::contasLidas, this, &Aplicacao::leu);
    connect(janela, &FrmRobo::leituraFalhou, this, &Aplicacao::falhou);
    connect(janela, &FrmRobo::avisoTerminou, this, &Aplicacao::leituraTerminou);

    if (Bandeja::disponivel()) {
        bandeja_ = std::make_unique<Bandeja>(QIcon::fromTheme(NomeIcone, iconeJanela()), nullptr);
        bandeja_->adicionaItem(QStringLiteral("Avisar agora"), [this] { avisaAgora(); });
        bandeja_->adicionaItem(QStringLiteral("Contas vencidas"), [this] { pedeVencidas(); });
        bandeja_->adicionaItem(QStringLiteral("Próximos dias"), [this] { pedeAVencer(); });
        bandeja_->adicionaItem(QStringLiteral("Sair"), [this] { sai(); });
        // The icon goes with the window: its end is the program's.
        connect(janela, &QObject::destroyed, this, [this] { bandeja_.reset(); });
        atualizaDica();
    }
}

void Aplicacao::pedeAviso()
{
    // The notice being read now is the one asked for.
    if (emCurso_ == Leitura::Aviso)
        return;
    avisoPendente_ = true;
    agendaFila();
}

void Aplicacao::pedeVencidas()
{
    if (emCurso_ == Leitura::Vencidas)
        return;
    vencidasPendente_ = true;
    agendaFila();
}

void Aplicacao::pedeAVencer()
{
    // Asked again while it is read (a second click on "Atualizar"): the
    // reading under way is the one asked for.
    if (emCurso_ == Leitura::AVencer)
        return;
    aVencerPendente_ = true;
    agendaFila();
}

void Aplicacao::agendaFila()
{
    if (filaAgendada_)
        return;
    filaAgendada_ = true;
    QMetaObject::invokeMethod(this, [this] {
        filaAgendada_ = false;
        processaFila();
    }, Qt::QueuedConnection);
}

void Aplicacao::processaFila()
{
    if (emCurso_ != Leitura::Nenhuma || toolkit::caixasAbertas() > 0 || !janela_)
        return;
    FrmRobo *janela = janela_;
    if (avisoPendente_) {
        avisoPendente_ = false;
        emCurso_ = Leitura::Aviso;
        toolkit::executaManipulador([janela] { janela->iniciaAviso(); });
    } else if (vencidasPendente_) {
        vencidasPendente_ = false;
        emCurso_ = Leitura::Vencidas;
        connect(&FrmVencidas::instancia(), &FrmVencidas::leituraTerminou, this, &Aplicacao::leituraTerminou,
                Qt::UniqueConnection);
        toolkit::executaManipulador([] { FrmVencidas::abre(); });
    } else if (aVencerPendente_) {
        aVencerPendente_ = false;
        emCurso_ = Leitura::AVencer;
        connect(&FrmAVencer::instancia(), &FrmAVencer::leituraTerminou, this, &Aplicacao::leituraTerminou,
                Qt::UniqueConnection);
        toolkit::executaManipulador([] { FrmAVencer::abre(); });
    }
}

void Aplicacao::leituraTerminou()
{
    emCurso_ = Leitura::Nenhuma;
    agendaFila();
}

void Aplicacao::avisaAgora() { pedeAviso(); }

void Aplicacao::sai()
{
    if (!janela_)
        return;
    FrmRobo *janela = janela_;
    const bool lendo = this->lendo();
    toolkit::executaManipulador([janela, lendo] {
        // A reading may be held by a server that does not answer: nothing is
        // written, so nothing is lost by not waiting for it.
        if (lendo)
            toolkit::encerraPrograma(0);
        janela->cmdFechar_Click();
    });
}

bool Aplicacao::eventFilter(QObject *objeto, QEvent *evento)
{
    // Compared as a plain object: the window's events still arrive while it is
    // destroyed, when it is no longer a FrmRobo.
    if (objeto == janelaObservada_ && !evento->spontaneous()) {
        if (evento->type() == QEvent::Hide) {
            voltando_ = true;
            atualizaDica();
        } else if (evento->type() == QEvent::Show) {
            atualizaDica();
        }
    }
    return false;
}

void Aplicacao::leu(const ResumoContas &resumo)
{
    // The grids are written and the summaries follow: a notice asked for
    // from now on is a new one, after them.
    if (emCurso_ == Leitura::Aviso)
        emCurso_ = Leitura::Resumos;
    const QDateTime agora = agendamento::agora();
    semConexaoDesde_ = QDateTime();
    Rotulo(janela_->lblSituacao).defineCaption(textoAtualizado(agora));
    atualizaDica();
    // One notification each time the window comes back with the accounts read.
    if (voltando_ && janela_->isVisible()) {
        voltando_ = false;
        notificacoes::envia(QStringLiteral("OrvoAviso"), NomeIcone, QStringLiteral("Contas vencendo hoje"),
                            corpoNotificacao(resumo));
    }
}

void Aplicacao::falhou(const ErroSistema &erro)
{
    const QDateTime agora = agendamento::agora();
    if (!falhaDeConexao(erro))
        semConexaoDesde_ = QDateTime(); // the database answered
    else if (!semConexaoDesde_.isValid())
        semConexaoDesde_ = agora;
    Rotulo(janela_->lblSituacao).defineCaption(textoDaSituacao(erro, agora));
    if (janela_->isVisible())
        voltando_ = false;
    atualizaDica();
}

void Aplicacao::atualizaDica()
{
    if (!bandeja_ || !janela_)
        return;
    QString dica;
    if (janela_->isVisible())
        dica = QStringLiteral("Contas vencendo hoje na tela");
    else if (agenda_->prazo().isValid())
        dica = QStringLiteral("Próximo aviso às ") + horaMinuto(agenda_->prazo());
    else
        dica = QStringLiteral("OrvoAviso");
    if (semConexaoDesde_.isValid())
        dica += QLatin1Char('\n') + textoSemConexaoDesde(semConexaoDesde_);
    bandeja_->defineDica(dica);
}
