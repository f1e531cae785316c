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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;

class TestIniciaSistema : public QObject {
    Q_OBJECT

    static QStringList janelasVisiveis()
    {
        QStringList nomes;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                nomes << w->objectName();
        return nomes;
    }

private slots:
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

    void semOrvoIni()
    {
        QTemporaryDir pasta;
        ambienteaviso::iniciaPrograma(pasta.path());
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
