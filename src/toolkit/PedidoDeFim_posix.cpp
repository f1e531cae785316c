#include "toolkit/FimImediato.h"
#include "toolkit/Toolkit.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace toolkit {

void encerraComPedidoDoSistema(std::function<void()> antesDoFim)
{
    defineAntesDoFimImediato(std::move(antesDoFim));
    // The two signals are blocked in every thread (threads started later,
    // the database client's among them, inherit the mask) and taken by one
    // thread of their own: no handler the database client installs when it
    // loads or attaches ever sees them, and they end the program at any
    // moment, also while the connection opens or a message box is up.
    // Nothing is written to the database, so nothing is lost by ending at once.
    static sigset_t sinais;
    sigemptyset(&sinais);
    sigaddset(&sinais, SIGTERM);
    sigaddset(&sinais, SIGINT);
    if (pthread_sigmask(SIG_BLOCK, &sinais, nullptr) != 0)
        return;
    std::thread([] {
        int sinal = 0;
        while (sigwait(&sinais, &sinal) != 0) {
        }
        fimImediato(0);
    }).detach();
}

} // namespace toolkit
