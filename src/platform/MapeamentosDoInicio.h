#pragma once
#include <cstddef>

// The memory the libraries map for themselves during the start-up (the
// embedded database engine's pools and the page buffers of its two
// attachments: some 14 MB, 2,000 first touches of ordinary 4 KB pages, each
// an exit to the host on a virtual machine) comes from one area asked for
// huge pages. The program defines mmap itself, which the libraries' calls
// reach first; only a reserved area changes what it does.
namespace memoria {

constexpr std::size_t AreaDosMapeamentos = 32u << 20;
// A larger request (a whole file's worth, say) is not the start-up's.
constexpr std::size_t MaiorMapeamentoDaArea = 8u << 20;

// Reserves the area: from then on each anonymous, private, read-write mapping
// asked without an address (and at most MaiorMapeamentoDaArea) is the next
// piece of it, until it is used up; every other request, and every one after
// that, goes to the system as before. Call once, before other threads start.
// False when nothing was reserved (everything works as before).
bool reservaMapeamentosDoInicio(std::size_t tamanho = AreaDosMapeamentos);

// Whether the address lies in the reserved area.
bool naAreaDosMapeamentos(const void *endereco);

} // namespace memoria
