#pragma once
#include <QString>

// Facts about the workstation's short date format, found by writing 31 December
// 1987 in it:
//   "M" the mask ("@@/@@/@@@@"), "S" the separator, "E" the template
//   ("dd/mm/aaaa"), "T" how many characters the integer filter keeps of the
//   sample, "L" the sample's length; any other code answers "".
// A format showing fewer than two year digits is reported to the user and every
// answer is "". When the order of day, month and year cannot be told, "M", "S"
// and "E" answer "".
QString RetornaFormatoData(const QString &codigo = QStringLiteral("M"));

QString mensagemFormatoDataInvalido();
