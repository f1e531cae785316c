#pragma once
#include "notice/ConsultasContas.h"

#include <QDate>

// The statements of the instalments falling due in the coming days: the
// notice's own statements with the due day compared against the first and
// the last day, both bound as parameters of type date, so no database reads
// them by its own date order.
namespace avencer {

consultas::Consulta receber(const QDate &de, const QDate &ate);
consultas::Consulta pagar(const QDate &de, const QDate &ate);

} // namespace avencer
