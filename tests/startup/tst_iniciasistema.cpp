// Start-up for real: orvo.ini in the program folder, the shared connection on
// an embedded Firebird database, the never-shown start-up window handing over
// to the notice window; and every way the start can fail.
#include "support/AmbienteAviso.h"
#include "support/ServidoresTeste.h"

#include "format/RetornaConfigWin.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"
#include "platform/Formatacao.h"
#include "platform/Janela.h"
#include "platform/Toolkit.h"
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
#include <QScopeGuard>
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
        QTest::newRow("LCPI") << QByteArray("\r\n") << QString() << "VENDAS.FDB";
        QTest::newRow("ibole, sem usuário") << QByteArray("\r\nProviderZstyle:S\r\n") << QString() << "VENDAS.FDB";
        QTest::newRow("arquivo vendas.fdb") << QByteArray("\r\n") << QString() << "vendas.fdb";
        QTest::newRow("arquivo Vendas.fdb, ibole") << QByteArray("\r\nProviderZstyle:S\r\n") << QString() << "Vendas.fdb";
        QTest::newRow("pasta com ; = aspas e brancos")
            << QByteArray("\r\n") << QStringLiteral("loja;2 = \"a\" 'b'") << "VENDAS.FDB";
        QTest::newRow("pasta com ;data source= e user id=")
            << QByteArray("\r\n") << QStringLiteral("x;data source=y; user id=z") << "vendas.fdb";
    }
    void provedoresFirebird()
    {
        QFETCH(QByteArray, resto);
        QFETCH(QString, subpasta);
        QFETCH(QString, arquivo);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        QString pasta = amb.pasta();
        if (!subpasta.isEmpty()) {
            QVERIFY(QDir(pasta).mkdir(subpasta));
            pasta += u'/' + subpasta;
        }
        if (pasta + u'/' + arquivo != amb.arquivoBanco())
            QVERIFY(QFile::rename(amb.arquivoBanco(), pasta + u'/' + arquivo));
        bancoteste::escreveOrvoIni(amb.pasta(), pasta.toUtf8() + resto);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(!toolkit::statusDeEncerramento());
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
        QVERIFY2(texto.startsWith(QStringLiteral("Não foi possível abrir o banco de dados de vendas.") + QChar(13)), qPrintable(texto));
        QVERIFY2(texto.contains(trecho), qPrintable(texto));
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
                return saida.contains("Não foi possível abrir o banco de dados de vendas.");
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

    void bancoNaoAbre_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("trecho");
        QTest::newRow("pasta errada") << QByteArray("/nao/existe/esta/pasta\r\n") << "/nao/existe/esta/pasta/VENDAS.FDB";
        QTest::newRow("arquivo vazio: só \\VENDAS.FDB") << QByteArray() << "VENDAS.FDB";
        QTest::newRow("Access sem driver") << QByteArray("/tmp\r\nBanco=Acess\r\n") << "ODBC";
        QTest::newRow("fonte ODBC inexistente") << QByteArray("/tmp\r\nBanco=SQL\r\n") << "";
    }
    void bancoNaoAbre()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, trecho);
        QTemporaryDir pasta;
        bancoteste::escreveOrvoIni(pasta.path(), ini);
        // No data source "SQLVendas" on this workstation.
        const QByteArray odbcIni = qgetenv("ODBCINI");
        const QByteArray odbcSysIni = qgetenv("ODBCSYSINI");
        qputenv("ODBCINI", QFile::encodeName(pasta.filePath(QStringLiteral("odbc.ini"))));
        qputenv("ODBCSYSINI", QFile::encodeName(pasta.path()));
        ambienteaviso::iniciaPrograma(pasta.path());
        qputenv("ODBCINI", odbcIni);
        qputenv("ODBCSYSINI", odbcSysIni);
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemBanco));
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const QString texto = toolkit::mensagensMostradas()[0].texto;
        QVERIFY2(texto.startsWith(QStringLiteral("Não foi possível abrir o banco de dados de vendas.") + QChar(13)), qPrintable(texto));
        QVERIFY2(texto.section(QChar(13), 1).trimmed().size() > 10, qPrintable(texto)); // the provider's description follows
        QVERIFY2(texto.contains(trecho), qPrintable(texto));
        QVERIFY(!FrmRobo::carregada());
        QVERIFY(janelasVisiveis().isEmpty());
    }
};

QTEST_MAIN(TestIniciaSistema)
#include "tst_iniciasistema.moc"
