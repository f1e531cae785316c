#include "platform/MemoriaDoInicio.h"
#include "platform/MapeamentosDoInicio.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace memoria {
namespace {
// Huge pages begin at the first 2 MB boundary above the heap's old end; the
// heap's free space at the top begins below it, in ordinary pages (the 2 MB
// page around the old end already holds some of the heap's pages, so it
// cannot be huge) that the start-up would use first: up to 2 MB of them,
// some 500 first touches. Blocks kept for good take that gap (only their
// headers are ever written, a page each; the address space is all they
// cost), so that what is allocated next comes from the huge pages.
void pulaAteAPaginaGrande(std::uintptr_t paginaGrande)
{
    constexpr std::size_t Salto = 96u * 1024; // under the size mapped on its own
    constexpr std::size_t MaximoDeBlocos = PaginaGrande / Salto + 2; // the gap is under one huge page
    static std::vector<void *> guardados;
    guardados.reserve(MaximoDeBlocos);
    while (guardados.size() < MaximoDeBlocos) {
        void *bloco = std::malloc(Salto);
        if (!bloco)
            return;
        if (reinterpret_cast<std::uintptr_t>(bloco) >= paginaGrande) {
            std::free(bloco); // back to the top, which now begins in the huge pages
            return;
        }
        guardados.push_back(bloco);
    }
}
} // namespace

bool preparaParaOInicio(std::size_t reserva)
{
    reservaMapeamentosDoInicio();
    // The heap grows, and is kept, in steps of `reserva`: what the start-up
    // frees stays for the next notice instead of going back and forth.
    if (mallopt(M_TOP_PAD, static_cast<int>(reserva)) != 1)
        return false;
    // Blocks taken from the free space at the top make the heap grow, by the
    // block and the whole step, once that space runs out; freed, they leave
    // it all free at the top for what comes next.
    void *const inicio = sbrk(0);
    constexpr std::size_t Bloco = 32u * 1024; // well under the size mapped on its own
    std::vector<void *> blocos;
    while (sbrk(0) == inicio && blocos.size() < 256)
        blocos.push_back(std::malloc(Bloco));
    for (void *bloco : blocos)
        std::free(bloco);
    void *const fim = sbrk(0);
    if (fim == inicio || fim == reinterpret_cast<void *>(-1))
        return false;
    // Only whole huge pages inside the new space can be huge.
    const auto de = inicioDePaginaGrande(reinterpret_cast<std::uintptr_t>(inicio));
    const auto ate = reinterpret_cast<std::uintptr_t>(fim) & ~(PaginaGrande - 1);
    if (ate <= de || madvise(reinterpret_cast<void *>(de), ate - de, MADV_HUGEPAGE) != 0)
        return false;
    pulaAteAPaginaGrande(de);
    return true;
}

} // namespace memoria
