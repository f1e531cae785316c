// Start-up for real: orvo.ini in the program folder, the shared connection on
// an embedded Firebird database, the never-shown start-up window handing over
// to the notice window; and every way the start can fail.
#include "support/AmbienteAviso.h"
#include "support/ServidoresTeste.h"

#include "regional/RetornaConfigWin.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"
#include "regional/Formatacao.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"
#include "startup/ExplicacaoFalha.h"
#include "startup/FrmAcesso.h"
#include "startup/IniciaSistema.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QScopeGuard>
#include <QStringEncoder>
#include <QTcpSocket>
#include <QElapsedTimer>
#include <QTest>
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;

class TestIniciaSistema : public QObject {
    Q_OBJECT

    // The user's and the workstation's configuration folders, empty unless a
    // test writes orvo.ini into them, so that a file on this machine counts
    // for no test.
    QTemporaryDir configUsuario_;
    QTemporaryDir configLoja_;
    QTemporaryDir configOutra_;

    // What the start-up writes to standard error while it runs.
    static QString erroPadraoDe(const std::function<void()> &passo)
    {
        QTemporaryFile arquivo;
        if (!arquivo.open())
            return QStringLiteral("(sem arquivo temporário)");
        std::fflush(stderr);
        const int antes = dup(STDERR_FILENO);
        dup2(arquivo.handle(), STDERR_FILENO);
        passo();
        std::fflush(stderr);
        dup2(antes, STDERR_FILENO);
        close(antes);
        arquivo.seek(0);
        return QString::fromUtf8(arquivo.readAll());
    }

    static QStringList janelasVisiveis()
    {
        QStringList nomes;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                nomes << w->objectName();
        return nomes;
    }

private slots:
    void initTestCase()
    {
        // The test's shared Firebird root beside the test program, before any
        // test names a program folder of its own, which is removed after it.
        bancoteste::raizFirebird();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configUsuario_.path()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(configLoja_.path() + u':' + configOutra_.path()));
    }
    void init()
    {
        formatacao::defineRegional(QLocale(QStringLiteral("pt_BR")));
        configwin::esqueceTipoLembrado();
        toolkit::limpaObservacao();
    }
    void cleanup()
    {
        servidoresteste::retomaServidores();
        bancodados::defineMilissegundosPorSegundo(1000);
        ambienteaviso::encerraPrograma();
        // A start-up that ended the process leaves its window behind in a test.
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("FrmAcesso"))
                toolkit::descarregaJanela(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        for (const QTemporaryDir *pasta : {&configUsuario_, &configLoja_, &configOutra_})
            QDir(pasta->filePath(QStringLiteral("orvoaviso"))).removeRecursively();
    }

    void iniciaComAJanelaDeAvisoApenas()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(toolkit::mensagensMostradas().empty());
        QVERIFY(!toolkit::statusDeEncerramento());
        QVERIFY(FrmRobo::carregada());
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(QTest::qWaitForWindowActive(&j));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(janelasVisiveis(), QStringList{QStringLiteral("frmRobo")});
        QCOMPARE(toolkit::janelasCarregadas(), 1);
        QCOMPARE(FrmAcesso::vezesMostrada(), 0);
        QCOMPARE(toolkit::apontador(), int(toolkit::ApontadorNormal));
        QCOMPARE(j.windowTitle(), QStringLiteral("Orvo Aviso - Versão 1.2"));
        QCOMPARE(j.txtHora->text(), QStringLiteral("1.00"));
        QCOMPARE(QApplication::focusWidget(), j.cmdAvisar);
        QVERIFY(conexaoCompartilhada().aberta());
        QCOMPARE(conexaoCompartilhada().cursorLocation(), 3);

        // The close button unloads the last window: the program ends.
        j.cmdFechar->click();
        QTRY_VERIFY(toolkit::programaTerminouNormalmente());
        QTRY_VERIFY(!FrmRobo::carregada());
        QCOMPARE(toolkit::janelasCarregadas(), 0);
    }

    // The first notice's statements start with the program; when the day
    // turns before the first tick, the tick reads the new day, not the rows
    // started for the old one.
    void primeiroAvisoComODiaDoTique_data()
    {
        QTest::addColumn<int>("diasAte");
        QTest::addColumn<QString>("totalReceber");
        QTest::newRow("mesmo dia") << 0 << QStringLiteral("100,00");
        QTest::newRow("virou o dia") << 1 << QStringLiteral("250,00");
    }
    void primeiroAvisoComODiaDoTique()
    {
        QFETCH(int, diasAte);
        QFETCH(QString, totalReceber);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        const QDate dia(2026, 12, 8);
        amb.dados().cliente(1, QStringLiteral("Ana"));
        amb.dados().conta(1, QStringLiteral("R"), 1, {}, {}, QVariant());
        amb.dados().parcela(1, 1, dia, dia.addDays(-30), 100.0);
        amb.dados().parcela(2, 1, dia.addDays(1), dia.addDays(-30), 250.0);
        consultas::defineHoje(dia);
        ambienteaviso::iniciaPrograma(amb.pasta());
        consultas::defineHoje(dia.addDays(diasAte)); // before the first tick
        FrmRobo &j = FrmRobo::instancia();
        const bool preenchida = QTest::qWaitFor([&] { return !j.lblTotalGeral->text().isEmpty(); }, 20000);
        consultas::defineHoje(QDate());
        QVERIFY(preenchida);
        QVERIFY(toolkit::mensagensMostradas().empty());
        QCOMPARE(j.lblTotalAberto->text(), totalReceber);
        QCOMPARE(j.tabelaRec->item(0, 2)->text(), dia.addDays(diasAte).toString(QStringLiteral("dd/MM/yyyy")));
        QVERIFY(j.tabelaRec->item(1, 0)->text().isEmpty());
    }

    // Line 1 names the data folder exactly, whatever it holds, and the file is
    // found in the case a copy from Windows gave it.
    void provedoresFirebird_data()
    {
        QTest::addColumn<QByteArray>("resto");
        QTest::addColumn<QString>("subpasta");
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QString>("comoGravado"); // "utf16": Notepad's "Unicode"; "tab": a tab after the folder
        QTest::newRow("LCPI") << QByteArray("\r\n") << QString() << "VENDAS.FDB" << "";
        QTest::newRow("ibole, sem usuário") << QByteArray("\r\nProviderZstyle:S\r\n") << QString() << "VENDAS.FDB" << "";
        QTest::newRow("arquivo vendas.fdb") << QByteArray("\r\n") << QString() << "vendas.fdb" << "";
        QTest::newRow("arquivo Vendas.fdb, ibole") << QByteArray("\r\nProviderZstyle:S\r\n") << QString() << "Vendas.fdb" << "";
        QTest::newRow("pasta com ; = aspas e brancos")
            << QByteArray("\r\n") << QStringLiteral("loja;2 = \"a\" 'b'") << "VENDAS.FDB" << "";
        QTest::newRow("pasta com ;data source= e user id=")
            << QByteArray("\r\n") << QStringLiteral("x;data source=y; user id=z") << "vendas.fdb" << "";
        QTest::newRow("orvo.ini em UTF-16 do Bloco de Notas, pasta acentuada")
            << QByteArray("\r\nBanco=FIRE\r\n") << QStringLiteral("Lojão") << "VENDAS.FDB" << "utf16";
        QTest::newRow("tabulação depois da pasta") << QByteArray("\r\n") << QString() << "VENDAS.FDB" << "tab";
        QTest::newRow("UTF-16 com tabulação depois da pasta")
            << QByteArray("\r\n") << QString() << "VENDAS.FDB" << "utf16 tab";
    }
    void provedoresFirebird()
    {
        QFETCH(QByteArray, resto);
        QFETCH(QString, subpasta);
        QFETCH(QString, arquivo);
        QFETCH(QString, comoGravado);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        QString pasta = amb.pasta();
        if (!subpasta.isEmpty()) {
            QVERIFY(QDir(pasta).mkdir(subpasta));
            pasta += u'/' + subpasta;
        }
        if (pasta + u'/' + arquivo != amb.arquivoBanco())
            QVERIFY(QFile::rename(amb.arquivoBanco(), pasta + u'/' + arquivo));
        QString ini = pasta + (comoGravado.contains(QLatin1String("tab")) ? QStringLiteral("\t") : QString())
            + QString::fromUtf8(resto);
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        bancoteste::escreveOrvoIni(amb.pasta(), comoGravado.contains(QLatin1String("utf16")) ? QByteArray(utf16(ini))
                                                                                              : ini.toUtf8());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY2(!toolkit::statusDeEncerramento(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));
        QVERIFY(conexaoCompartilhada().aberta());
        QVERIFY(QTest::qWaitFor([] { return !FrmRobo::instancia().lblTotalGeral->text().isEmpty(); }, 20000));
        QCOMPARE(FrmRobo::instancia().lblTotalGeral->text(), QStringLiteral("0,00"));
    }

    // orvo.ini found in the first place that has it: the program folder, the
    // user's configuration, each of the workstation's configuration folders.
    void orvoIniOndeEstiver_data()
    {
        QTest::addColumn<QStringList>("onde"); // where a file is written, first the one pointing at the database
        QTest::newRow("só na configuração do usuário") << QStringList{"usuario"};
        QTest::newRow("só na da loja (/etc/xdg)") << QStringList{"loja"};
        QTest::newRow("só na segunda pasta do sistema") << QStringList{"outra"};
        QTest::newRow("a do programa antes da do usuário") << QStringList{"programa", "usuario"};
        QTest::newRow("a do usuário antes da da loja") << QStringList{"usuario", "loja", "outra"};
        QTest::newRow("a da loja antes da segunda pasta") << QStringList{"loja", "outra"};
    }
    void orvoIniOndeEstiver()
    {
        QFETCH(QStringList, onde);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        QTemporaryDir programa;
        const auto pastaDe = [&](const QString &nome) {
            if (nome == QLatin1String("programa"))
                return programa.path();
            const QTemporaryDir &base = nome == QLatin1String("usuario") ? configUsuario_
                : nome == QLatin1String("loja")                        ? configLoja_
                                                                       : configOutra_;
            const QString pasta = base.filePath(QStringLiteral("orvoaviso"));
            QDir().mkpath(pasta);
            return pasta;
        };
        // The first file opens the database; any later one points nowhere.
        bancoteste::escreveOrvoIni(pastaDe(onde[0]), amb.pasta().toUtf8() + "\r\n");
        for (const QString &nome : onde.mid(1))
            bancoteste::escreveOrvoIni(pastaDe(nome), "/nao/existe\r\n");
        ambienteaviso::iniciaPrograma(programa.path());
        QVERIFY(toolkit::mensagensMostradas().empty());
        QVERIFY(!toolkit::statusDeEncerramento());
        QVERIFY(conexaoCompartilhada().aberta());
        QVERIFY(QTest::qWaitFor([] { return !FrmRobo::instancia().lblTotalGeral->text().isEmpty(); }, 20000));
        QCOMPARE(FrmRobo::instancia().lblTotalGeral->text(), QStringLiteral("0,00"));
    }

    // The site's own Firebird login: a server whose SYSDBA password is not
    // the built-in one, a user that may only read, and a server in Super mode
    // holding the file that line 1 names as a plain folder (the embedded open
    // is refused and the local server is asked with the login given).
    void loginDoSite_data()
    {
        QTest::addColumn<bool>("super");
        QTest::addColumn<QByteArray>("linhas");
        QTest::addColumn<QString>("trecho"); // of the failed-start message; empty: it opens
        const QByteArray sysdba("Usuario=SYSDBA\r\nSenha= segredo da loja \r\n");
        QTest::newRow("outra senha, sem as linhas") << false << QByteArray() << "user name and password";
        QTest::newRow("outra senha, com as linhas") << false << sysdba << "";
        QTest::newRow("chaves em outra caixa") << false << QByteArray("usuario = SYSDBA\r\nSENHA=segredo da loja\r\n") << "";
        QTest::newRow("usuário que só lê") << false << QByteArray("Usuario=leitor\r\nSenha=so-leitura\r\n") << "";
        QTest::newRow("Super segura o arquivo, sem as linhas") << true << QByteArray() << "Usuario= e Senha=";
        QTest::newRow("Super segura o arquivo, com as linhas") << true << sysdba << "";
    }
    void loginDoSite()
    {
        QFETCH(bool, super);
        QFETCH(QByteArray, linhas);
        QFETCH(QString, trecho);
        // The client asks a local server on the standard port when the engine
        // finds the file held by one.
        servidoresteste::ServidorFirebirdProprio servidor(super ? QStringLiteral("Super") : QStringLiteral("SuperClassic"),
                                                          QStringLiteral("segredo da loja"), super ? 3050 : 0);
        if (!servidor.pronto())
            QSKIP(qPrintable(servidor.motivo()));
        QTemporaryDir pasta;
        const QString banco = bancoteste::criaBancoFirebird(pasta.path());
        QString script = QStringLiteral("CREATE OR ALTER USER leitor PASSWORD 'so-leitura';\n");
        for (const char *tabela : {"Cliente", "Fornecedor", "PlanoConta", "Comanda", "Banco", "Agencia",
                                   "ContaMovimento", "ContaGrupo", "CONTATIPO", "Conta", "ContaDet"})
            script += QStringLiteral("GRANT SELECT ON %1 TO USER leitor;\n").arg(QLatin1String(tabela));
        script += QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (1, 'Ana');\n"
                                 "INSERT INTO Conta (CodConta, PR, IDCliente) VALUES (1, 'R', 1);\n"
                                 "INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, ValorParcela) "
                                 "VALUES (1, 1, CURRENT_DATE, CURRENT_DATE, 42.5);\n"
                                 "COMMIT;\n");
        QVERIFY(servidor.isql(banco, script));
        if (super)
            QVERIFY(servidor.mantemAberto(banco));
        const QString linha1 = super ? pasta.path() : servidor.nome(pasta.path());
        bancoteste::escreveOrvoIni(pasta.path(), linha1.toUtf8() + "\r\n" + linhas);
        consultas::defineHoje(QDate::currentDate());
        ambienteaviso::iniciaPrograma(pasta.path());
        if (trecho.isEmpty()) {
            QVERIFY2(!toolkit::statusDeEncerramento(),
                     qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));
            QVERIFY(QTest::qWaitFor([] { return !FrmRobo::instancia().lblTotalGeral->text().isEmpty(); }, 20000));
            QCOMPARE(FrmRobo::instancia().lblTotalAberto->text(), QStringLiteral("42,50"));
        } else {
            QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemBanco));
            QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
            QVERIFY2(toolkit::mensagensMostradas()[0].texto.contains(trecho, Qt::CaseInsensitive),
                     qPrintable(toolkit::mensagensMostradas()[0].texto));
        }
    }

    // A site's server of another Firebird version than this workstation's
    // client (a Firebird 3 server read from Firebird 4, and the other way
    // round), with the site's login. ORVO_FB_OUTRA_VERSAO names the server and
    // a fresh folder of its own ("127.0.0.1/PORT:/folder"); the test command
    // sets it where it has such a server beside this one.
    void servidorDeOutraVersao()
    {
        const QString outra = qEnvironmentVariable("ORVO_FB_OUTRA_VERSAO");
        if (outra.isEmpty())
            QSKIP("ORVO_FB_OUTRA_VERSAO não indica um servidor Firebird de outra versão");
        QFile schema(QStringLiteral(ORVO_SCHEMA));
        QVERIFY(schema.open(QIODevice::ReadOnly));
        const QString banco = outra + QStringLiteral("/VENDAS.FDB");
        bancoteste::executaIsql(
            QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' PASSWORD 'quillfern' DEFAULT CHARACTER SET WIN1252;\n").arg(banco)
            + QString::fromUtf8(schema.readAll())
            + QStringLiteral("\nCOMMIT;\n"
                             "INSERT INTO Cliente (IDCliente, Cliente) VALUES (1, 'João');\n"
                             "INSERT INTO Conta (CodConta, PR, IDCliente) VALUES (1, 'R', 1);\n"
                             "INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, ValorParcela) "
                             "VALUES (1, 1, CURRENT_DATE, CURRENT_DATE, 1234.5);\n"
                             "COMMIT;\n"));
        if (QTest::currentTestFailed())
            return;
        QTemporaryDir pasta;
        bancoteste::escreveOrvoIni(pasta.path(), outra.toUtf8() + "\r\nUsuario=SYSDBA\r\nSenha=quillfern\r\n");
        consultas::defineHoje(QDate::currentDate());
        ambienteaviso::iniciaPrograma(pasta.path());
        QVERIFY2(!toolkit::statusDeEncerramento(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));
        QVERIFY(QTest::qWaitFor([] { return !FrmRobo::instancia().lblTotalGeral->text().isEmpty(); }, 20000));
        QCOMPARE(FrmRobo::instancia().lblTotalAberto->text(), QStringLiteral("1.234,50"));
        QVERIFY(FrmRobo::instancia().tabelaRec->item(0, 1)->text().startsWith(QStringLiteral("João")));
    }

    // A server that does not answer (a socket that takes the connection and
    // never says a word; the Firebird server stopped), nothing
    // listening and a wrong login: three different explanations, and the one
    // of no answer within the connect deadline.
    void servidorNaoAtende_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QString>("trecho");
        const QString semResposta = QStringLiteral("O servidor do banco de dados não respondeu");
        QTest::newRow("porta que aceita e não responde") << "muda" << semResposta;
        QTest::newRow("servidor Firebird parado") << "firebird" << semResposta;
        // PostgreSQL stopped at start-up: in the fault tests (the driver
        // manager keeps the data sources it read for the process, which the
        // missing data source below would not survive).
        QTest::newRow("nada atende na porta") << "recusa" << "O servidor do banco de dados recusou a conexão";
        QTest::newRow("senha errada") << "senha" << "O servidor do banco de dados não aceitou o usuário e a senha";
    }
    void servidorNaoAtende()
    {
        QFETCH(QString, falha);
        QFETCH(QString, trecho);
        const bool semServidor = falha == QLatin1String("muda") || falha == QLatin1String("recusa");
        Ambiente amb(semServidor ? Backend::Embutido : Backend::Servidor);
        EXIGE_AMBIENTE(amb);
        const auto retoma = qScopeGuard([] { servidoresteste::retomaServidores(); });
        // A port that takes connections and never reads them, or that refuses them.
        const servidoresteste::PortaMuda muda(falha != QLatin1String("recusa"));
        QVERIFY(muda.pronta());
        const QString porta = QString::number(muda.porta());
        if (falha == QLatin1String("muda")) {
            bancoteste::escreveOrvoIni(amb.pasta(), "127.0.0.1/" + porta.toUtf8() + ":/srv/vendas\r\n");
        } else if (falha == QLatin1String("recusa")) {
            // Bound and not listening: the system refuses every connection.
            bancoteste::escreveOrvoIni(amb.pasta(), "127.0.0.1/" + porta.toUtf8() + ":/srv/vendas\r\n");
        } else if (falha == QLatin1String("senha")) {
            bancoteste::escreveOrvoIni(amb.pasta(), servidoresteste::nomeNoServidor(amb.pasta()).toUtf8()
                                                        + "\r\nUsuario=SYSDBA\r\nSenha=errada\r\n");
        } else {
            QVERIFY(servidoresteste::suspendeFirebird());
        }
        // Connecting may take 1.5 s here instead of 15 s.
        bancodados::defineMilissegundosPorSegundo(100);
        const qint64 prazo = bancodados::SegundosParaConectar * 100;
        QElapsedTimer relogio;
        relogio.start();
        ambienteaviso::iniciaPrograma(amb.pasta());
        const qint64 ms = relogio.elapsed();
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemBanco));
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const QString texto = toolkit::mensagensMostradas()[0].texto;
        qInfo("%lld ms: %s", ms, qPrintable(QString(texto).replace(QChar(13), QStringLiteral(" | "))));
        QVERIFY2(texto.startsWith(trecho), qPrintable(texto));
        QVERIFY2(texto.section(QChar(13), 1).trimmed().size() > 10, qPrintable(texto)); // the engine's words follow
        // Never long past the deadline; only the answer of no answer waits for it.
        QVERIFY2(ms < prazo + 1000, qPrintable(QString::number(ms)));
        if (trecho.contains(QLatin1String("não respondeu")))
            QVERIFY2(ms >= prazo - 100, qPrintable(QString::number(ms)));
        QVERIFY(!FrmRobo::carregada());
    }

    // The system's request to end (logout, Ctrl+C) ends the real program at
    // once: while it shows the notice on its open database, while a start-up
    // message is on screen, and while the start-up connection waits for a
    // server that accepted it and never answers.
    void pedidoDoSistemaEncerra_data()
    {
        QTest::addColumn<int>("sinal");
        QTest::addColumn<QString>("momento");
        QTest::newRow("SIGTERM, aviso na tela") << int(SIGTERM) << "aviso";
        QTest::newRow("SIGINT, aviso na tela") << int(SIGINT) << "aviso";
        QTest::newRow("SIGTERM, mensagem de início aberta") << int(SIGTERM) << "mensagem";
        QTest::newRow("SIGINT, mensagem de início aberta") << int(SIGINT) << "mensagem";
        QTest::newRow("SIGTERM, conexão esperando o servidor") << int(SIGTERM) << "conexao";
    }
    void pedidoDoSistemaEncerra()
    {
        QFETCH(int, sinal);
        QFETCH(QString, momento);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        // The program's folder is where its orvo.ini is: a copy of it beside this one.
        const QString programa = amb.pasta() + QStringLiteral("/orvoaviso");
        QVERIFY(QFile::copy(QStringLiteral(ORVO_PROGRAMA), programa));
        QVERIFY(QFile::setPermissions(programa, QFile::permissions(programa) | QFileDevice::ExeOwner));
        // A server that takes the connection and never says a word.
        const servidoresteste::PortaMuda mudo;
        QVERIFY(mudo.pronta());
        const int portaMuda = mudo.porta();
        QByteArray linha1 = amb.pasta().toUtf8();
        if (momento == QLatin1String("mensagem"))
            linha1 = "/nao/existe/esta/pasta";
        else if (momento == QLatin1String("conexao"))
            linha1 = QStringLiteral("127.0.0.1/%1:/srv/vendas").arg(portaMuda).toUtf8();
        bancoteste::escreveOrvoIni(amb.pasta(), linha1 + "\r\n");
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        ambiente.insert(QStringLiteral("FIREBIRD"), bancoteste::raizFirebird());
        processo.setProcessEnvironment(ambiente);
        processo.start(programa, {});
        QVERIFY(processo.waitForStarted(10000));
        QByteArray saida;
        const QString fds = QStringLiteral("/proc/%1/fd").arg(processo.processId());
        const QString banco = QFileInfo(amb.arquivoBanco()).canonicalFilePath();
        const auto chegou = [&] {
            saida += processo.readAllStandardError();
            if (momento == QLatin1String("mensagem"))
                return saida.contains("O arquivo do banco de dados /nao/existe/esta/pasta/VENDAS.FDB não existe");
            if (momento == QLatin1String("conexao"))
                return mudo.chegouConexao();
            // Up and attached: the database file is among the process's open files.
            for (const QFileInfo &fd : QDir(fds).entryInfoList(QDir::Files | QDir::System))
                if (fd.symLinkTarget() == banco)
                    return true;
            return false;
        };
        QVERIFY2(QTest::qWaitFor(chegou, 30000), saida.constData());
        QTest::qWait(300);
        QCOMPARE(processo.state(), QProcess::Running);
        ::kill(pid_t(processo.processId()), sinal);
        QVERIFY(processo.waitForFinished(5000));
        QCOMPARE(processo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(processo.exitCode(), 0);
    }

    void semOrvoIni()
    {
        QTemporaryDir pasta;
        const QString erro = erroPadraoDe([&] { ambienteaviso::iniciaPrograma(pasta.path()); });
        // Standard error names every place looked at, in order.
        const QStringList procurados{pasta.filePath(QStringLiteral("orvo.ini")),
                                     configUsuario_.filePath(QStringLiteral("orvoaviso/orvo.ini")),
                                     configLoja_.filePath(QStringLiteral("orvoaviso/orvo.ini")),
                                     configOutra_.filePath(QStringLiteral("orvoaviso/orvo.ini"))};
        QVERIFY2(erro.startsWith(QStringLiteral("OrvoAviso: Arquivo orvo.INI não encontrado \nProcurado em:\n")),
                 qPrintable(erro));
        qsizetype depois = 0;
        for (const QString &caminho : procurados) {
            const qsizetype onde = erro.indexOf(QStringLiteral("\n  ") + caminho + u'\n');
            QVERIFY2(onde > depois, qPrintable(caminho + QStringLiteral(" em ") + erro));
            depois = onde;
        }
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemConfiguracao));
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        QCOMPARE(toolkit::mensagensMostradas()[0].texto, QStringLiteral("Arquivo orvo.INI não encontrado "));
        QCOMPARE(toolkit::mensagensMostradas()[0].estilo, int(toolkit::EstiloInformacao));
        QVERIFY(!FrmRobo::carregada());
        QVERIFY(janelasVisiveis().isEmpty());
    }

    // A folder or a FIFO called orvo.ini is not the file, and a file of absurd
    // size is not read: each ends after one message, without blocking.
    void orvoIniQueNaoServe_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::newRow("pasta") << "pasta";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("uma linha de 100 MB") << "grande";
    }
    void orvoIniQueNaoServe()
    {
        QFETCH(QString, tipo);
        QTemporaryDir pasta;
        const QString caminho = pasta.filePath(QStringLiteral("orvo.ini"));
        if (tipo == QLatin1String("pasta")) {
            QVERIFY(QDir(pasta.path()).mkdir(QStringLiteral("orvo.ini")));
        } else if (tipo == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(caminho).constData(), 0644), 0);
        } else {
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write(pasta.path().toUtf8()));
            QVERIFY(f.resize(100 * 1024 * 1024)); // sparse: one line of zero bytes
        }
        ambienteaviso::iniciaPrograma(pasta.path());
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemConfiguracao));
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        if (tipo == QLatin1String("grande"))
            QVERIFY2(toolkit::mensagensMostradas()[0].texto.contains(QStringLiteral("grande demais")),
                     qPrintable(toolkit::mensagensMostradas()[0].texto));
        QVERIFY(!FrmRobo::carregada());
    }

    // Each failure of the start-up, against the first line the user reads:
    // what happened and what to do, in Portuguese, before the engine's or the
    // driver's own words. "PASTA" is the test's folder, which holds a database
    // for the rows that need one.
    void bancoNaoAbre_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("primeiraLinha"); // its start
        QTest::addColumn<int>("status");
        // "preso": isql-fb holds the file in the engine's default (exclusive)
        // mode; "semRaiz": the program's Firebird root can be made nowhere;
        // "outraEstrutura": the database's header says another on-disk
        // structure (OUTRA) than the local engine's, as a file of the Firebird
        // before or after it does.
        QTest::addColumn<QString>("preparo");
        QTest::newRow("pasta errada") << QByteArray("/nao/existe/esta/pasta\r\n")
                                      << "O arquivo do banco de dados /nao/existe/esta/pasta/VENDAS.FDB não existe: "
                                         "ele foi apagado ou a pasta da linha 1 do orvo.ini não é a dele."
                                      << int(SaidaSemBanco) << "";
        QTest::newRow("arquivo apagado da pasta") << QByteArray("PASTA/vazia\r\n")
                                                  << "O arquivo do banco de dados PASTA/vazia/VENDAS.FDB não existe"
                                                  << int(SaidaSemBanco) << "";
        const QString vazia = QStringLiteral("A linha 1 do orvo.ini está vazia: escreva nela a pasta do banco de dados "
                                             "de vendas, como /srv/vendas ou servidor:/srv/vendas.");
        QTest::newRow("arquivo vazio") << QByteArray() << vazia << int(SaidaSemConfiguracao) << "";
        QTest::newRow("linha 1 só com tabulação e brancos") << QByteArray("\t \t\r\nBanco=FIRE\r\n") << vazia
                                                            << int(SaidaSemConfiguracao) << "";
        QTest::newRow("pasta do Windows")
            << QByteArray("C:\\Sistema\\Dados\r\n")
            << "A linha 1 do orvo.ini traz uma pasta do Windows (C:\\Sistema\\Dados): neste computador ela deve ser "
               "uma pasta como /srv/vendas ou servidor:/srv/vendas."
            << int(SaidaSemConfiguracao) << "";
        QTest::newRow("pasta do Windows, Access") << QByteArray("d:/Vendas\r\nBanco=Acess\r\n")
                                                  << "A linha 1 do orvo.ini traz uma pasta do Windows (d:/Vendas)"
                                                  << int(SaidaSemConfiguracao) << "";
        QTest::newRow("Access sem driver") << QByteArray("/tmp\r\nBanco=Acess\r\n")
                                           << "Não foi possível abrir o banco de dados de vendas." << int(SaidaSemBanco)
                                           << "";
        QTest::newRow("fonte ODBC inexistente")
            << QByteArray("/tmp\r\nBanco=SQL\r\n")
            << "A fonte de dados ODBC \"SQLVendas\" não está definida neste computador: defina-a em PASTA/odbc.ini "
               "(para todos os usuários) ou em PASTA/odbc.ini (só para este usuário), com o driver e o banco de "
               "dados de vendas."
            << int(SaidaSemBanco) << "";
        QTest::newRow("arquivo preso por outro programa, sem servidor")
            << QByteArray("PASTA\r\n")
            << "O arquivo do banco de dados PASTA/VENDAS.FDB está preso por outro programa deste computador, que o "
               "abriu só para si: feche esse programa"
            << int(SaidaSemBanco) << "preso";
        QTest::newRow("configuração do Firebird em lugar nenhum")
            << QByteArray("PASTA\r\n")
            << "O OrvoAviso não conseguiu criar a sua configuração do Firebird em nenhuma pasta em que o usuário "
               + nomeDoUsuario() + " pode escrever, e sem ela tomaria o arquivo de vendas só para si"
            << int(SaidaSemBanco) << "semRaiz";
        QTest::newRow("arquivo de outra versão do Firebird")
            << QByteArray("PASTA\r\n")
            << "O arquivo do banco de dados PASTA/VENDAS.FDB é de outra versão do Firebird (estrutura ODS OUTRA"
            << int(SaidaSemBanco) << "outraEstrutura";
        // A real file made by another Firebird (ORVO_FB_ARQUIVO_OUTRA_VERSAO,
        // set by the test command where it has one).
        QTest::newRow("arquivo feito por outra versão do Firebird")
            << QByteArray("PASTA\r\n")
            << "O arquivo do banco de dados PASTA/VENDAS.FDB é de outra versão do Firebird (estrutura ODS "
            << int(SaidaSemBanco) << "arquivoDeOutraVersao";
    }
    void bancoNaoAbre()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, primeiraLinha);
        QFETCH(int, status);
        QFETCH(QString, preparo);
        const bool preso = preparo == QLatin1String("preso");
        QTemporaryDir pasta;
        ini.replace("PASTA", QFile::encodeName(pasta.path()));
        primeiraLinha.replace(QStringLiteral("PASTA"), pasta.path());
        QProcess isql;
        const auto fechaIsql = qScopeGuard([&] {
            isql.kill();
            isql.waitForFinished(5000);
        });
        if (preso) {
            // The answer would be another with a Firebird server on this computer.
            QTcpSocket servidor;
            servidor.connectToHost(QStringLiteral("127.0.0.1"), 3050);
            if (servidor.waitForConnected(500))
                QSKIP("um servidor Firebird atende na porta 3050 deste computador");
            const QString banco = bancoteste::criaBancoFirebird(pasta.path());
            // Without a root of its own, isql-fb's engine runs in the default
            // mode and takes the file for itself.
            QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
            ambiente.remove(QStringLiteral("FIREBIRD"));
            isql.setProcessEnvironment(ambiente);
            isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                                   QStringLiteral("-password"), QStringLiteral("x"), banco});
            QVERIFY(isql.waitForStarted(10000));
            isql.write("SELECT 'aberto' FROM RDB$DATABASE;\n");
            QByteArray saida;
            QVERIFY2(QTest::qWaitFor([&] { return (saida += isql.readAll()).contains("aberto"); }, 20000),
                     (saida + isql.readAllStandardError()).constData());
        }
        if (preparo == QLatin1String("outraEstrutura")) {
            // The engine reads the structure's version first, from the header
            // page: its major number, flagged as Firebird's, after the page size.
            QFile banco(bancoteste::criaBancoFirebird(pasta.path()));
            QVERIFY(banco.open(QIODevice::ReadWrite));
            QVERIFY(banco.seek(18));
            const QByteArray lido = banco.read(2);
            const int propria = (quint8(lido[0]) | quint8(lido[1]) << 8) & 0x7fff;
            QVERIFY2(propria >= 10, qPrintable(QString::number(propria)));
            const int outra = propria == 13 ? 12 : propria + 1;
            const quint16 versao = 0x8000 | outra;
            QVERIFY(banco.seek(18));
            const char novo[2] = {char(versao & 0xff), char(versao >> 8)};
            QCOMPARE(banco.write(novo, 2), qint64(2));
            banco.close();
            primeiraLinha.replace(QStringLiteral("OUTRA"), QStringLiteral("%1.0").arg(outra));
        }
        if (preparo == QLatin1String("arquivoDeOutraVersao")) {
            const QString arquivo = qEnvironmentVariable("ORVO_FB_ARQUIVO_OUTRA_VERSAO");
            if (arquivo.isEmpty())
                QSKIP("ORVO_FB_ARQUIVO_OUTRA_VERSAO não indica um arquivo de outra versão do Firebird");
            QVERIFY2(QFile::copy(arquivo, pasta.filePath(QStringLiteral("VENDAS.FDB"))), qPrintable(arquivo));
        }
        QString programa = pasta.path();
        QHash<QByteArray, QByteArray> ambienteAntes;
        const auto restaura = qScopeGuard([&] {
            for (auto it = ambienteAntes.cbegin(); it != ambienteAntes.cend(); ++it)
                qputenv(it.key().constData(), it.value());
        });
        if (preparo == QLatin1String("semRaiz")) {
            // An installed program (a folder it cannot write), its root named
            // nowhere, and no place it can make one: cache, runtime and
            // temporary folders that cannot be made even by root.
            programa = QStringLiteral("/proc/orvoaviso");
            for (const char *nome : {"FIREBIRD", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"})
                ambienteAntes.insert(nome, qgetenv(nome));
            qunsetenv("FIREBIRD");
            qputenv("XDG_CACHE_HOME", "/proc/orvo");
            qputenv("XDG_RUNTIME_DIR", "/proc/orvo");
            qputenv("TMPDIR", "/proc");
            const QString config = configUsuario_.filePath(QStringLiteral("orvoaviso"));
            QVERIFY(QDir().mkpath(config));
            bancoteste::escreveOrvoIni(config, ini);
        }
        bancoteste::escreveOrvoIni(pasta.path(), ini);
        // No data source "SQLVendas" on this workstation.
        const QByteArray odbcIni = qgetenv("ODBCINI");
        const QByteArray odbcSysIni = qgetenv("ODBCSYSINI");
        qputenv("ODBCINI", QFile::encodeName(pasta.filePath(QStringLiteral("odbc.ini"))));
        qputenv("ODBCSYSINI", QFile::encodeName(pasta.path()));
        ambienteaviso::iniciaPrograma(programa);
        qputenv("ODBCINI", odbcIni);
        qputenv("ODBCSYSINI", odbcSysIni);
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(status));
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const QString texto = toolkit::mensagensMostradas()[0].texto;
        QVERIFY2(texto.section(QChar(13), 0, 0).startsWith(primeiraLinha), qPrintable(texto));
        if (status == SaidaSemBanco) // the provider's description follows
            QVERIFY2(texto.section(QChar(13), 1).trimmed().size() > 10, qPrintable(texto));
        else
            QVERIFY2(!texto.contains(QChar(13)), qPrintable(texto));
        QVERIFY(!FrmRobo::carregada());
        QVERIFY(janelasVisiveis().isEmpty());
    }

    // A user outside the group "firebird" (the engine's lock folder is closed
    // to them) is told so in every language the session may have: the failure
    // is known by its codes, not by the system's words, which change. The real
    // program, run as that user; Portuguese and American English locales are
    // made for it in a folder of the test's.
    void foraDoGrupoFirebird_data()
    {
        QTest::addColumn<QString>("localidade");
        QTest::addColumn<QString>("motivo"); // the system's words, in that language
        QTest::newRow("pt_BR") << "pt_BR.UTF-8" << "Permissão negada";
        QTest::newRow("en_US") << "en_US.UTF-8" << "Permission denied";
        QTest::newRow("C") << "C" << "Permission denied";
    }
    void foraDoGrupoFirebird()
    {
        QFETCH(QString, localidade);
        QFETCH(QString, motivo);
        if (!podeRodarComoOutroUsuario() || QFileInfo(QStringLiteral("/tmp/firebird")).isDir() == false
            || comoUsuario(QStringLiteral("nobody"), {}, {QStringLiteral("test"), QStringLiteral("-w"), QStringLiteral("/tmp/firebird")}) == 0)
            QSKIP("precisa de root, setpriv e da pasta /tmp/firebird fechada a quem não é do grupo firebird");
        QTemporaryDir base;
        QVERIFY(QFile::setPermissions(base.path(), QFileDevice::Permissions(0x7755)));
        QString locais;
        if (localidade != QLatin1String("C")) {
            locais = base.filePath(QStringLiteral("locais"));
            QVERIFY(QDir().mkpath(locais));
            QProcess localedef;
            localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), localidade.section(u'.', 0, 0),
                                                           QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                                           locais + u'/' + localidade});
            if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0)
                QSKIP(qPrintable(QStringLiteral("localedef não fez %1: %2").arg(localidade, QString::fromLocal8Bit(localedef.readAllStandardError()))));
        }
        const QString dados = preparaDadosCompartilhados(base.path());
        const QString cache = base.filePath(QStringLiteral("cache"));
        QVERIFY(QDir().mkpath(cache));
        QVERIFY(QFile::setPermissions(cache, QFileDevice::Permissions(0x7777)));
        QProcessEnvironment ambiente = ambienteDoUsuario(base.path(), cache);
        ambiente.insert(QStringLiteral("LC_ALL"), localidade);
        ambiente.insert(QStringLiteral("LANG"), localidade);
        if (!locais.isEmpty())
            ambiente.insert(QStringLiteral("LOCPATH"), locais);
        QProcess programa;
        programa.setProcessEnvironment(ambiente);
        programa.start(QStringLiteral("setpriv"), argumentosComoUsuario(QStringLiteral("nobody"), QString()));
        QVERIFY(programa.waitForStarted(10000));
        const auto encerra = qScopeGuard([&] {
            programa.kill();
            programa.waitForFinished(5000);
        });
        QByteArray saida;
        QVERIFY2(QTest::qWaitFor([&] { return (saida += programa.readAllStandardError()).contains("saia e entre de novo"); }, 30000),
                 saida.constData());
        const QStringList linhas = QString::fromUtf8(saida).section(QStringLiteral("OrvoAviso: "), 1).split(u'\n');
        QVERIFY2(linhas.value(0).startsWith(QStringLiteral(
                     "O Firebird deste computador só pode ser usado por quem pertence ao grupo \"firebird\", e o "
                     "usuário nobody não pertence a ele nesta sessão")),
                 saida.constData());
        // The engine's words follow, the system's reason in the session's language.
        QCOMPARE(linhas.value(1), QStringLiteral("operating system directive access failed"));
        QCOMPARE(linhas.value(2), motivo);
        QVERIFY2(linhas.contains(QStringLiteral("    sudo adduser nobody firebird")), saida.constData());
        QVERIFY(dados.size() > 0);
    }

    // Two users of one workstation read the same file with the embedded
    // engine, one of them with a cache folder it cannot write (and no home):
    // its program makes its Firebird configuration in its runtime folder, or
    // in a private temporary folder, never opening the file exclusively; and
    // isql-fb in shared mode reads the file beside both.
    void doisUsuariosNoMesmoArquivo_data()
    {
        QTest::addColumn<bool>("comPastaDeExecucao");
        QTest::newRow("cache sem escrita, pasta de execução") << true;
        QTest::newRow("cache sem escrita nem pasta de execução: pasta temporária") << false;
    }
    void doisUsuariosNoMesmoArquivo()
    {
        QFETCH(bool, comPastaDeExecucao);
        if (!podeRodarComoOutroUsuario())
            QSKIP("precisa de root e setpriv");
        QTemporaryDir base;
        QVERIFY(QFile::setPermissions(base.path(), QFileDevice::Permissions(0x7755)));
        const QString banco = preparaDadosCompartilhados(base.path());
        // nobody: a cache that is root's, no home.
        const QString cacheFechado = base.filePath(QStringLiteral("cache-fechado"));
        QVERIFY(QDir().mkpath(cacheFechado));
        QProcessEnvironment ambienteA = ambienteDoUsuario(base.path(), cacheFechado);
        ambienteA.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));
        const QString execucao = base.filePath(QStringLiteral("execucao-nobody"));
        const QString temporaria = QStringLiteral("/tmp/orvoaviso-%1").arg(idDe(QStringLiteral("nobody")));
        QDir(temporaria).removeRecursively();
        const auto limpa = qScopeGuard([&] { QDir(temporaria).removeRecursively(); });
        if (comPastaDeExecucao) {
            QVERIFY(QDir().mkpath(execucao));
            QCOMPARE(comoUsuario(QStringLiteral("root"), {}, {QStringLiteral("chown"), QStringLiteral("nobody"), execucao}), 0);
            QVERIFY(QFile::setPermissions(execucao, QFileDevice::Permissions(0x7700)));
            ambienteA.insert(QStringLiteral("XDG_RUNTIME_DIR"), execucao);
        }
        // daemon: an ordinary cache of its own.
        const QString cacheB = base.filePath(QStringLiteral("cache-daemon"));
        QVERIFY(QDir().mkpath(cacheB));
        QCOMPARE(comoUsuario(QStringLiteral("root"), {}, {QStringLiteral("chown"), QStringLiteral("daemon"), cacheB}), 0);
        QProcessEnvironment ambienteB = ambienteDoUsuario(base.path(), cacheB);

        QProcess a, b;
        const auto encerra = qScopeGuard([&] {
            for (QProcess *p : {&a, &b}) {
                p->kill();
                p->waitForFinished(5000);
            }
        });
        QByteArray saidaA, saidaB;
        const QString arquivo = QFileInfo(banco).canonicalFilePath();
        const auto abriu = [&](QProcess &p, QByteArray &saida) {
            saida += p.readAllStandardError();
            for (const QFileInfo &fd : QDir(QStringLiteral("/proc/%1/fd").arg(p.processId())).entryInfoList(QDir::Files | QDir::System))
                if (fd.symLinkTarget() == arquivo)
                    return true;
            return false;
        };
        for (auto [p, ambiente, usuario, saida] : {std::tuple{&a, &ambienteA, "nobody", &saidaA}, std::tuple{&b, &ambienteB, "daemon", &saidaB}}) {
            p->setProcessEnvironment(*ambiente);
            p->start(QStringLiteral("setpriv"), argumentosComoUsuario(QString::fromLatin1(usuario), QStringLiteral("firebird")));
            QVERIFY(p->waitForStarted(10000));
            QVERIFY2(QTest::qWaitFor([&] { return abriu(*p, *saida); }, 30000), saida->constData());
        }
        // Both hold the file; isql-fb in shared mode reads it too.
        bancoteste::executaIsql(QStringLiteral("SELECT COUNT(*) FROM ContaDet;\n"), banco);
        QTest::qWait(300);
        QVERIFY2(!saidaA.contains("OrvoAviso:") && !saidaB.contains("OrvoAviso:"), (saidaA + saidaB).constData());
        QCOMPARE(a.state(), QProcess::Running);
        QCOMPARE(b.state(), QProcess::Running);
        const QString raizA = comPastaDeExecucao ? execucao + QStringLiteral("/orvoaviso/firebird") : temporaria + QStringLiteral("/firebird");
        for (const QString &raiz : {raizA, cacheB + QStringLiteral("/orvoaviso/firebird")}) {
            QFile conf(raiz + QStringLiteral("/firebird.conf"));
            QVERIFY2(conf.open(QIODevice::ReadOnly) && conf.readAll().contains("ServerMode = SuperClassic"), qPrintable(raiz));
        }
        QVERIFY(!QFileInfo::exists(cacheFechado + QStringLiteral("/orvoaviso")));
        for (QProcess *p : {&a, &b}) {
            ::kill(pid_t(p->processId()), SIGTERM);
            QVERIFY(p->waitForFinished(10000));
            QCOMPARE(p->exitCode(), 0);
        }
    }

private:
    static bool podeRodarComoOutroUsuario()
    {
        return geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
    }

    static int idDe(const QString &usuario)
    {
        QProcess id;
        id.start(QStringLiteral("id"), {QStringLiteral("-u"), usuario});
        id.waitForFinished(5000);
        return id.readAllStandardOutput().trimmed().toInt();
    }

    // setpriv's arguments that run the real program as the user, in the given
    // supplementary group or in none.
    static QStringList argumentosComoUsuario(const QString &usuario, const QString &grupo)
    {
        QStringList argumentos{QStringLiteral("--reuid=") + usuario, QStringLiteral("--regid=nogroup")};
        argumentos << (grupo.isEmpty() ? QStringLiteral("--clear-groups") : QStringLiteral("--groups=") + grupo);
        argumentos << QStringLiteral(ORVO_PROGRAMA);
        return argumentos;
    }

    // Runs a command as the user (root: as the test), its exit status.
    static int comoUsuario(const QString &usuario, const QString &grupo, const QStringList &comando)
    {
        QProcess p;
        if (usuario == QLatin1String("root")) {
            p.start(comando.value(0), comando.mid(1));
        } else {
            QStringList argumentos{QStringLiteral("--reuid=") + usuario, QStringLiteral("--regid=nogroup")};
            argumentos << (grupo.isEmpty() ? QStringLiteral("--clear-groups") : QStringLiteral("--groups=") + grupo);
            p.start(QStringLiteral("setpriv"), argumentos + comando);
        }
        if (!p.waitForFinished(10000))
            return -1;
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // A database every user may read and write, and orvo.ini pointing to it in
    // a configuration folder every user may read: base/dados, base/config.
    static QString preparaDadosCompartilhados(const QString &base)
    {
        const QString dados = base + QStringLiteral("/dados");
        const QString banco = bancoteste::criaBancoFirebird(dados);
        QFile::setPermissions(dados, QFileDevice::Permissions(0x7777));
        QFile::setPermissions(banco, QFileDevice::Permissions(0x6666));
        const QString config = base + QStringLiteral("/config/orvoaviso");
        QDir().mkpath(config);
        QDir().mkpath(base + QStringLiteral("/sistema"));
        bancoteste::escreveOrvoIni(config, dados.toUtf8() + "\r\n");
        for (const QString &pasta : {base + QStringLiteral("/config"), config, base + QStringLiteral("/sistema")})
            QFile::setPermissions(pasta, QFileDevice::Permissions(0x7755));
        QFile::setPermissions(config + QStringLiteral("/orvo.ini"), QFileDevice::Permissions(0x6644));
        return banco;
    }

    // The environment of a user's session: the configuration of base, the cache given.
    static QProcessEnvironment ambienteDoUsuario(const QString &base, const QString &cache)
    {
        QProcessEnvironment ambiente;
        ambiente.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        ambiente.insert(QStringLiteral("HOME"), cache);
        ambiente.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
        ambiente.insert(QStringLiteral("XDG_CONFIG_HOME"), base + QStringLiteral("/config"));
        ambiente.insert(QStringLiteral("XDG_CONFIG_DIRS"), base + QStringLiteral("/sistema"));
        return ambiente;
    }
};

QTEST_MAIN(TestIniciaSistema)
#include "tst_iniciasistema.moc"
