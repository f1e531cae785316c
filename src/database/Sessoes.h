#pragma once
#include "database/LinhaDoBanco.h"

namespace bancodados {

struct Destino;

// Opens the connection a connection string leads to, on the calling thread
// (the connection's own): Firebird through its client library, ODBC through
// Qt's QODBC driver. Raises ErroSistema when it cannot be opened. A positive
// esperaSegundos is the client's own bound on the connect (Firebird's connect
// timeout, ODBC's login timeout).
std::unique_ptr<Sessao> abreSessao(const Destino &destino, const QString &nomeQt, int esperaSegundos = 0);

} // namespace bancodados
