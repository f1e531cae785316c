// Scheduling of the notice: the delay confirmed by the user hides the window,
// the timer brings it back with fresh data.
#include "notice/FrmRobo.h"
#include "notice/Intervalo.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"

#include <QLineEdit>

namespace agendamento {
namespace {
int msPorMinuto = 60 * 1000;
}
int milissegundosPorMinuto() { return msPorMinuto; }
void defineMilissegundosPorMinuto(int ms) { msPorMinuto = ms; }
} // namespace agendamento

void FrmRobo::cmdAvisar_Click()
{
    const Intervalo intervalo = leIntervalo(txtHora->text());
    switch (intervalo.resultado) {
    case Intervalo::TempoInvalido:
        toolkit::caixaMensagem(QStringLiteral("Tempo Inválido"), toolkit::EstiloInformacao);
        return;
    case Intervalo::AcimaDeUmaHora:
        toolkit::caixaMensagem(QStringLiteral("O Intervalo não pode ser mais que 1 hora"), toolkit::EstiloInformacao);
        return;
    case Intervalo::Aceito:
        break;
    }
    trmEsconde.defineIntervalo(intervalo.minutos * agendamento::milissegundosPorMinuto());
    LimpaGrid();
    toolkit::escondeJanela(this);
    trmEsconde.defineAtivo(true);
}

void FrmRobo::trmEsconde_Timer()
{
    // Each notice is a single shot. Switched off first, so that no second tick
    // can arrive while an error report is on screen. The notice itself comes
    // through the program's one queue of readings.
    trmEsconde.defineAtivo(false);
    emit avisoPedido();
}

void FrmRobo::iniciaAviso()
{
    // Also when asked for otherwise than by the tick: a delay still counting
    // is superseded by this notice.
    trmEsconde.defineAtivo(false);
    LimpaGrid();
    toolkit::mostraJanela(this);
    // A refresh that fails (server stopped, network blip, statement refused)
    // is reported and the reminder lives on: the next notice tries again.
    CarregaContas();
}
