#pragma once
#include <cstddef>
#include <cstdint>

// The memory the start-up allocates on the window's thread (the window, its
// fonts, the grids' cells, the picture it paints into) comes from huge pages:
// on a virtual machine every first touch of an ordinary 4 KB page costs an
// exit to the host, thousands of them in a start-up.
namespace memoria {

// A huge page's size, and the first boundary of one at or above an address.
constexpr std::uintptr_t PaginaGrande = 2u << 20;
constexpr std::uintptr_t inicioDePaginaGrande(std::uintptr_t endereco)
{
    return (endereco + PaginaGrande - 1) & ~(PaginaGrande - 1);
}

// Grows the heap once by `reserva` bytes and asks the system for huge pages
// over it; later growth goes in steps of the same size. Also reserves the area
// of the libraries' own mappings (MapeamentosDoInicio.h). Call first thing in
// main(), on the window's thread. False when the heap was left as it was (the
// system keeps ordinary pages, everything works as before).
constexpr std::size_t ReservaPadrao = 8u << 20;
bool preparaParaOInicio(std::size_t reserva = ReservaPadrao);

} // namespace memoria
