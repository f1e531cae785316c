#pragma once
#include <QString>

// The delay typed into txtHora: whole hours, a separator ("." or ","), then
// minutes as up to two digits ("1.00" one hour, "0,30" thirty minutes).
struct Intervalo {
    enum Resultado { Aceito, TempoInvalido, AcimaDeUmaHora };
    Resultado resultado = TempoInvalido;
    int minutos = 0;
};

Intervalo leIntervalo(const QString &texto);
