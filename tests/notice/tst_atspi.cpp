// The filled notice, overdue and coming days' windows as a screen reader reads
// them: through AT-SPI, from another process, on a desktop and accessibility
// bus of the test's own.
#include "ApoioAviso.h"
#include "notice/FrmAVencer.h"
#include "notice/FrmVencidas.h"
#include "support/BarramentoTeste.h"
#include "support/DesktopTeste.h"

#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <cstdio>
#include <memory>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
const QString Lancador = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
// Debian's interpreter, the one python3-pyatspi is installed for.
const QString Python = QStringLiteral("/usr/bin/python3");
// Why there is no accessibility bus; empty when there is one.
QString semBarramento;

const QString Aviso = QStringLiteral("Orvo Aviso - Versão 1.2");
const QString Vencidas = QStringLiteral("Contas Vencidas em Aberto");
const QString AVencer = QStringLiteral("Contas a Vencer");
} // namespace

class TestAtSpi : public QObject {
    Q_OBJECT
    const QDate hoje = QDate(2026, 12, 8);
    std::unique_ptr<Ambiente> amb;
    QList<QJsonObject> lidos;
    QString saida;

private slots:
    // The three windows filled from the database, then read once from outside.
    void initTestCase()
    {
        if (!semBarramento.isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL(qPrintable(semBarramento));
            QSKIP(qPrintable(semBarramento));
        }
        iniciaCaso(hoje);
        amb = std::make_unique<Ambiente>(Backend::Embutido);
        EXIGE_AMBIENTE(*amb);
        auto &d = amb->dados();
        const QDate ontem = hoje.addDays(-1), mesPassado = hoje.addMonths(-1);
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        d.parcela(1, 1, hoje, hoje, 1000.00);
        d.parcela(2, 1, hoje, hoje, 4990.45);
        d.parcela(3, 1, ontem, mesPassado, 100.00);
        d.parcela(4, 1, mesPassado, mesPassado, 200.50);
        d.parcela(5, 1, hoje.addDays(1), hoje, 250.00);
        d.fornecedor(1, QStringLiteral("Beta"));
        d.conta(20, "P", {}, 1, {}, QStringLiteral("y"));
        d.parcela(30, 20, hoje, hoje, 5607.77);
        d.parcela(31, 20, ontem, mesPassado, 1500.00);
        d.parcela(32, 20, hoje.addDays(2), hoje, 400.00);
        ambienteaviso::iniciaPrograma(amb->pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(QTest::qWaitFor([&] { return !j.resumoVencidasPendente(); }, 20000));
        QVERIFY(j.lblSituacao->text().startsWith(QStringLiteral("Atualizado às ")));
        j.cmdVencidas->click();
        QVERIFY(esperaLeituras());
        QVERIFY(FrmVencidas::carregada() && FrmVencidas::instancia().isVisible());
        j.cmdProximos->click();
        QVERIFY(esperaLeituras());
        QVERIFY(FrmAVencer::carregada() && FrmAVencer::instancia().isVisible());
        // Qt's bridge turns accessibility on once it has reached the bus.
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 15000);

        QProcess leitor;
        leitor.start(Python, {QStringLiteral(ORVO_LE_ATSPI), QString::number(QCoreApplication::applicationPid())});
        // The reader's questions are answered by this process's event loop.
        QVERIFY(QTest::qWaitFor([&] { return leitor.state() == QProcess::NotRunning; }, 120000));
        QVERIFY2(leitor.exitStatus() == QProcess::NormalExit && leitor.exitCode() == 0,
                 leitor.readAllStandardError().constData());
        saida = QString::fromUtf8(leitor.readAllStandardOutput());
        for (const QString &linha : saida.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            lidos << QJsonDocument::fromJson(linha.toUtf8()).object();
    }
    void cleanupTestCase()
    {
        ambienteaviso::encerraPrograma();
        amb.reset();
    }

    // Each value is read whole, with its heading, in the label's name; each
    // cell of the coming days' lists, in its table.
    void leitura_data()
    {
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QString>("tabela"); // none for a label
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::newRow("receber") << Aviso << "" << "Total Receber: 5.990,45" << "5.990,45";
        QTest::newRow("pagar") << Aviso << "" << "Total Pagar: 5.607,77" << "5.607,77";
        QTest::newRow("diferenca") << Aviso << "" << "Pagar-Receber: 382,68" << "382,68";
        const QString linha = QStringLiteral("Vencidas em aberto: 2 a receber (300,50) · 1 a pagar (1.500,00)");
        QTest::newRow("linha de vencidas") << Aviso << "" << linha << linha;
        const QString situacao = FrmRobo::instancia().lblSituacao->text();
        QTest::newRow("situacao") << Aviso << "" << situacao << situacao;
        QTest::newRow("vencidas receber") << Vencidas << "" << "Total Receber: 300,50" << "300,50";
        QTest::newRow("vencidas pagar") << Vencidas << "" << "Total Pagar: 1.500,00" << "1.500,00";
        QTest::newRow("a vencer receber") << AVencer << "" << "Total Receber: 250,00" << "250,00";
        QTest::newRow("a vencer pagar") << AVencer << "" << "Total Pagar: 400,00" << "400,00";
        const QString situacaoAVencer = FrmAVencer::instancia().lblSituacao->text();
        QTest::newRow("a vencer situacao") << AVencer << "" << situacaoAVencer << situacaoAVencer;
        QTest::newRow("a vencer parcela a receber") << AVencer << "Contas a Receber" << "Alfa - x" << "";
        QTest::newRow("a vencer valor a receber") << AVencer << "Contas a Receber" << "250,00" << "";
        QTest::newRow("a vencer parcela a pagar") << AVencer << "Contas a Pagar" << "Beta - y" << "";
        QTest::newRow("a vencer vencimento") << AVencer << "Contas a Pagar" << "10/12/2026" << "";
        QTest::newRow("dia") << AVencer << "Saldos por dia" << "09/12/2026" << "";
        QTest::newRow("a pagar no dia") << AVencer << "Saldos por dia" << "400,00" << "";
        QTest::newRow("saldo do dia") << AVencer << "Saldos por dia" << "-400,00" << "";
        QTest::newRow("saldo acumulado") << AVencer << "Saldos por dia" << "-150,00" << "";
    }
    void leitura()
    {
        QFETCH(QString, janela);
        QFETCH(QString, tabela);
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        const auto achado = std::find_if(lidos.cbegin(), lidos.cend(), [&](const QJsonObject &o) {
            return o.value(QStringLiteral("janela")).toString() == janela
                && o.value(QStringLiteral("tabela")).toString() == tabela
                && o.value(QStringLiteral("nome")).toString() == nome;
        });
        if (achado == lidos.cend())
            qWarning().noquote() << "lido pelo AT-SPI:\n" + saida;
        QVERIFY(achado != lidos.cend());
        if (!tabela.isEmpty()) {
            QCOMPARE(achado->value(QStringLiteral("papel")).toString(), QStringLiteral("table cell"));
            return;
        }
        QCOMPARE(achado->value(QStringLiteral("papel")).toString(), QStringLiteral("label"));
        // Qt 6.4 gives labels no Text interface; where the bridge gives one,
        // it holds what the label shows.
        const QJsonValue lido = achado->value(QStringLiteral("texto"));
        if (!lido.isNull())
            QCOMPARE(lido.toString(), texto);
    }
};

int main(int argc, char *argv[])
{
    DesktopTeste desktop;
    BarramentoTeste sessao;
    QProcess lancador;
    if (desktop.display().isEmpty())
        semBarramento = QStringLiteral("Xvfb/openbox não iniciaram");
    else if (sessao.endereco().isEmpty())
        semBarramento = QStringLiteral("dbus-daemon não iniciou");
    else if (!QFileInfo::exists(Lancador))
        semBarramento = QStringLiteral("sem at-spi-bus-launcher (at-spi2-core)");
    else if (QProcess::execute(Python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")}) != 0)
        semBarramento = QStringLiteral("sem python3-pyatspi");
    if (semBarramento.isEmpty()) {
        qputenv("DISPLAY", desktop.display().toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("DBUS_SESSION_BUS_ADDRESS", sessao.endereco().toLatin1());
        // Qt exports to AT-SPI with no desktop setting asking for it.
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        lancador.start(Lancador, {QStringLiteral("--launch-immediately")});
        if (!lancador.waitForStarted(10000))
            semBarramento = QStringLiteral("at-spi-bus-launcher não iniciou");
    }
    int resultado;
    {
        QApplication app(argc, argv);
        TestAtSpi teste;
        resultado = QTest::qExec(&teste, argc, argv);
    }
    if (lancador.state() != QProcess::NotRunning) {
        lancador.terminate();
        if (!lancador.waitForFinished(5000)) {
            lancador.kill();
            lancador.waitForFinished(5000);
        }
    }
    return resultado;
}
#include "tst_atspi.moc"
