#pragma once
#include <QString>

// Strips a text down to the characters that a numeric type code allows: digits,
// plus signs for "IN" and "NU", plus the workstation's decimal separator for
// "NU", "N+" and "N-". Codes that do not begin with "I" or "N" leave the text as
// it is, and so do other codes beginning with them.
QString FiltraNumero(const QString &texto, const QString &tipo);

// The decimal separator of a decimal kind: ',' for kind 1, '.' otherwise.
QChar separadorDoTipo(int tipoDecimal);
