// The program's command line, what it says on standard error, and the one
// copy per session: the real program run as a process.
#include "notice/ApoioAviso.h"

#include "startup/Aplicacao.h"
#include "desktop/InstanciaUnica.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
struct Execucao {
    int status = -1;
    QString saida;
    QString erros;
};

// Runs the program with no desktop at all.
Execucao executa(const QStringList &argumentos)
{
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove(QStringLiteral("QT_QPA_PLATFORM"));
    ambiente.remove(QStringLiteral("DISPLAY"));
    ambiente.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(ambiente);
    p.start(QStringLiteral(ORVO_PROGRAMA), argumentos);
    Execucao e;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return e;
    }
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saida = QString::fromLocal8Bit(p.readAllStandardOutput());
    e.erros = QString::fromLocal8Bit(p.readAllStandardError());
    return e;
}
} // namespace

class TestLinhaDeComando : public QObject {
    Q_OBJECT
    QTemporaryDir sessao; // the session's runtime folder, of this test only

private slots:
    void initTestCase()
    {
        QVERIFY(sessao.isValid());
        qputenv("XDG_RUNTIME_DIR", sessao.path().toUtf8());
    }
    void init()
    {
        iniciaCaso(QDate());
        agendamento::defineMilissegundosPorMinuto(60 * 1000);
    }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    void opcoes_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("saida");
        QTest::addColumn<QString>("erros");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "Uso: orvoaviso [opções]" << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "--version  Mostra a versão do programa e termina." << "";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << "OrvoAviso 1.2\n" << "";
        QTest::newRow("desconhecida") << QStringList{"--xyz"} << 2 << "" << "OrvoAviso: opção desconhecida: xyz";
        QTest::newRow("argumento") << QStringList{"banco"} << 2 << "" << "OrvoAviso: argumento inesperado: banco";
    }
    // Answered and ended with no desktop, orvo.ini or window.
    void opcoes()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, status);
        QFETCH(QString, saida);
        QFETCH(QString, erros);
        const Execucao e = executa(argumentos);
        QCOMPARE(e.status, status);
        QVERIFY2(saida.isEmpty() ? e.saida.isEmpty() : e.saida.contains(saida), qPrintable(e.saida));
        QVERIFY2(erros.isEmpty() ? e.erros.isEmpty() : e.erros.contains(erros), qPrintable(e.erros));
    }

    // With no orvo.ini the message also goes to standard error, followed by
    // where the file was looked for, the program's own folder first.
    void semOrvoIniNoTerminal()
    {
        QTemporaryDir pasta;
        const QString programa = pasta.filePath(QStringLiteral("orvoaviso"));
        QVERIFY(QFile::copy(QStringLiteral(ORVO_PROGRAMA), programa));
        QProcess p;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(ambiente);
        p.start(programa, {});
        QVERIFY(p.waitForStarted());
        QString erros;
        const QString esperado = QStringLiteral("OrvoAviso: Arquivo orvo.INI não encontrado \nProcurado em:\n  ")
            + pasta.filePath(QStringLiteral("orvo.ini")) + u'\n';
        QVERIFY(QTest::qWaitFor([&] {
            erros += QString::fromLocal8Bit(p.readAllStandardError());
            return erros.contains(esperado) || p.state() == QProcess::NotRunning;
        }, 30000));
        p.kill(); // the message box waits for the user
        p.waitForFinished();
        QVERIFY2(erros.contains(esperado), qPrintable(erros));
    }

    // A second start finds the running copy, which brings its notice back
    // and reads; the second ends with status 0 and opens nothing.
    void segundaExecucaoAvisaAPrimeira()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        const QDate hoje = QDate::currentDate();
        QVERIFY(iniciaComUmaParcela(amb, hoje));
        InstanciaUnica primeira;
        QVERIFY(primeira.escuta([] { Aplicacao::instancia().avisaAgora(); }));
        FrmRobo &j = FrmRobo::instancia();
        j.txtHora->setText(QStringLiteral("1.00"));
        j.cmdAvisar->click();
        QVERIFY(!j.isVisible());
        amb.dados().parcela(2, 1, hoje, hoje, 5.00);

        QProcess segunda;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        segunda.setProcessEnvironment(ambiente);
        segunda.start(QStringLiteral(ORVO_PROGRAMA), {});
        QVERIFY(QTest::qWaitFor([&] { return segunda.state() == QProcess::NotRunning; }, 30000));
        QCOMPARE(segunda.exitStatus(), QProcess::NormalExit);
        QCOMPARE(segunda.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(j.isVisible() && !j.trmEsconde.ativo(), 10000);
        QVERIFY(esperaLeituras());
        QCOMPARE(linhasPreenchidas(j.grdRec), 2);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("15,00"));
    }
};

QTEST_MAIN(TestLinhaDeComando)
#include "tst_linhadecomando.moc"
