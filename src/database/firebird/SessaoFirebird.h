#pragma once
#include "database/LinhaDoBanco.h"

// The Firebird client layer as a connection's session: statements through the
// client library's own API, each in its own read-only transaction.
namespace bancodados {

struct Destino;

// Attaches to the database the destination names; raises ErroSistema when it
// cannot. A positive esperaSegundos is the client's own connect timeout.
std::unique_ptr<Sessao> abreSessaoFirebird(const Destino &destino, int esperaSegundos);

} // namespace bancodados
