#pragma once
#include <QDate>
#include <QMap>
#include <QVector>

// The day-by-day table of the coming days: for each day that has an
// instalment, what falls due on each side, their difference (receivables
// minus payables) and its running sum from the first day. Amounts are kept to
// the cent, as they are shown, so a balance that is nothing is never "-0,00".
struct SaldoDoDia {
    QDate dia;
    double receber = 0;
    double pagar = 0;
    double saldo = 0;
    double acumulado = 0;
};

// The sums due on each day, per side; a day with instalments of no amount
// appears with zero.
QVector<SaldoDoDia> saldosPorDia(const QMap<QDate, double> &receber, const QMap<QDate, double> &pagar);
