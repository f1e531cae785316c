// The database server goes away while the notice window is hidden and comes
// back: the Firebird server, and the PostgreSQL server behind the ODBC data
// source. At the notice the error report shows and the program stays; once the
// server is back, the next notice fills normally, new rows included. A server
// that hangs during a notice (stopped, as a dropped link looks) leaves the
// window alive: it paints, "Sair" and its close end the program at once, and
// the report comes at the reading's deadline; so does the overdue window.
// A notice asked for while one waits on the server is merged into it, by
// every way a notice is asked for; the program holds one connection.
#include "ApoioFalhas.h"
#include "support/BarramentoTeste.h"
#include "support/ServidoresTeste.h"
#include "notice/AgendaAviso.h"
#include "startup/IniciaSistema.h"
#include "desktop/InstanciaUnica.h"
#include "notice/FrmVencidas.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QSqlQuery>

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QWindow>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;
using namespace apoiofalhas;

namespace {

bool paraServidor(Backend b) { return b == Backend::Servidor ? servidoresteste::paraFirebird() : servidoresteste::paraPostgres(); }
bool iniciaServidor(Backend b) { return b == Backend::Servidor ? servidoresteste::iniciaFirebird() : servidoresteste::iniciaPostgres(); }

// A write connection made after the restart: the fixture's died with the server.
QSqlDatabase novaEscrita(const Ambiente &amb, const QString &nome)
{
    if (amb.backend() == Backend::Odbc)
        return servidoresteste::conexaoEscritaPostgres(nome);
    return bancoteste::abreEscritaFirebird(servidoresteste::nomeNoServidor(amb.arquivoBanco()), nome);
}

bool suspendeServidor(Backend b)
{
    return b == Backend::Servidor ? servidoresteste::suspendeFirebird() : servidoresteste::suspendePostgres();
}

// Paint events the window and its controls receive.
class ContaPinturas : public QObject {
public:
    int pinturas = 0;

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            ++pinturas;
        return false;
    }
};

// The deadlines in tenths: connecting 1.5 s, one notice's reading 6 s.
constexpr int MsPorSegundoNoTeste = 100;
constexpr int PrazoDeLeituraMs = bancodados::SegundosParaLer * MsPorSegundoNoTeste;

// The fixture's rows, the shortened deadlines, the program started and filled.
bool iniciaComDeadlinesCurtos(Ambiente &amb)
{
    preencheDados(amb.dados());
    bancodados::defineMilissegundosPorSegundo(MsPorSegundoNoTeste);
    ambienteaviso::iniciaPrograma(amb.pasta());
    return esperaPreenchimento();
}

// The connections to the database other than the asking one: Firebird's
// attachments, PostgreSQL's sessions.
int conexoesNoServidor(const Ambiente &amb)
{
    const QString nome = QStringLiteral("contagem");
    int n = -1;
    {
        QSqlQuery q(novaEscrita(amb, nome));
        const QString sql = amb.backend() == Backend::Odbc
            ? QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE datname = 'vendas' AND pid <> pg_backend_pid()")
            : QStringLiteral("SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$SYSTEM_FLAG = 0 "
                             "AND MON$ATTACHMENT_ID <> CURRENT_CONNECTION");
        if (q.exec(sql) && q.next())
            n = q.value(0).toInt();
    }
    bancoteste::fechaConexao(nome);
    return n;
}

QDateTime relogio;
} // namespace

class TestFalhasServidor : public QObject {
    Q_OBJECT
    QList<Contagem> contagens;
    // A bus of the test's own stands for the system bus, with a logind of
    // the test's own on it that only says the machine woke up.
    std::unique_ptr<BarramentoTeste> sistema;
    QDBusConnection logind{QString()};

private slots:
    void initTestCase()
    {
        sistema = std::make_unique<BarramentoTeste>();
        QVERIFY2(!sistema->endereco().isEmpty(), "dbus-daemon não iniciou");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", sistema->endereco().toUtf8());
        logind = QDBusConnection::connectToBus(sistema->endereco(), QStringLiteral("logind-teste"));
        QVERIFY(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    }

    void init()
    {
        iniciaCaso(Hoje);
    }

    void cleanup()
    {
        // Never leave a stopped server to the next tests.
        servidoresteste::retomaServidores();
        bancodados::defineMilissegundosPorSegundo(1000);
        ambienteaviso::encerraPrograma();
        bancoteste::fechaConexao(QStringLiteral("escrita-depois"));
        // A failed test must not leave the next ones without their servers.
        if (servidoresteste::disponiveis()) {
            if (!servidoresteste::portaResponde(servidoresteste::portaFirebird()))
                QVERIFY(servidoresteste::iniciaFirebird());
            if (!servidoresteste::portaResponde(servidoresteste::portaPostgres()))
                QVERIFY(servidoresteste::iniciaPostgres());
        }
    }

    void cleanupTestCase()
    {
        imprimeTotais(contagens);
        QDBusConnection::disconnectFromBus(QStringLiteral("logind-teste"));
        sistema.reset();
    }

    // While the notice waits on a stopped server, a notice is asked for again
    // by each way there is: the tray's "Avisar agora", a second start of the
    // real program, the wall-clock deadline and the machine waking up. The
    // request is merged into the reading under way: the program lives on, one
    // reading fills the grids, and once the server goes on they hold each
    // account once with today's totals.
    void pedidoDuranteAEspera_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<QString>("via");
        for (Backend b : {Backend::Servidor, Backend::Odbc})
            for (const char *via : {"bandeja", "segunda execução", "prazo", "logind"})
                QTest::addRow("%s, %s", b == Backend::Servidor ? "firebird" : "postgresql/odbc", via)
                    << b << QString::fromUtf8(via);
    }
    void pedidoDuranteAEspera()
    {
        QFETCH(Backend, backend);
        QFETCH(QString, via);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        const auto retoma = qScopeGuard([] {
            servidoresteste::retomaServidores();
            agendamento::defineRelogio({});
            agendamento::defineMilissegundosEntreVerificacoes(10 * 1000);
        });
        relogio = QDateTime(Hoje, QTime(10, 0));
        agendamento::defineRelogio([] { return relogio; });
        agendamento::defineMilissegundosEntreVerificacoes(via == QLatin1String("prazo") ? 20 : 10 * 1000);
        QVERIFY(iniciaComDeadlinesCurtos(amb));
        FrmRobo &j = FrmRobo::instancia();
        InstanciaUnica unica;
        if (via == QStringLiteral("segunda execução"))
            QVERIFY(unica.escuta([] { Aplicacao::instancia().avisaAgora(); }));
        int leituras = 0;
        connect(&j, &FrmRobo::contasLidas, &unica, [&] { ++leituras; });
        QProcess segunda;
        const auto pede = [&] {
            if (via == QLatin1String("bandeja")) {
                Aplicacao::instancia().avisaAgora();
            } else if (via == QStringLiteral("segunda execução")) {
                QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
                ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
                segunda.setProcessEnvironment(ambiente);
                segunda.start(QStringLiteral(ORVO_PROGRAMA), {});
            } else {
                // A delay that runs out while the notice reads: by the clock's
                // check, or when the machine wakes up.
                j.trmEsconde.defineIntervalo(60 * 60 * 1000);
                j.trmEsconde.defineAtivo(true);
                relogio = relogio.addSecs(2 * 60 * 60);
                if (via == QLatin1String("logind")) {
                    QDBusMessage sinal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                                    QStringLiteral("org.freedesktop.login1.Manager"),
                                                                    QStringLiteral("PrepareForSleep"));
                    sinal << false;
                    logind.send(sinal);
                }
            }
        };
        const int antes = mensagensDeErro();
        bool parou = false;
        // The server goes on a while after the request has been made (the
        // second start has ended), well before the reading's deadline.
        QTimer retomada;
        retomada.setSingleShot(true);
        connect(&retomada, &QTimer::timeout, [] { servidoresteste::retomaServidores(); });
        QTimer espera;
        connect(&espera, &QTimer::timeout, [&] {
            if (segunda.state() != QProcess::NotRunning)
                return;
            espera.stop();
            retomada.start(1000);
        });
        QVERIFY(proximoAviso([&] {
            parou = suspendeServidor(backend);
            QTimer::singleShot(300, &unica, [&] {
                pede();
                espera.start(100);
            });
        }));
        QVERIFY(parou);
        if (via == QStringLiteral("segunda execução")) {
            QVERIFY(QTest::qWaitFor([&] { return segunda.state() == QProcess::NotRunning; }, 30000));
            QCOMPARE(segunda.exitCode(), 0);
        }
        QTest::qWait(300);
        QVERIFY(esperaLeituras());
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
        QCOMPARE(mensagensDeErro(), antes);
        QCOMPARE(leituras, 1);
        QVERIFY(!j.trmEsconde.ativo());
        QCOMPARE(linhasErradasNoAviso(), 0);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("1.384,56"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("390,10"));
        QCOMPARE(j.lblTotalGeral->text(), QStringLiteral("994,46"));
    }

    // The program holds one connection to the server: one attachment or one
    // session, before and after a notice and the overdue window.
    void umaConexaoPorPrograma_data() { servidorTravadoNoInicio_data(); }
    void umaConexaoPorPrograma()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        const int semPrograma = conexoesNoServidor(amb);
        QVERIFY(semPrograma >= 0);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(esperaLeituras());
        QCOMPARE(conexoesNoServidor(amb) - semPrograma, 1);
        QVERIFY(proximoAviso());
        QCOMPARE(conexoesNoServidor(amb) - semPrograma, 1);
        QVERIFY(abreVencidasEEspera());
        QVERIFY(FrmVencidas::instancia().isVisible());
        QCOMPARE(conexoesNoServidor(amb) - semPrograma, 1);
        QCOMPARE(linhasErradasNoAviso(), 0);
    }

    // Stopped for one notice or for two in a row (the second one also fails to
    // open the connection again), then started.
    void servidorParadoEReiniciado_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<int>("avisosParado");
        QTest::newRow("firebird, um aviso") << Backend::Servidor << 1;
        QTest::newRow("firebird, dois avisos") << Backend::Servidor << 2;
        QTest::newRow("postgresql/odbc, um aviso") << Backend::Odbc << 1;
        QTest::newRow("postgresql/odbc, dois avisos") << Backend::Odbc << 2;
    }
    void servidorParadoEReiniciado()
    {
        QFETCH(Backend, backend);
        QFETCH(int, avisosParado);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QCOMPARE(linhasErradasNoAviso(), 0);
        FrmRobo &j = FrmRobo::instancia();
        const QString totalReceber = j.lblTotalAberto->text();

        contagens.append(Contagem{QByteArray(QTest::currentDataTag())});
        Contagem &c = contagens.last();
        int relatadas = 0;
        for (int i = 0; i < avisosParado; ++i) {
            const int antes = mensagensDeErro();
            bool parou = true;
            QVERIFY(proximoAviso([&] {
                if (i == 0)
                    parou = paraServidor(backend);
            }));
            QVERIFY(parou);
            ++c.injetadas;
            QVERIFY2(avisoSobreviveu(c, antes), "o aviso não sobreviveu à queda do servidor");
            QCOMPARE(mensagensDeErro(), antes + 1);
            const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().back();
            qInfo("relatório: %s", qPrintable(QString(m.texto).replace(QChar(13), QStringLiteral(" | "))));
            QCOMPARE(m.estilo, int(toolkit::EstiloExclamacao));
            QCOMPARE(m.titulo, tituloMostraErro());
            QVERIFY2(!m.texto.startsWith(QStringLiteral("(Nº")), qPrintable(m.texto)); // the provider says why
            // The program's own sentence first: the link fell during the first
            // notice, nothing answers at the next one's new connection. And
            // the status line tells no connection.
            const QString primeira = m.texto.section(QChar(13), 0, 0);
            QVERIFY2(primeira == QStringLiteral("A conexão com o banco de dados caiu: verifique o servidor e a rede; o "
                                                "OrvoAviso tenta de novo no próximo aviso.")
                         || primeira.startsWith(QStringLiteral("O servidor do banco de dados recusou a conexão")),
                     qPrintable(m.texto));
            QVERIFY2(j.lblSituacao->text().startsWith(QStringLiteral("Sem conexão com o banco de dados às ")),
                     qPrintable(j.lblSituacao->text()));
            // The grids are empty and no total of an earlier notice is left beside them.
            QVERIFY(!totalReceber.isEmpty());
            QCOMPARE(j.lblTotalAberto->text(), QString());
            ++relatadas;
        }

        QVERIFY(iniciaServidor(backend));
        {
            bancoteste::Dados depois(novaEscrita(amb, QStringLiteral("escrita-depois")));
            depois.parcela(13, 1, Hoje, Hoje.addDays(-1), 5.00);
        }
        bancoteste::fechaConexao(QStringLiteral("escrita-depois"));
        const int antes = mensagensDeErro();
        QVERIFY(proximoAviso());
        QCOMPARE(mensagensDeErro(), antes);
        QList<QStringList> receber = receberEsperado();
        receber.insert(1, {"13", "Ana Lima - Pedido 7", "08/12/2026", "5,00", "N"});
        const int erradas = linhasErradasNoAviso(receber);
        c.linhasErradas += erradas;
        QCOMPARE(erradas, 0);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("1.389,56"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("390,10"));
        QCOMPARE(j.lblTotalGeral->text(), QStringLiteral("999,46"));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
        c.sobrevividas += relatadas;
        c.imprime();
        QCOMPARE(c.sobrevividas, c.injetadas);
        QCOMPARE(c.linhasErradas, 0);
    }

    // The server stops answering during a notice (SIGSTOP). The window keeps
    // painting and drops every click but "Sair" and its close; these end the
    // program within a second, or else the report comes at the deadline and,
    // once the server goes on, the next notice fills normally.
    void servidorTravadoDuranteOAviso_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<QString>("fim");
        for (Backend b : {Backend::Servidor, Backend::Odbc})
            for (const char *fim : {"prazo", "Sair", "fechar", "Sair na guarda"})
                QTest::addRow("%s, %s", b == Backend::Servidor ? "firebird" : "postgresql/odbc", fim) << b << QString::fromLatin1(fim);
    }
    void servidorTravadoDuranteOAviso()
    {
        QFETCH(Backend, backend);
        QFETCH(QString, fim);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        // Before the fixture's own connection is let go, whatever the outcome.
        const auto retoma = qScopeGuard([] { servidoresteste::retomaServidores(); });
        QVERIFY(iniciaComDeadlinesCurtos(amb));
        FrmRobo &j = FrmRobo::instancia();
        ContaPinturas contador;
        j.installEventFilter(&contador);
        contagens.append(Contagem{QByteArray(QTest::currentDataTag())});
        Contagem &c = contagens.last();

        // Every 100 ms while the notice waits: the window is asked to repaint;
        // after 1 s a click on "Confirmar novo aviso" (dropped), after 2 s
        // the end asked for. A click on "Sair" in the guard after the return
        // (0.4 s) is dropped too.
        int passos = 0;
        bool saiuNaGuarda = false;
        int pinturasNaEspera = -1;
        QElapsedTimer desdeOPedido;
        QTimer relogio;
        relogio.setInterval(100);
        connect(&relogio, &QTimer::timeout, [&] {
            ++passos;
            j.update();
            if (passos == 3)
                pinturasNaEspera = contador.pinturas;
            if (passos == 10)
                QTest::mouseClick(j.cmdAvisar, Qt::LeftButton);
            if (passos == 4 && fim == QLatin1String("Sair na guarda")) {
                QTest::mouseClick(j.cmdFechar, Qt::LeftButton);
                saiuNaGuarda = toolkit::statusDeEncerramento().has_value();
            }
            if (passos == 20 && fim != QLatin1String("prazo")) {
                pinturasNaEspera = contador.pinturas - pinturasNaEspera;
                desdeOPedido.start();
                if (fim.startsWith(QLatin1String("Sair"))) {
                    QTest::mouseClick(j.cmdFechar, Qt::LeftButton);
                } else {
                    QCloseEvent fecha; // as the window manager asks
                    QCoreApplication::sendEvent(j.windowHandle(), &fecha);
                }
            }
        });
        const int antes = mensagensDeErro();
        bool parou = false;
        QElapsedTimer duracao;
        QVERIFY(proximoAviso([&] {
            parou = suspendeServidor(backend);
            relogio.start();
            duracao.start();
        }));
        const qint64 ms = duracao.elapsed();
        relogio.stop();
        QVERIFY(parou);
        ++c.injetadas;
        QVERIFY2(passos >= 10, qPrintable(QString::number(passos)));
        QVERIFY(!saiuNaGuarda);
        QVERIFY(!j.trmEsconde.ativo()); // the click on "Confirmar novo aviso" did nothing
        if (fim != QLatin1String("prazo")) {
            const qint64 ateOFim = desdeOPedido.elapsed();
            qInfo("pinturas durante a espera: %d; fim %lld ms depois do pedido", pinturasNaEspera, ateOFim);
            QVERIFY2(pinturasNaEspera > 0, "a janela não pintou durante a espera");
            QVERIFY2(ateOFim < 1000, qPrintable(QString::number(ateOFim)));
            QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(0));
            QCOMPARE(mensagensDeErro(), antes);
            c.sobrevividas += 1; // ended as asked, nothing shown wrongly
            c.imprime();
            return;
        }
        qInfo("pinturas durante a espera: %d; relatório %lld ms depois da parada", contador.pinturas - pinturasNaEspera, ms);
        QVERIFY2(contador.pinturas - pinturasNaEspera > 10, "a janela não pintou durante a espera");
        // At the deadline (a little more for the cancel), never long after.
        QVERIFY2(ms >= PrazoDeLeituraMs - 200 && ms < PrazoDeLeituraMs + 3000, qPrintable(QString::number(ms)));
        QVERIFY2(avisoSobreviveu(c, antes), "o aviso não sobreviveu ao servidor travado");
        const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().back();
        qInfo("relatório: %s", qPrintable(QString(m.texto).replace(QChar(13), QStringLiteral(" | "))));
        QVERIFY2(m.texto.contains(QStringLiteral("O banco de dados não respondeu em 60 segundos.")), qPrintable(m.texto));
        QCOMPARE(toolkit::apontador(), int(toolkit::ApontadorNormal));

        // The server goes on: the next notice reads on a fresh connection.
        servidoresteste::retomaServidores();
        QVERIFY(proximoAviso());
        QCOMPARE(mensagensDeErro(), antes + 1);
        const int erradas = linhasErradasNoAviso();
        c.linhasErradas += erradas;
        QCOMPARE(erradas, 0);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("1.384,56"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("390,10"));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
        c.sobrevividas += 1;
        c.imprime();
    }

    // Stopped while the overdue window is asked for: it reports at the
    // reading's deadline and does not show, the notice goes on afterwards.
    void servidorTravadoNasVencidas_data() { servidorTravadoNoInicio_data(); }
    void servidorTravadoNasVencidas()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        const auto retoma = qScopeGuard([] { servidoresteste::retomaServidores(); });
        QVERIFY(iniciaComDeadlinesCurtos(amb));
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(esperaLeituras());
        const int antes = mensagensDeErro();
        const size_t mostradas = toolkit::mensagensMostradas().size();
        QVERIFY(suspendeServidor(backend));
        QElapsedTimer relogio;
        relogio.start();
        j.cmdVencidas->click();
        QVERIFY(QTest::qWaitFor([&] { return toolkit::mensagensMostradas().size() > mostradas; }, PrazoDeLeituraMs + 5000));
        const qint64 ms = relogio.elapsed();
        QVERIFY2(ms >= PrazoDeLeituraMs - 200 && ms < PrazoDeLeituraMs + 3000, qPrintable(QString::number(ms)));
        QCOMPARE(toolkit::mensagensMostradas().size(), mostradas + 1);
        const QString texto = toolkit::mensagensMostradas().back().texto;
        QVERIFY2(texto.contains(QStringLiteral("O banco de dados não respondeu em 60 segundos."))
                     && texto.endsWith(QStringLiteral("LOCAL: ORVO(CarregaVencidas)")),
                 qPrintable(texto));
        QVERIFY(!FrmVencidas::carregada() || !FrmVencidas::instancia().isVisible());
        QCOMPARE(toolkit::apontador(), int(toolkit::ApontadorNormal));

        servidoresteste::retomaServidores();
        QVERIFY(proximoAviso());
        QCOMPARE(mensagensDeErro(), antes);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("1.384,56"));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
    }

    // Stopped before the start: the failed-connection message comes at the
    // connect deadline and says the server did not answer.
    void servidorTravadoNoInicio_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::newRow("firebird") << Backend::Servidor;
        QTest::newRow("postgresql/odbc") << Backend::Odbc;
    }
    void servidorTravadoNoInicio()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        const auto retoma = qScopeGuard([] { servidoresteste::retomaServidores(); });
        QVERIFY(suspendeServidor(backend));
        bancodados::defineMilissegundosPorSegundo(MsPorSegundoNoTeste);
        const qint64 prazo = bancodados::SegundosParaConectar * MsPorSegundoNoTeste;
        QElapsedTimer relogio;
        relogio.start();
        ambienteaviso::iniciaPrograma(amb.pasta());
        const qint64 ms = relogio.elapsed();
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemBanco));
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const QString texto = toolkit::mensagensMostradas()[0].texto;
        qInfo("%lld ms: %s", ms, qPrintable(QString(texto).replace(QChar(13), QStringLiteral(" | "))));
        QVERIFY2(texto.contains(QStringLiteral("O servidor do banco de dados não respondeu")), qPrintable(texto));
        QVERIFY2(ms >= prazo - 100 && ms < prazo + 1000, qPrintable(QString::number(ms)));
        QVERIFY(!FrmRobo::carregada());
    }
};

QTEST_MAIN(TestFalhasServidor)
#include "tst_falhas_servidor.moc"
