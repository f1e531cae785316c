// The delay typed into txtHora, read as minutes.
#include "notice/Intervalo.h"

#include <QTest>

Q_DECLARE_METATYPE(Intervalo::Resultado)

class TestIntervalo : public QObject {
    Q_OBJECT
private slots:
    void leIntervalo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<Intervalo::Resultado>("resultado");
        QTest::addColumn<int>("minutos");
        const auto ok = Intervalo::Aceito;
        const auto acima = Intervalo::AcimaDeUmaHora;
        const auto invalido = Intervalo::TempoInvalido;
        QTest::newRow("1.00 padrão") << "1.00" << ok << 60;
        QTest::newRow("1,00") << "1,00" << ok << 60;
        QTest::newRow("1 sem separador") << "1" << ok << 60;
        QTest::newRow("0.30") << "0.30" << ok << 30;
        QTest::newRow("0,30") << "0,30" << ok << 30;
        QTest::newRow("0.05") << "0.05" << ok << 5;
        QTest::newRow("0.5 são cinco minutos") << "0.5" << ok << 5;
        QTest::newRow("0.50") << "0.50" << ok << 50;
        QTest::newRow("0.305 ignora o terceiro") << "0.305" << ok << 30;
        QTest::newRow("0.60") << "0.60" << ok << 60;
        QTest::newRow("1.01") << "1.01" << acima << 61;
        QTest::newRow("2") << "2" << acima << 120;
        QTest::newRow("1,5 são 65 minutos") << "1,5" << acima << 65;
        QTest::newRow("0.75") << "0.75" << acima << 75;
        QTest::newRow("0.61") << "0.61" << acima << 61;
        QTest::newRow("inteiro enorme") << "99999999999999999999" << acima << 0;
        QTest::newRow("40000 horas") << "40000" << acima << 0;
        QTest::newRow("vazio") << "" << invalido << 0;
        QTest::newRow("letras") << "abc" << invalido << 0;
        QTest::newRow("letras após o número") << "0.3x" << invalido << 0;
        QTest::newRow(".30 sem horas") << ".30" << invalido << 0;
        QTest::newRow("1. sem minutos") << "1." << invalido << 0;
        QTest::newRow("zero") << "0" << invalido << 0;
        QTest::newRow("0.00") << "0.00" << invalido << 0;
        QTest::newRow("0,00") << "0,00" << invalido << 0;
        QTest::newRow("horas negativas") << "-1" << invalido << 0;
        QTest::newRow("horas negativas com minutos") << "-1.30" << invalido << 0;
        QTest::newRow("dois separadores") << "1.0,5" << invalido << 0;
    }
    void leIntervalo()
    {
        QFETCH(QString, texto);
        QFETCH(Intervalo::Resultado, resultado);
        QFETCH(int, minutos);
        const Intervalo lido = ::leIntervalo(texto);
        QCOMPARE(lido.resultado, resultado);
        if (resultado != Intervalo::TempoInvalido && minutos > 0)
            QCOMPARE(lido.minutos, minutos);
    }
};

QTEST_GUILESS_MAIN(TestIntervalo)
#include "tst_intervalo.moc"
