#include "startup/Aplicacao.h"
#include "notice/FrmRobo.h"
#include "notice/FrmVencidas.h"
#include "notice/GuardaRetorno.h"
#include "notice/Imagens.h"
#include "platform/Bandeja.h"
#include "platform/Formatacao.h"
#include "platform/Janela.h"
#include "platform/Notificacoes.h"
#include "platform/Toolkit.h"
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
}

Aplicacao::~Aplicacao() = default;

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
    janela->installEventFilter(this);
    new GuardaRetorno(janela, {janela->cmdAvisar, janela->cmdFechar});
    connect(janela, &FrmRobo::contasLidas, this, &Aplicacao::leu);
    connect(janela, &FrmRobo::leituraFalhou, this, &Aplicacao::falhou);

    if (Bandeja::disponivel()) {
        bandeja_ = std::make_unique<Bandeja>(QIcon::fromTheme(NomeIcone, iconeJanela()), nullptr);
        bandeja_->adicionaItem(QStringLiteral("Avisar agora"), [this] { avisaAgora(); });
        bandeja_->adicionaItem(QStringLiteral("Contas vencidas"),
                               [] { toolkit::executaManipulador([] { FrmVencidas::abre(); }); });
        bandeja_->adicionaItem(QStringLiteral("Sair"), [this] { sai(); });
        // The icon goes with the window: its end is the program's.
        connect(janela, &QObject::destroyed, this, [this] { bandeja_.reset(); });
        atualizaDica();
    }
}

void Aplicacao::avisaAgora()
{
    if (!janela_)
        return;
    FrmRobo *janela = janela_;
    toolkit::executaManipulador([janela] { janela->trmEsconde_Timer(); });
}

void Aplicacao::sai()
{
    if (!janela_)
        return;
    FrmRobo *janela = janela_;
    toolkit::executaManipulador([janela] { janela->cmdFechar_Click(); });
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
