#include "regional/SimbolosDoSistema.h"

#include <QLocale>

// The locale variables (LC_ALL, LC_NUMERIC, LC_TIME, LANG) cannot change while
// the process runs: Qt's reading of them at start-up is the workstation's.
namespace sistema {
QString simboloDecimal() { return QLocale::system().decimalPoint(); }
QString simboloDeAgrupamento() { return QLocale::system().groupSeparator(); }
QString formatoDataCurta() { return QLocale::system().dateFormat(QLocale::ShortFormat); }
} // namespace sistema
