// The error report: title, two lines separated by a carriage return alone,
// the beep before the box, and the current error cleared.
#include "base/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "toolkit/Toolkit.h"

#include <QTest>

class TestMostraErro : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        toolkit::ativaObservacao(true);
        toolkit::limpaObservacao();
    }

    void layout_data()
    {
        QTest::addColumn<long>("numero");
        QTest::addColumn<QString>("descricao");
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("texto");
        const QChar cr(13);
        QTest::newRow("brancos em volta") << 13L << "  Tipos incompatíveis  " << "ORVO(RetornaConfigWin)"
                                          << QStringLiteral("Tipos incompatíveis(Nº: 13)") + cr + "LOCAL: ORVO(RetornaConfigWin)";
        QTest::newRow("descrição vazia") << 5L << "" << "ORVO(CarregaContas)"
                                         << QStringLiteral("(Nº: 5)") + cr + "LOCAL: ORVO(CarregaContas)";
        QTest::newRow("número negativo") << -902L << "Unable to complete network request" << "ORVO(CarregaContas)"
                                         << QStringLiteral("Unable to complete network request(Nº: -902)") + cr
                + "LOCAL: ORVO(CarregaContas)";
    }
    void layout()
    {
        QFETCH(long, numero);
        QFETCH(QString, descricao);
        QFETCH(QString, local);
        QFETCH(QString, texto);
        try {
            throw ErroSistema(numero, descricao);
        } catch (const ErroSistema &) {
            MostraErro(local);
        }
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const auto &m = toolkit::mensagensMostradas()[0];
        QCOMPARE(m.texto, texto);
        QVERIFY(!m.texto.contains(QChar(10)));
        QCOMPARE(m.estilo, int(toolkit::EstiloExclamacao));
        QCOMPARE(m.titulo, QStringLiteral("O \"OrvoAviso\" detectou o seguinte Erro:"));
        QCOMPARE(toolkit::beepsSoados(), 1);
        QCOMPARE(erroCorrente().numero, 0L);
        QVERIFY(erroCorrente().descricao.isEmpty());
    }

    // The error is cleared before the box is shown.
    void erroLimpoAntesDaCaixa()
    {
        ErroSistema erro(91, QStringLiteral("x"));
        QCOMPARE(erroCorrente().numero, 91L);
        MostraErro(QStringLiteral("ORVO(Teste)"));
        QCOMPARE(erroCorrente().numero, 0L);
        QCOMPARE(toolkit::mensagensMostradas().back().texto.section(QChar(13), 1), QStringLiteral("LOCAL: ORVO(Teste)"));
    }
};

QTEST_GUILESS_MAIN(TestMostraErro)
#include "tst_mostraerro.moc"
