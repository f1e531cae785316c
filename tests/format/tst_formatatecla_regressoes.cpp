// Faults the fuzzer found in the keystroke formatter, kept as cases: a key typed
// in front of a number's sign (the sign ended up inside the number), and a long
// number in a decimal box whose mask has no integer placeholders (it came back
// in exponent form and lost digits).
#include "format/ApoioFormato.h"
#include "format/JanelaTeclas.h"

#include <QtTest>

using namespace apoioformato;

class TstFormataTeclaRegressoes : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { formatacao::usaRegionalDoSistema(); }

    void digitacao_data()
    {
        QTest::addColumn<QString>("regional");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("posicao");
        QTest::addColumn<int>("selecao");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("esperado");

        // The sign stays the first character.
        QTest::newRow("digito antes do sinal, sem mascara") << "pt_BR" << "C(IN005)" << "+" << 0 << 0 << "2" << "+";
        QTest::newRow("digito antes do sinal, inteiro") << "pt_BR" << "C(IN005#,##0)" << "-12" << 0 << 0 << "3" << "-12";
        QTest::newRow("digito antes do sinal, decimal") << "pt_BR" << "C(NU018#########0.00)" << "-5" << 0 << 0 << "3" << "-5";
        QTest::newRow("separador antes do sinal") << "pt_BR" << "C(NU018#########0.00)" << "-5" << 0 << 0 << "," << "-5";
        QTest::newRow("separador antes do sinal en_US") << "en_US" << "C(NU018#########0.00)" << "-5" << 0 << 0 << "." << "-5";
        QTest::newRow("digito depois do sinal") << "pt_BR" << "C(NU018#########0.00)" << "-5" << 1 << 0 << "3" << "-35";
        QTest::newRow("sinal selecionado e trocado") << "pt_BR" << "C(NU018#########0.00)" << "-5" << 0 << 1 << "3" << "35";
        QTest::newRow("sinal e numero selecionados") << "pt_BR" << "C(IN005)" << "-12" << 0 << 3 << "7" << "7";

        // Without integer placeholders the digits stay as typed.
        QTest::newRow("inteiro longo sem marcadores") << "pt_BR" << "C(N+004.000)" << "1234567890123456" << 16 << 0
                                                      << "7" << "12345678901234567";
        QTest::newRow("inteiro longo com decimais") << "pt_BR" << "C(N+004.000)" << "1234567890123456,5" << 16 << 0
                                                    << "7" << "12345678901234567,5";
        QTest::newRow("inteiro curto sem marcadores") << "en_US" << "C(N+004.000)" << "12" << 2 << 0 << "3" << "123";
    }
    void digitacao()
    {
        QFETCH(QString, regional);
        QFETCH(QString, tag);
        QFETCH(QString, texto);
        QFETCH(int, posicao);
        QFETCH(int, selecao);
        QFETCH(QString, teclas);
        QFETCH(QString, esperado);
        workstation(regional);
        JanelaTeclas janela(tag);
        janela.prepara(texto, posicao, selecao);
        janela.digita(teclas);
        QCOMPARE(janela.caixa->text(), esperado);
        QVERIFY(toolkit::mensagensMostradas().empty());
    }
};

QTEST_MAIN(TstFormataTeclaRegressoes)
#include "tst_formatatecla_regressoes.moc"
