#include "format/ApoioFormato.h"
#include "format/JanelaTeclas.h"

#include <QtTest>

using namespace apoioformato;

// The keystroke formatter through real key events, type code by type code.
class TstFormataTecla : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { formatacao::usaRegionalDoSistema(); }
    void digitacao_data();
    void digitacao();
};

namespace {
const QString Hora = QStringLiteral("C(NU018#########0.00)");
const QString Enter = QStringLiteral("\r");
const QString Backspace = QStringLiteral("\b");
} // namespace

void TstFormataTecla::digitacao_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("posicao");
    QTest::addColumn<int>("selecao");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<int>("posicaoFinal");
    QTest::addColumn<int>("resultado"); // the formatter's answer to the last key typed

    // Decimal boxes: the hours box of the notice window.
    QTest::newRow("decimais cortados a mascara") << "pt_BR" << Hora << "1,00" << 4 << 0 << "5" << "1,00" << 4 << 0;
    QTest::newRow("digito no inteiro") << "pt_BR" << Hora << "1,00" << 1 << 0 << "2" << "12,00" << 2 << 0;
    QTest::newRow("zero a esquerda some") << "pt_BR" << Hora << "0" << 1 << 0 << "5" << "5" << 1 << 0;
    QTest::newRow("zero nos decimais fica") << "pt_BR" << Hora << "1,0" << 3 << 0 << "5" << "1,05" << 4 << 0;
    QTest::newRow("ponto vira virgula em caixa vazia") << "pt_BR" << Hora << "" << 0 << 0 << "." << "0," << 2 << 0;
    QTest::newRow("virgula em caixa vazia") << "pt_BR" << Hora << "" << 0 << 0 << "," << "0," << 2 << 0;
    QTest::newRow("virgula vira ponto en_US") << "en_US" << Hora << "" << 0 << 0 << "," << "0." << 2 << 0;
    QTest::newRow("separador com tudo selecionado") << "pt_BR" << Hora << "1,00" << 0 << 4 << "." << "0," << 2 << 0;
    QTest::newRow("segundo separador recusado") << "pt_BR" << Hora << "12,5" << 4 << 0 << "," << "12,5" << 4 << 0;
    QTest::newRow("segundo separador en_US") << "en_US" << Hora << "12.5" << 2 << 0 << "." << "12.5" << 2 << 0;
    QTest::newRow("separador no meio") << "pt_BR" << Hora << "125" << 2 << 0 << "." << "12,5" << 3 << 0;
    QTest::newRow("sinal com texto recusado") << "pt_BR" << Hora << "12" << 2 << 0 << "-" << "12" << 2 << 0;
    QTest::newRow("sinal em caixa vazia") << "pt_BR" << Hora << "" << 0 << 0 << "-" << "-" << 1 << 0;
    QTest::newRow("sinal substitui a selecao") << "pt_BR" << Hora << "12" << 0 << 2 << "-" << "-" << 1 << 0;
    QTest::newRow("numero negativo") << "pt_BR" << Hora << "" << 0 << 0 << "-12,5" << "-12,5" << 5 << 0;
    QTest::newRow("sinal antes do separador") << "pt_BR" << Hora << "-" << 1 << 0 << "," << "-," << 2 << 0;
    QTest::newRow("menos zero virgula") << "pt_BR" << Hora << "" << 0 << 0 << "-0,5" << "-0,5" << 4 << 0;
    QTest::newRow("letra recusada") << "pt_BR" << Hora << "1" << 1 << 0 << "a" << "1" << 1 << 0;
    QTest::newRow("selecao substituida") << "pt_BR" << Hora << "1,00" << 0 << 4 << "7" << "7" << 1 << 0;
    QTest::newRow("caixa cheia") << "pt_BR" << Hora << "1234567890123" << 13 << 0 << "4" << "1234567890123" << 13 << 0;
    QTest::newRow("sinal da mais um lugar") << "pt_BR" << Hora << "-123456789012" << 13 << 0 << "3" << "-1234567890123" << 14 << 0;
    QTest::newRow("txtHora pt_BR") << "pt_BR" << Hora << "" << 0 << 0 << "0.30" << "0,30" << 4 << 0;
    QTest::newRow("txtHora en_US") << "en_US" << Hora << "" << 0 << 0 << "0.30" << "0.30" << 4 << 0;
    QTest::newRow("txtHora virgula en_US") << "en_US" << Hora << "" << 0 << 0 << "1,5" << "1.5" << 3 << 0;
    QTest::newRow("enter reformata") << "pt_BR" << Hora << "1,005" << 5 << 0 << Enter << "1,00" << 4 << 13;
    QTest::newRow("backspace passa") << "pt_BR" << Hora << "1,00" << 4 << 0 << Backspace << "1,0" << 3 << 8;
    QTest::newRow("agrupamento") << "pt_BR" << "C(NU008#,##0.00)" << "1234" << 4 << 0 << "5" << "12.345" << 6 << 0;
    QTest::newRow("agrupamento en_US") << "en_US" << "C(NU008#,##0.00)" << "1234" << 4 << 0 << "5" << "12,345" << 6 << 0;
    QTest::newRow("agrupamento descartado") << "pt_BR" << "C(NU008#,##0.00)" << "12.345" << 6 << 0 << ",5" << "12.345,5" << 8 << 0;
    QTest::newRow("N+ sem sinal") << "pt_BR" << "C(N+006##0.00)" << "" << 0 << 0 << "-" << "" << 0 << 0;
    QTest::newRow("N- separador") << "pt_BR" << "C(N-006000.00)" << "12" << 2 << 0 << ".5" << "12,5" << 4 << 0;
    QTest::newRow("decimal sem mascara") << "pt_BR" << "C(NU010)" << "5" << 1 << 0 << "7" << "57" << 2 << 55;
    QTest::newRow("sem mascara o ponto vira virgula") << "pt_BR" << "C(NU010)" << "5" << 1 << 0 << "." << "5," << 2 << 44;
    QTest::newRow("sem mascara cheia") << "pt_BR" << "C(NU003)" << "123" << 3 << 0 << "4" << "123" << 3 << 0;

    // Integer boxes.
    QTest::newRow("inteiro agrupado") << "pt_BR" << "C(IN005#,##0)" << "123" << 3 << 0 << "4" << "1.234" << 5 << 0;
    QTest::newRow("inteiro agrupado en_US") << "en_US" << "C(IN005#,##0)" << "123" << 3 << 0 << "4" << "1,234" << 5 << 0;
    QTest::newRow("inteiro cheio") << "pt_BR" << "C(IN005#,##0)" << "1.234" << 5 << 0 << "5" << "1.234" << 5 << 0;
    QTest::newRow("inteiro sinal") << "pt_BR" << "C(IN005#,##0)" << "" << 0 << 0 << "-5" << "-5" << 2 << 0;
    QTest::newRow("inteiro mais") << "pt_BR" << "C(IN005#,##0)" << "12" << 2 << 0 << "+" << "12" << 2 << 0;
    QTest::newRow("inteiro separador recusado") << "pt_BR" << "C(IN005#,##0)" << "12" << 2 << 0 << "," << "12" << 2 << 0;
    QTest::newRow("I+ sem sinal") << "pt_BR" << "C(I+0040000)" << "" << 0 << 0 << "-" << "" << 0 << 0;
    QTest::newRow("I+ zeros") << "pt_BR" << "C(I+0040000)" << "" << 0 << 0 << "007" << "7" << 1 << 0;
    QTest::newRow("I- digitos") << "pt_BR" << "C(I-0040000)" << "" << 0 << 0 << "120" << "120" << 3 << 0;
    QTest::newRow("inteiro sem mascara") << "pt_BR" << "C(IN003)" << "12" << 2 << 0 << "3" << "123" << 3 << 51;
    QTest::newRow("inteiro sem mascara cheio") << "pt_BR" << "C(IN003)" << "123" << 3 << 0 << "4" << "123" << 3 << 0;

    // Digits through a mask with literals.
    const QString cep = QStringLiteral("C(CM008@@@@@-@@@)");
    QTest::newRow("CM literal") << "pt_BR" << cep << "12345" << 5 << 0 << "6" << "12345-6" << 7 << 0;
    QTest::newRow("CM oitavo") << "pt_BR" << cep << "12345-67" << 8 << 0 << "8" << "12345-678" << 9 << 0;
    QTest::newRow("CM nono recusado") << "pt_BR" << cep << "12345-678" << 9 << 0 << "9" << "12345-678" << 9 << 0;
    QTest::newRow("CM enter tira o literal") << "pt_BR" << cep << "12345-" << 6 << 0 << Enter << "12345" << 5 << 13;
    QTest::newRow("CM letra") << "pt_BR" << cep << "123" << 3 << 0 << "a" << "123" << 3 << 0;
    QTest::newRow("CM tudo selecionado") << "pt_BR" << cep << "12345-678" << 0 << 9 << "1" << "1" << 1 << 0;
    QTest::newRow("CM sequencia") << "pt_BR" << cep << "" << 0 << 0 << "01310100" << "01310-100" << 9 << 0;

    // Free text.
    QTest::newRow("CH aceita") << "pt_BR" << "C(CH003)" << "ab" << 2 << 0 << "c" << "abc" << 3 << 99;
    QTest::newRow("CH cheio") << "pt_BR" << "C(CH003)" << "abc" << 3 << 0 << "d" << "abc" << 3 << 0;
    QTest::newRow("CH selecao") << "pt_BR" << "C(CH003)" << "abc" << 1 << 1 << "x" << "axc" << 2 << 120;
    QTest::newRow("CH qualquer caractere") << "pt_BR" << "C(CH005)" << "" << 0 << 0 << "-,.a" << "-,.a" << 4 << 97;

    // No descriptor, or one the formatter does not know.
    QTest::newRow("sem tag") << "pt_BR" << "" << "" << 0 << 0 << "a,1" << "a,1" << 3 << 49;
    QTest::newRow("grupo aberto") << "pt_BR" << "C(NU018#########0.00" << "" << 0 << 0 << "a" << "a" << 1 << 97;
    QTest::newRow("codigo desconhecido") << "pt_BR" << "C(XX005@@@)" << "" << 0 << 0 << "ab" << "ab" << 2 << 98;
    QTest::newRow("tag em minusculas") << "pt_BR" << "c(nu018#########0.00)" << "" << 0 << 0 << "1.5" << "1,5" << 3 << 0;
}

void TstFormataTecla::digitacao()
{
    QFETCH(QString, regional);
    QFETCH(QString, tag);
    QFETCH(QString, texto);
    QFETCH(int, posicao);
    QFETCH(int, selecao);
    QFETCH(QString, teclas);
    QFETCH(QString, esperado);
    QFETCH(int, posicaoFinal);
    QFETCH(int, resultado);
    workstation(regional);

    JanelaTeclas janela(tag);
    janela.prepara(texto, posicao, selecao);
    janela.digita(teclas);

    QCOMPARE(janela.caixa->text(), esperado);
    QCOMPARE(janela.caixa->cursorPosition(), posicaoFinal);
    QVERIFY(!janela.resultados.isEmpty());
    QCOMPARE(janela.resultados.last(), resultado);
    QVERIFY(toolkit::mensagensMostradas().empty());
    QVERIFY(!toolkit::statusDeEncerramento());
}

QTEST_MAIN(TstFormataTecla)
#include "tst_formatatecla.moc"
