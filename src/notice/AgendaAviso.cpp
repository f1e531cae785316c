#include "notice/AgendaAviso.h"
#include "desktop/Sessao.h"

#include <QTimer>

namespace agendamento {
namespace {
std::function<QDateTime()> &relogioDefinido()
{
    static std::function<QDateTime()> relogio;
    return relogio;
}
int msEntreVerificacoes = 10 * 1000;
} // namespace

QDateTime agora() { return relogioDefinido() ? relogioDefinido()() : QDateTime::currentDateTime(); }
void defineRelogio(std::function<QDateTime()> relogio) { relogioDefinido() = std::move(relogio); }
int milissegundosEntreVerificacoes() { return msEntreVerificacoes; }
void defineMilissegundosEntreVerificacoes(int ms) { msEntreVerificacoes = ms; }
} // namespace agendamento

AgendaAviso::AgendaAviso(QObject *pai)
    : QObject(pai), temporizador_(new QTimer(this)), verificacao_(new QTimer(this))
{
    connect(temporizador_, &QTimer::timeout, this, [this] {
        prazo_ = QDateTime();
        verificacao_->stop();
        emit venceu();
    });
    connect(verificacao_, &QTimer::timeout, this, &AgendaAviso::verifica);
}

void AgendaAviso::temporizadorMudou(bool contando)
{
    if (!contando) {
        prazo_ = QDateTime();
        verificacao_->stop();
        emit prazoMudou();
        return;
    }
    // The session's wake-up is listened to from the first delay on, not at
    // start-up, which stays free of the system bus.
    if (!ouvindoSessao_) {
        ouvindoSessao_ = true;
        sessao::aoRetomar(this, [this] { verifica(); });
    }
    prazo_ = agendamento::agora().addMSecs(temporizador_->interval());
    verificacao_->start(agendamento::milissegundosEntreVerificacoes());
    emit prazoMudou();
}

void AgendaAviso::verifica()
{
    if (!temporizador_->isActive() || !prazo_.isValid() || agendamento::agora() < prazo_)
        return;
    temporizador_->stop();
    prazo_ = QDateTime();
    verificacao_->stop();
    emit prazoMudou();
    emit venceu();
}
