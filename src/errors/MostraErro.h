#pragma once
#include <QString>

// Name of the system, shown in the error report's title and in the regional messages.
inline const QString NomeSistema = QStringLiteral("OrvoAviso");

// Turns the current error into one modal message box (exclamation icon) with the
// description and number on the first line and "LOCAL: " plus the location on the
// second, then clears the current error. A failure the program knows (see
// ExplicacaoFalha) has its Portuguese sentence on a line before them.
void MostraErro(const QString &local);

// The two texts of the box, as MostraErro builds them (exposed for reuse and tests).
QString tituloMostraErro();
QString textoMostraErro(long numero, const QString &descricao, const QString &local);
