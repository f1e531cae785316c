#include "notice/ConsultasAVencer.h"

namespace avencer {
namespace {
const QString EntreOsDias = QStringLiteral("Between ? And ?");
} // namespace

using consultas::Consulta;

Consulta receber(const QDate &de, const QDate &ate) { return {consultas::partes::receber(EntreOsDias), {de, ate}}; }

Consulta pagar(const QDate &de, const QDate &ate)
{
    return {consultas::partes::pagar(EntreOsDias, consultas::partes::ligadoAParcela()),
            {de, ate, de, ate}}; // a pair for each half
}

} // namespace avencer
