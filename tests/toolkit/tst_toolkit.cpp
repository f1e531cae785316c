// The toolkit layer as the tests and the system see it: the standard run-time
// error, the mouse pointer, titles of message boxes, and the grid operations.
#include "base/ErroCorrente.h"
#include "toolkit/Grade.h"
#include "toolkit/Toolkit.h"

#include <QTableWidget>
#include <QTest>

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        toolkit::ativaObservacao(true);
        toolkit::limpaObservacao();
    }

    // An error no handler traps: one message box, then the end with a non-zero status.
    void erroNaoTratadoEncerra()
    {
        bool continuou = false;
        toolkit::executaManipulador([&] {
            throw ErroSistema(-902, QStringLiteral("Unable to complete network request to host"));
            continuou = true;
        });
        QVERIFY(!continuou);
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const auto &m = toolkit::mensagensMostradas()[0];
        QCOMPARE(m.texto, QStringLiteral("Erro em tempo de execução '-902':") + QChar(13) + QChar(13)
                     + QStringLiteral("Unable to complete network request to host"));
        QCOMPARE(m.titulo, QStringLiteral("OrvoAviso"));
        QVERIFY(toolkit::statusDeEncerramento().has_value());
        QVERIFY(*toolkit::statusDeEncerramento() != 0);
    }

    void fimDoProgramaInterrompeOManipulador()
    {
        int passos = 0;
        toolkit::executaManipulador([&] {
            ++passos;
            toolkit::encerraPrograma(3);
            ++passos;
        });
        QCOMPARE(passos, 1);
        QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(3));
        QVERIFY(toolkit::mensagensMostradas().empty());
    }

    void titulos()
    {
        toolkit::caixaMensagem(QStringLiteral("a"), toolkit::EstiloInformacao);
        toolkit::caixaMensagem(QStringLiteral("b"), toolkit::EstiloExclamacao, QString());
        toolkit::caixaMensagem(QStringLiteral("c"), toolkit::EstiloExclamacao, QStringLiteral("Outro"));
        QCOMPARE(toolkit::mensagensMostradas()[0].titulo, QStringLiteral("OrvoAviso"));
        QCOMPARE(toolkit::mensagensMostradas()[1].titulo, QString());
        QCOMPARE(toolkit::mensagensMostradas()[2].titulo, QStringLiteral("Outro"));
    }

    void apontador()
    {
        toolkit::defineApontador(toolkit::ApontadorAmpulheta);
        QCOMPARE(toolkit::apontador(), 11);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        toolkit::defineApontador(toolkit::ApontadorNormal);
        QCOMPARE(toolkit::apontador(), 0);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // Cursors, -1 for all, action 12 clearing texts only, rows added below the last.
    void grade()
    {
        QTableWidget tabela(3, 5);
        const QColor normal(185, 255, 255);
        Grade g(&tabela, normal);
        g.defineCol(2);
        g.defineRow(3);
        g.defineTexto(QStringLiteral("x"));
        g.defineCorFundo(Qt::yellow);
        QCOMPARE(g.texto(), QStringLiteral("x"));
        g.defineRow(5);
        g.defineTexto(QStringLiteral("abaixo"));
        QCOMPARE(g.linhas(), 5);
        QCOMPARE(g.texto(), QStringLiteral("abaixo"));
        QCOMPARE(g.corFundo(), normal);

        g.defineCol(-1);
        g.defineRow(-1);
        g.defineAcao(Grade::AcaoLimpaTexto);
        g.defineCol(2);
        g.defineRow(3);
        QCOMPARE(g.texto(), QString());
        QCOMPARE(g.corFundo(), QColor(Qt::yellow)); // the clear action keeps colours
        g.defineRow(5);
        QCOMPARE(g.texto(), QString());
        QCOMPARE(g.linhas(), 5);
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
