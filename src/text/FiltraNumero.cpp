#include "text/FiltraNumero.h"

#include "regional/RetornaConfigWin.h"

QChar separadorDoTipo(int tipoDecimal)
{
    return tipoDecimal == TipoDecimalVirgula ? QLatin1Char(',') : QLatin1Char('.');
}

QString FiltraNumero(const QString &texto, const QString &tipo)
{
    const QChar separador = separadorDoTipo(RetornaConfigWin());
    if (!tipo.startsWith(QLatin1Char('I')) && !tipo.startsWith(QLatin1Char('N')))
        return texto;

    bool sinais = false, decimal = false;
    if (tipo == QLatin1String("IN")) {
        sinais = true;
    } else if (tipo == QLatin1String("I+") || tipo == QLatin1String("I-")) {
    } else if (tipo == QLatin1String("NU")) {
        sinais = decimal = true;
    } else if (tipo == QLatin1String("N+") || tipo == QLatin1String("N-")) {
        decimal = true;
    } else {
        return texto;
    }

    QString resultado;
    for (const QChar c : texto) {
        const bool digito = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool sinal = c == QLatin1Char('+') || c == QLatin1Char('-');
        if (digito || (sinais && sinal) || (decimal && c == separador))
            resultado += c;
    }
    return resultado;
}
