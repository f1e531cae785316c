#pragma once
#include <QString>
#include <functional>

struct ErroCorrente;

// Name of the system, shown in the error report's title and in the regional messages.
inline const QString NomeSistema = QStringLiteral("OrvoAviso");

// Turns the current error into one modal message box (exclamation icon) with the
// description and number on the first line and "LOCAL: " plus the location on the
// second, then clears the current error. A failure the program knows has its
// Portuguese sentence on a line before them.
void MostraErro(const QString &local);
// The sentence for a failure (empty when the program does not know it): set
// by the start-up, which knows the program's configuration and its messages.
void defineExplicacaoDeFalhas(std::function<QString(const ErroCorrente &)> explica);
// That sentence, for a window that also tells the failure in a line of its own.
QString explicacaoDaFalha(const ErroCorrente &erro);

// The two texts of the box, as MostraErro builds them (exposed for reuse and tests).
QString tituloMostraErro();
QString textoMostraErro(long numero, const QString &descricao, const QString &local);
