#include "base/ErroCorrente.h"
#include "format/LocalizaCombo.h"
#include "text/PosicaoTexto.h"
#include "toolkit/Controle.h"
#include "regional/Formatacao.h"

#include <QComboBox>
#include <QtTest>

// Substring positions and combo-box completion.
class TstTextos : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formatacao::defineRegional(QLocale(QStringLiteral("pt_BR"))); }
    void posicao_data();
    void posicao();
    void inicioInvalido_data();
    void inicioInvalido();
    void completaCombo_data();
    void completaCombo();
    void listaSimplesNaoMuda();
};

void TstTextos::posicao_data()
{
    QTest::addColumn<QString>("primeiro");
    QTest::addColumn<QString>("segundo");
    QTest::addColumn<QVariant>("terceiro");
    QTest::addColumn<int>("esperado");
    QTest::newRow("procura vazia") << "abc" << "" << QVariant() << 0;
    QTest::newRow("primeira ocorrencia") << "abcabc" << "c" << QVariant() << 3;
    QTest::newRow("ausente") << "abc" << "x" << QVariant() << 0;
    QTest::newRow("maiusculas diferem") << "ABC" << "c" << QVariant() << 0;
    QTest::newRow("no inicio") << "abc" << "ab" << QVariant() << 1;
    QTest::newRow("em texto vazio") << "" << "a" << QVariant() << 0;
    QTest::newRow("com inicio") << "4" << "abcabc" << QVariant("c") << 6;
    QTest::newRow("inicio 1") << "1" << "abcabc" << QVariant("c") << 3;
    QTest::newRow("inicio na ocorrencia") << "3" << "abcabc" << QVariant("c") << 3;
    QTest::newRow("inicio apos o fim") << "10" << "abc" << QVariant("c") << 0;
    QTest::newRow("com inicio e procura vazia") << "1" << "abc" << QVariant("") << 0;
    QTest::newRow("terceiro numero") << "1" << "a1b" << QVariant(1) << 2;
    QTest::newRow("caractere 255") << QString("31/1") + QChar(255) << QString(QChar(255)) << QVariant() << 5;
}

void TstTextos::posicao()
{
    QFETCH(QString, primeiro);
    QFETCH(QString, segundo);
    QFETCH(QVariant, terceiro);
    QFETCH(int, esperado);
    QCOMPARE(PosicaoTexto(primeiro, segundo, terceiro), esperado);
}

void TstTextos::inicioInvalido_data()
{
    QTest::addColumn<QString>("inicio");
    QTest::addColumn<int>("numero");
    QTest::newRow("nao numerico") << "abc" << 13;
    QTest::newRow("vazio") << "" << 13;
    QTest::newRow("zero") << "0" << 5;
    QTest::newRow("negativo") << "-1" << 5;
    QTest::newRow("estouro") << "40000" << 6;
}

void TstTextos::inicioInvalido()
{
    QFETCH(QString, inicio);
    QFETCH(int, numero);
    try {
        PosicaoTexto(inicio, QStringLiteral("abc"), QStringLiteral("a"));
        QFAIL("no error raised");
    } catch (const ErroSistema &erro) {
        QCOMPARE(erro.numero(), long(numero));
        QCOMPARE(erroCorrente().numero, long(numero));
    }
    limpaErroCorrente();
}

void TstTextos::completaCombo_data()
{
    QTest::addColumn<QStringList>("itens");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("texto");
    const QStringList nomes{"Ana", "JOSE", "Joao"};
    QTest::newRow("primeiro que comeca igual") << nomes << "jo" << 1 << "JOSE";
    QTest::newRow("uma letra") << nomes << "j" << 1 << "JOSE";
    QTest::newRow("mais letras") << nomes << "joa" << 2 << "Joao";
    QTest::newRow("nome inteiro") << nomes << "ana" << 0 << "Ana";
    QTest::newRow("item com brancos") << QStringList{"  maria "} << "MAR" << 0 << "  maria ";
    QTest::newRow("nenhum") << nomes << "x" << -1 << "";
    QTest::newRow("mais longo que o item") << nomes << "anabela" << -1 << "";
    QTest::newRow("lista vazia") << QStringList{} << "jo" << -1 << "";
}

void TstTextos::completaCombo()
{
    QFETCH(QStringList, itens);
    QFETCH(QString, digitado);
    QFETCH(int, indice);
    QFETCH(QString, texto);
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems(itens);
    combo.setCurrentIndex(-1);
    combo.setEditText(digitado);
    Controle controle(&combo);
    LocalizaCombo(controle);
    QCOMPARE(combo.currentIndex(), indice);
    QCOMPARE(combo.currentText(), texto);
}

void TstTextos::listaSimplesNaoMuda()
{
    QComboBox lista;
    lista.addItems({"Ana", "JOSE"});
    lista.setCurrentIndex(1);
    Controle controle(&lista);
    QCOMPARE(controle.Style(), 2);
    LocalizaCombo(controle);
    QCOMPARE(lista.currentIndex(), 1);

    // An editable box left empty is not cleared either.
    QComboBox vazia;
    vazia.setEditable(true);
    vazia.addItems({"Ana"});
    vazia.setCurrentIndex(0);
    vazia.setEditText(QString());
    Controle caixa(&vazia);
    LocalizaCombo(caixa);
    QCOMPARE(vazia.currentIndex(), 0);
}

QTEST_MAIN(TstTextos)
#include "tst_textos.moc"
