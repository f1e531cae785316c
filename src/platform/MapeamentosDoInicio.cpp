#include "platform/MapeamentosDoInicio.h"
#include "platform/MemoriaDoInicio.h"

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>

namespace memoria {
namespace {

using Mmap = void *(*)(void *, std::size_t, int, int, int, off_t);

Mmap mmapDoSistema()
{
    static const auto proprio = reinterpret_cast<Mmap>(dlsym(RTLD_NEXT, "mmap64"));
    return proprio;
}

char *inicioDaArea = nullptr;
char *fimDaArea = nullptr;
// The area's next free byte; null while no area is reserved. Pieces are
// handed out once, one after the other: what a library unmaps goes back to
// the system, never to another request.
std::atomic<char *> livre{nullptr};

void *pedacoDaArea(std::size_t tamanho)
{
    static const std::size_t pagina = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    tamanho = (tamanho + pagina - 1) & ~(pagina - 1);
    char *pedaco = livre.load(std::memory_order_acquire);
    while (pedaco && static_cast<std::size_t>(fimDaArea - pedaco) >= tamanho)
        if (livre.compare_exchange_weak(pedaco, pedaco + tamanho, std::memory_order_acq_rel))
            return pedaco;
    return nullptr;
}

} // namespace

bool reservaMapeamentosDoInicio(std::size_t tamanho)
{
    if (livre.load() || !mmapDoSistema())
        return false;
    // Huge pages need whole 2 MB pages: the area starts at a boundary, and
    // what the system gave around it goes back.
    void *bruto = mmapDoSistema()(nullptr, tamanho + PaginaGrande, PROT_READ | PROT_WRITE,
                                  MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (bruto == MAP_FAILED)
        return false;
    const auto deBruto = reinterpret_cast<std::uintptr_t>(bruto);
    const auto de = inicioDePaginaGrande(deBruto);
    if (de > deBruto)
        munmap(bruto, de - deBruto);
    munmap(reinterpret_cast<void *>(de + tamanho), deBruto + PaginaGrande - de);
    if (madvise(reinterpret_cast<void *>(de), tamanho, MADV_HUGEPAGE) != 0) {
        munmap(reinterpret_cast<void *>(de), tamanho);
        return false;
    }
    inicioDaArea = reinterpret_cast<char *>(de);
    fimDaArea = inicioDaArea + tamanho;
    livre.store(inicioDaArea, std::memory_order_release);
    return true;
}

bool naAreaDosMapeamentos(const void *endereco)
{
    const auto *byte = static_cast<const char *>(endereco);
    return livre.load(std::memory_order_acquire) && byte >= inicioDaArea && byte < fimDaArea;
}

} // namespace memoria

// Every mapping the process's libraries ask for comes here first (the engine
// asks for mmap64, others for mmap). Fresh pieces of the area are zeroed, as a
// new anonymous mapping is.
extern "C" void *mmap64(void *endereco, std::size_t tamanho, int protecao, int opcoes, int arquivo,
                        off_t deslocamento) noexcept
{
    if (!endereco && protecao == (PROT_READ | PROT_WRITE) && opcoes == (MAP_PRIVATE | MAP_ANONYMOUS)
        && tamanho > 0 && tamanho <= memoria::MaiorMapeamentoDaArea)
        if (void *pedaco = memoria::pedacoDaArea(tamanho))
            return pedaco;
    return memoria::mmapDoSistema()(endereco, tamanho, protecao, opcoes, arquivo, deslocamento);
}

extern "C" void *mmap(void *endereco, std::size_t tamanho, int protecao, int opcoes, int arquivo,
                      off_t deslocamento) noexcept
{
    return mmap64(endereco, tamanho, protecao, opcoes, arquivo, deslocamento);
}
