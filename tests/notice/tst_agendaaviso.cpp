// The notice's delay counted on the wall clock: checked every little while
// and when the machine wakes, bounded by the typed delay when the clock goes
// back.
#include "ApoioAviso.h"
#include "notice/AgendaAviso.h"
#include "startup/Aplicacao.h"
#include "support/BarramentoTeste.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
QDateTime relogio;
const QDate Hoje(2026, 12, 8);
}

class TestAgendaAviso : public QObject {
    Q_OBJECT
    // A bus of the test's own stands for the system bus, with a logind of
    // the test's own on it that only says the machine woke up.
    std::unique_ptr<BarramentoTeste> sistema;
    QDBusConnection logind{QString()};

    void acordaMaquina(bool indo)
    {
        QDBusMessage sinal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                        QStringLiteral("org.freedesktop.login1.Manager"),
                                                        QStringLiteral("PrepareForSleep"));
        sinal << indo;
        QVERIFY(logind.send(sinal));
    }

    // Starts the program and confirms a notice of 30 minutes at 10:00.
    void confirmaMeiaHora(Ambiente &amb)
    {
        QVERIFY(iniciaComUmaParcela(amb, Hoje));
        FrmRobo &j = FrmRobo::instancia();
        j.txtHora->setText(QStringLiteral("0.30"));
        j.cmdAvisar->click();
        QVERIFY(!j.isVisible());
        QCOMPARE(Aplicacao::instancia().agenda().prazo(), QDateTime(Hoje, QTime(10, 30)));
        amb.dados().parcela(2, 1, Hoje, Hoje, 5.00);
    }

private slots:
    void initTestCase()
    {
        sistema = std::make_unique<BarramentoTeste>();
        QVERIFY2(!sistema->endereco().isEmpty(), "dbus-daemon não iniciou");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", sistema->endereco().toUtf8());
        logind = QDBusConnection::connectToBus(sistema->endereco(), QStringLiteral("logind-teste"));
        QVERIFY(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    }
    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("logind-teste"));
        sistema.reset();
    }
    void init()
    {
        iniciaCaso(Hoje);
        relogio = QDateTime(Hoje, QTime(10, 0));
        agendamento::defineRelogio([] { return relogio; });
        agendamento::defineMilissegundosPorMinuto(60 * 1000);
        agendamento::defineMilissegundosEntreVerificacoes(20);
    }
    void cleanup()
    {
        ambienteaviso::encerraPrograma();
        agendamento::defineRelogio({});
        agendamento::defineMilissegundosEntreVerificacoes(10 * 1000);
    }

    void passouDoPrazo_data()
    {
        QTest::addColumn<QTime>("hora");
        QTest::addColumn<bool>("volta");
        QTest::newRow("10:29:59") << QTime(10, 29, 59) << false;
        QTest::newRow("10:30") << QTime(10, 30) << true;
        QTest::newRow("depois de suspensa") << QTime(11, 15) << true;
    }
    // The window comes back at the check after the clock reached the deadline,
    // long before the timer's own half hour.
    void passouDoPrazo()
    {
        QFETCH(QTime, hora);
        QFETCH(bool, volta);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        confirmaMeiaHora(amb);
        FrmRobo &j = FrmRobo::instancia();
        relogio = QDateTime(Hoje, hora);
        if (!volta) {
            QTest::qWait(300);
            QVERIFY(!j.isVisible());
            QVERIFY(j.trmEsconde.ativo());
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(j.isVisible() && !j.trmEsconde.ativo(), 5000);
        QVERIFY(esperaLeituras());
        QCOMPARE(linhasPreenchidas(j.grdRec), 2);
        QVERIFY(!Aplicacao::instancia().agenda().prazo().isValid());
    }

    // Waking from suspend checks at once, without waiting for the next check.
    void aoAcordar()
    {
        agendamento::defineMilissegundosEntreVerificacoes(10 * 60 * 1000);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        confirmaMeiaHora(amb);
        FrmRobo &j = FrmRobo::instancia();
        relogio = QDateTime(Hoje, QTime(10, 50));
        acordaMaquina(true); // going to sleep: nothing
        QTest::qWait(300);
        QVERIFY(!j.isVisible());
        acordaMaquina(false);
        QTRY_VERIFY_WITH_TIMEOUT(j.isVisible() && !j.trmEsconde.ativo(), 5000);
        QVERIFY(esperaLeituras());
        QCOMPARE(linhasPreenchidas(j.grdRec), 2);
    }

    // The clock set back a day right after the click: the notice still comes
    // back after the typed delay, not a day later.
    void relogioAtrasado()
    {
        agendamento::defineMilissegundosPorMinuto(20);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        j.txtHora->setText(QStringLiteral("0.30"));
        QElapsedTimer desde;
        desde.start();
        j.cmdAvisar->click();
        relogio = relogio.addDays(-1);
        QTRY_VERIFY_WITH_TIMEOUT(j.isVisible() && !j.trmEsconde.ativo(), 10000);
        QVERIFY(esperaLeituras());
        QVERIFY(desde.elapsed() >= 30 * 20 - 5);
    }
};

QTEST_MAIN(TestAgendaAviso)
#include "tst_agendaaviso.moc"
