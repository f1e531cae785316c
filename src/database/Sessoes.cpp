#include "database/Sessoes.h"
#include "database/BancoDados.h"
#include "database/firebird/SessaoFirebird.h"
#include "database/odbc/SessaoOdbc.h"

namespace bancodados {

std::unique_ptr<Sessao> abreSessao(const Destino &destino, const QString &nomeQt, int esperaSegundos)
{
    if (destino.driver == QLatin1String("QIBASE"))
        return abreSessaoFirebird(destino, esperaSegundos);
    return abreSessaoOdbc(destino, nomeQt, esperaSegundos);
}

} // namespace bancodados
