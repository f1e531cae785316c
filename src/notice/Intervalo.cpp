#include "notice/Intervalo.h"

#include <QRegularExpression>

Intervalo leIntervalo(const QString &texto)
{
    Intervalo intervalo;
    // Digits, then optionally one separator followed by digits; anything else
    // (letters, ".30", "1.", a sign) is not a delay.
    static const QRegularExpression forma(QStringLiteral("^ *([0-9]+)(?:[.,]([0-9]+))? *$"));
    const QRegularExpressionMatch partes = forma.match(texto);
    if (texto.isEmpty() || !partes.hasMatch())
        return intervalo;

    // The whole part looks for "." first and the minutes part for "," first;
    // with one separator at most both find the same one.
    bool cabe = false;
    const qlonglong horas = partes.captured(1).toLongLong(&cabe);
    if (!cabe || horas > 32767) {
        intervalo.resultado = Intervalo::AcimaDeUmaHora;
        return intervalo;
    }
    // Two characters are taken after the separator: "0.5" is five minutes,
    // "0.305" thirty.
    const int minutos = partes.captured(2).left(2).toInt();
    const qlonglong total = (horas > 0 ? horas * 60 : 0) + (minutos > 0 ? minutos : 0);
    if (total == 0)
        return intervalo; // a zero delay would hide the window with no notice pending
    intervalo.minutos = int(total); // at most 32767 hours and 99 minutes
    intervalo.resultado = total <= 60 ? Intervalo::Aceito : Intervalo::AcimaDeUmaHora;
    return intervalo;
}
