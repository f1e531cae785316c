// Start-up for real: orvo.ini in the program folder, the shared connection on
// an embedded Firebird database, the never-shown start-up window handing over
// to the notice window; and every way the start can fail.
#include "support/AmbienteAviso.h"

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
#include <QTest>
#include <cstdio>
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

    // Both Firebird provider strings open the embedded file.
    void provedoresFirebird_data()
    {
        QTest::addColumn<QByteArray>("resto");
        QTest::newRow("LCPI") << QByteArray("\r\n");
        QTest::newRow("ibole, sem usuário") << QByteArray("\r\nProviderZstyle:S\r\n");
    }
    void provedoresFirebird()
    {
        QFETCH(QByteArray, resto);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        bancoteste::escreveOrvoIni(amb.pasta(), amb.pasta().toUtf8() + resto);
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

    // A folder called orvo.ini is not the file.
    void pastaChamadaOrvoIni()
    {
        QTemporaryDir pasta;
        QVERIFY(QDir(pasta.path()).mkdir(QStringLiteral("orvo.ini")));
        ambienteaviso::iniciaPrograma(pasta.path());
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(SaidaSemConfiguracao));
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
