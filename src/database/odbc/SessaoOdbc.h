#pragma once
#include "database/LinhaDoBanco.h"

// The ODBC layer as a connection's session: Qt's QODBC driver over the
// workstation's driver manager, the connection opened read-only.
namespace bancodados {

struct Destino;

// Opens the data source the destination names under the Qt connection name
// given; raises ErroSistema when it cannot. A positive esperaSegundos is the
// driver's login timeout.
std::unique_ptr<Sessao> abreSessaoOdbc(const Destino &destino, const QString &nomeQt, int esperaSegundos);

} // namespace bancodados
