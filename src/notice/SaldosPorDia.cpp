#include "notice/SaldosPorDia.h"

#include <cmath>

namespace {
double emCentavos(double valor)
{
    const double centavos = std::round(valor * 100.0) / 100.0;
    return centavos == 0 ? 0.0 : centavos; // no negative zero
}
} // namespace

QVector<SaldoDoDia> saldosPorDia(const QMap<QDate, double> &receber, const QMap<QDate, double> &pagar)
{
    QMap<QDate, SaldoDoDia> dias;
    for (auto it = receber.cbegin(); it != receber.cend(); ++it)
        dias[it.key()].receber = emCentavos(it.value());
    for (auto it = pagar.cbegin(); it != pagar.cend(); ++it)
        dias[it.key()].pagar = emCentavos(it.value());
    QVector<SaldoDoDia> saldos;
    double acumulado = 0;
    for (auto it = dias.begin(); it != dias.end(); ++it) {
        SaldoDoDia s = it.value();
        s.dia = it.key();
        s.saldo = emCentavos(s.receber - s.pagar);
        acumulado = emCentavos(acumulado + s.saldo);
        s.acumulado = acumulado;
        saldos << s;
    }
    return saldos;
}
