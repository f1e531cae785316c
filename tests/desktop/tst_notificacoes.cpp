// Desktop notifications on a real session bus of the test's own, received by
// a small notification service that records what it is sent; and the one
// notification of each notice that comes back.
#include "notice/ApoioAviso.h"
#include "support/BarramentoTeste.h"

#include "desktop/Notificacoes.h"
#include "startup/Aplicacao.h"

#include <QDBusConnection>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
const QString Servico = QStringLiteral("org.freedesktop.Notifications");

struct Recebida {
    QString aplicacao, icone, resumo, corpo;
};

// The desktop's notification service, as far as the program uses it.
class ServicoNotificacoes : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<Recebida> recebidas;

public slots:
    uint Notify(const QString &aplicacao, uint, const QString &icone, const QString &resumo, const QString &corpo,
                const QStringList &, const QVariantMap &, int)
    {
        recebidas.append({aplicacao, icone, resumo, corpo});
        return uint(recebidas.size());
    }
};
} // namespace

class TestNotificacoes : public QObject {
    Q_OBJECT
    std::unique_ptr<BarramentoTeste> barramento;
    ServicoNotificacoes servico;
    QDBusConnection conexaoServico{QString()};

    void publicaServico()
    {
        conexaoServico = QDBusConnection::connectToBus(barramento->endereco(), QStringLiteral("servico-notificacoes"));
        QVERIFY(conexaoServico.isConnected());
        QVERIFY(conexaoServico.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &servico,
                                              QDBusConnection::ExportAllSlots));
        QVERIFY(conexaoServico.registerService(Servico));
    }

private slots:
    void initTestCase()
    {
        barramento = std::make_unique<BarramentoTeste>();
        QVERIFY2(!barramento->endereco().isEmpty(), "dbus-daemon não iniciou");
        qputenv("DBUS_SESSION_BUS_ADDRESS", barramento->endereco().toUtf8());
    }
    void cleanupTestCase()
    {
        if (conexaoServico.isConnected())
            QDBusConnection::disconnectFromBus(QStringLiteral("servico-notificacoes"));
        barramento.reset();
    }
    void init()
    {
        iniciaCaso(QDate());
        agendamento::defineMilissegundosPorMinuto(20);
        servico.recebidas.clear();
    }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    // With no notification service on the bus, nothing is sent and nothing
    // fails; this runs first, before the service is there.
    void semServicoNadaEnviado()
    {
        QVERIFY(!notificacoes::envia(QStringLiteral("OrvoAviso"), QStringLiteral("orvoaviso"), QStringLiteral("x"),
                                     QStringLiteral("y")));
        publicaServico();
        QVERIFY(notificacoes::envia(QStringLiteral("OrvoAviso"), QStringLiteral("orvoaviso"), QStringLiteral("x"),
                                    QStringLiteral("y")));
        QTRY_COMPARE(servico.recebidas.size(), 1);
        QCOMPARE(servico.recebidas[0].resumo, QStringLiteral("x"));
    }

    void corpo_data()
    {
        QTest::addColumn<QString>("regional");
        QTest::addColumn<QString>("corpo");
        QTest::newRow("pt_BR") << "pt_BR" << QStringLiteral("3 a receber: 5.990,45 · 1.204 a pagar: 5.607,77");
        QTest::newRow("en_US") << "en_US" << QStringLiteral("3 a receber: 5,990.45 · 1,204 a pagar: 5,607.77");
    }
    // Counts and totals in the workstation's number format.
    void corpo()
    {
        QFETCH(QString, regional);
        QFETCH(QString, corpo);
        usaRegional(qPrintable(regional));
        ResumoContas resumo;
        resumo.quantidade = {3, 1204};
        resumo.total = {5990.45, 5607.77};
        QCOMPARE(Aplicacao::corpoNotificacao(resumo), corpo);
    }

    // The first filling sends nothing; each notice that comes back and has
    // read sends one notification.
    void umaPorRetorno()
    {
        if (!conexaoServico.isConnected())
            publicaServico();
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        const QDate hoje = QDate::currentDate();
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        d.parcela(1, 1, hoje, hoje, 1000.00);
        d.parcela(2, 1, hoje, hoje, 4990.45);
        d.fornecedor(1, QStringLiteral("Beta"));
        d.conta(20, "P", {}, 1, {}, QStringLiteral("y"));
        d.parcela(30, 20, hoje, hoje, 5607.77);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QTest::qWait(200);
        QCOMPARE(servico.recebidas.size(), 0);

        for (int aviso = 1; aviso <= 2; ++aviso) {
            j.txtHora->setText(QStringLiteral("0.01"));
            j.cmdAvisar->click();
            QVERIFY(!j.isVisible());
            QTRY_VERIFY_WITH_TIMEOUT(j.isVisible() && !j.trmEsconde.ativo(), 10000);
            QVERIFY(esperaLeituras());
            QTRY_COMPARE(servico.recebidas.size(), aviso);
        }
        QTest::qWait(200);
        QCOMPARE(servico.recebidas.size(), 2);
        const Recebida &r = servico.recebidas.last();
        QCOMPARE(r.aplicacao, QStringLiteral("OrvoAviso"));
        QCOMPARE(r.resumo, QStringLiteral("Contas vencendo hoje"));
        QCOMPARE(r.corpo, QStringLiteral("2 a receber: 5.990,45 · 1 a pagar: 5.607,77"));
        QCOMPARE(r.icone, QStringLiteral("orvoaviso"));
    }
};

QTEST_MAIN(TestNotificacoes)
#include "tst_notificacoes.moc"
