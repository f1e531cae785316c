#include "toolkit/FimImediato.h"
#include "toolkit/Toolkit.h"

#include <windows.h>

namespace toolkit {
namespace {
// Windows calls it in a thread of its own, at any moment, as the POSIX
// signals' thread is woken: Ctrl+C or Ctrl+Break in the console the program
// was started from, that console closed, the session ending.
BOOL WINAPI pedidoDoConsole(DWORD)
{
    fimImediato(0);
}
} // namespace

void encerraComPedidoDoSistema(std::function<void()> antesDoFim)
{
    defineAntesDoFimImediato(std::move(antesDoFim));
    SetConsoleCtrlHandler(pedidoDoConsole, TRUE);
}

} // namespace toolkit
