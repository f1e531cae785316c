// The day-by-day balances of the coming days, without a database.
#include "notice/SaldosPorDia.h"

#include <QTest>
#include <cmath>

using Somas = QMap<QDate, double>;
Q_DECLARE_METATYPE(Somas)

namespace {
const QDate D1(2026, 12, 9), D2(2026, 12, 10), D3(2026, 12, 15);

// "day|receber|pagar|saldo|acumulado", amounts with two decimals.
QStringList comoTexto(const QVector<SaldoDoDia> &saldos)
{
    QStringList linhas;
    for (const SaldoDoDia &s : saldos)
        linhas << QStringLiteral("%1|%2|%3|%4|%5")
                      .arg(s.dia.toString(QStringLiteral("dd/MM")))
                      .arg(s.receber, 0, 'f', 2)
                      .arg(s.pagar, 0, 'f', 2)
                      .arg(s.saldo, 0, 'f', 2)
                      .arg(s.acumulado, 0, 'f', 2);
    return linhas;
}
} // namespace

class TestSaldosPorDia : public QObject {
    Q_OBJECT
private slots:
    void saldos_data()
    {
        QTest::addColumn<Somas>("receber");
        QTest::addColumn<Somas>("pagar");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("nada") << Somas{} << Somas{} << QStringList{};
        QTest::newRow("so a receber") << Somas{{D2, 100.0}, {D1, 50.5}} << Somas{}
                                      << QStringList{"09/12|50.50|0.00|50.50|50.50", "10/12|100.00|0.00|100.00|150.50"};
        QTest::newRow("so a pagar") << Somas{} << Somas{{D3, 80.1}}
                                    << QStringList{"15/12|0.00|80.10|-80.10|-80.10"};
        // Days of one side only and of both, in date order; the running sum
        // goes negative and comes back.
        QTest::newRow("os dois lados")
            << Somas{{D1, 200.0}, {D3, 1000.0}} << Somas{{D1, 50.0}, {D2, 400.0}}
            << QStringList{"09/12|200.00|50.00|150.00|150.00", "10/12|0.00|400.00|-400.00|-250.00",
                           "15/12|1000.00|0.00|1000.00|750.00"};
        // Sums of cents that binary fractions miss: nothing is nothing, never
        // a negative zero.
        QTest::newRow("centavos") << Somas{{D1, 0.1 + 0.2}} << Somas{{D1, 0.3}}
                                  << QStringList{"09/12|0.30|0.30|0.00|0.00"};
        QTest::newRow("acumulado volta a zero") << Somas{{D1, 10.01}, {D2, 0.0}} << Somas{{D2, 10.01}}
                                                << QStringList{"09/12|10.01|0.00|10.01|10.01",
                                                               "10/12|0.00|10.01|-10.01|0.00"};
        // Instalments of no amount still give their day a row.
        QTest::newRow("dia sem valor") << Somas{{D2, 0.0}} << Somas{}
                                       << QStringList{"10/12|0.00|0.00|0.00|0.00"};
    }
    void saldos()
    {
        QFETCH(Somas, receber);
        QFETCH(Somas, pagar);
        QFETCH(QStringList, esperado);
        const QVector<SaldoDoDia> saldos = saldosPorDia(receber, pagar);
        QCOMPARE(comoTexto(saldos), esperado);
        for (const SaldoDoDia &s : saldos) {
            QVERIFY(!std::signbit(s.saldo) || s.saldo != 0);
            QVERIFY(!std::signbit(s.acumulado) || s.acumulado != 0);
        }
    }
};

QTEST_APPLESS_MAIN(TestSaldosPorDia)
#include "tst_saldospordia.moc"
