#include "format/DescritorCampo.h"
#include "format/RetornaTag.h"
#include "toolkit/Controle.h"

#include <QLineEdit>
#include <QtTest>

// The descriptor group of a Tag, its fields and the normalised masks.
class TstRetornaTag : public QObject {
    Q_OBJECT
private slots:
    void grupoDaTag_data();
    void grupoDaTag();
    void descritor_data();
    void descritor();
    void normalizacao_data();
    void normalizacao();
};

void TstRetornaTag::grupoDaTag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("letra");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("txtHora") << "C(NU018#########0.00)" << "C" << "NU018#########0.00";
    QTest::newRow("minusculas e texto fora") << "x c(in005)" << "C" << "IN005";
    QTest::newRow("segundo grupo") << "Z(AB)C(CH010)" << "C" << "CH010";
    QTest::newRow("primeiro grupo") << "Z(AB)C(CH010)" << "Z" << "AB";
    QTest::newRow("mascara em minusculas") << "c(cm008@@@@@-@@@)fim" << "C" << "CM008@@@@@-@@@";
    QTest::newRow("letra colada") << "AC(IN003)" << "C" << "IN003";
    QTest::newRow("dentro de outro grupo") << "Z(C(XX))" << "C" << "XX";
    QTest::newRow("sem fechar") << "C(NU018#########0.00" << "C" << "";
    QTest::newRow("fecha antes") << ")C(NU018" << "C" << "";
    QTest::newRow("grupo vazio") << "C()" << "C" << "";
    QTest::newRow("sem grupo") << "NU018" << "C" << "";
    QTest::newRow("letra sem parenteses") << "C NU018" << "C" << "";
    QTest::newRow("tag vazia") << "" << "C" << "";
    QTest::newRow("outra letra") << "Z(AB)" << "C" << "";
    QTest::newRow("chave fecha parentese") << "X)(AB)" << ")" << "AB";
}

void TstRetornaTag::grupoDaTag()
{
    QFETCH(QString, tag);
    QFETCH(QString, letra);
    QFETCH(QString, esperado);
    QLineEdit caixa;
    caixa.setProperty("Tag", tag);
    Controle controle(&caixa);
    QCOMPARE(RetornaTag(letra, controle), esperado);
}

void TstRetornaTag::descritor_data()
{
    QTest::addColumn<QString>("conteudo");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("tamanho");
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<int>("tamanhoCampo");
    QTest::addColumn<int>("classe");
    QTest::addColumn<QString>("normalizada");
    QTest::newRow("txtHora") << "NU018#########0.00" << "NU" << 18 << "#########0.00" << 13 << 1 << "#########0.00";
    QTest::newRow("inteiro sem mascara") << "IN005" << "IN" << 5 << "" << 5 << 2 << "";
    QTest::newRow("inteiro 0000") << "IN0040000" << "IN" << 4 << "0000" << 4 << 2 << "###0";
    QTest::newRow("I+ 000") << "I+003000" << "I+" << 3 << "000" << 3 << 2 << "##0";
    QTest::newRow("I- agrupado") << "I-0050,000" << "I-" << 5 << "0,000" << 5 << 2 << "#,##0";
    QTest::newRow("N- 000.00") << "N-010000.00" << "N-" << 10 << "000.00" << 6 << 1 << "##0.00";
    QTest::newRow("N+ agrupado") << "N+0080,000.00" << "N+" << 8 << "0,000.00" << 8 << 1 << "#,##0.00";
    QTest::newRow("NU 0.000") << "NU0100.000" << "NU" << 10 << "0.000" << 5 << 1 << "0.000";
    QTest::newRow("decimal sem ponto") << "NU010000" << "NU" << 10 << "000" << 3 << 1 << "000";
    QTest::newRow("CM") << "CM008@@@@@-@@@" << "CM" << 8 << "@@@@@-@@@" << 9 << 0 << "@@@@@-@@@";
    QTest::newRow("CM com zeros") << "CM0030.0" << "CM" << 3 << "0.0" << 3 << 0 << "0.0";
    QTest::newRow("CH") << "CH010" << "CH" << 10 << "" << 10 << 0 << "";
    QTest::newRow("DT") << "DT010" << "DT" << 10 << "" << 10 << 0 << "";
    QTest::newRow("so o tipo") << "CH" << "CH" << 0 << "" << 0 << 0 << "";
    QTest::newRow("tamanho curto") << "NU1" << "NU" << 1 << "" << 1 << 1 << "";
    QTest::newRow("tamanho nao numerico") << "NUx12" << "NU" << 0 << "" << 0 << 1 << "";
    QTest::newRow("prefixo numerico") << "IN1x2" << "IN" << 1 << "" << 1 << 2 << "";
    QTest::newRow("codigo desconhecido") << "XX003abc" << "XX" << 3 << "abc" << 3 << 0 << "abc";
}

void TstRetornaTag::descritor()
{
    QFETCH(QString, conteudo);
    QFETCH(QString, tipo);
    QFETCH(int, tamanho);
    QFETCH(QString, mascara);
    QFETCH(int, tamanhoCampo);
    QFETCH(int, classe);
    QFETCH(QString, normalizada);
    const DescritorCampo d = leDescritor(conteudo);
    QCOMPARE(d.tipo, tipo);
    QCOMPARE(d.tamanho, tamanho);
    QCOMPARE(d.mascara, mascara);
    QCOMPARE(d.tamanhoCampo, tamanhoCampo);
    QCOMPARE(d.classe, classe);
    QCOMPARE(d.mascaraNormalizada, normalizada);
}

void TstRetornaTag::normalizacao_data()
{
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<int>("classe");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("inteiro 000") << "000" << 2 << "##0";
    QTest::newRow("inteiro um zero") << "0" << 2 << "0";
    QTest::newRow("inteiro zero no meio") << "#0#" << 2 << "###";
    QTest::newRow("inteiro com ponto") << "00.00" << 2 << "##.#0";
    QTest::newRow("decimal 000.00") << "000.00" << 1 << "##0.00";
    QTest::newRow("decimal 0.000") << "0.000" << 1 << "0.000";
    QTest::newRow("decimal segundo ponto") << "00.0.0" << 1 << "#0.0.0";
    QTest::newRow("decimal comeca com ponto") << ".00" << 1 << ".00";
    QTest::newRow("decimal sem ponto") << "000" << 1 << "000";
    QTest::newRow("texto") << "000" << 0 << "000";
}

void TstRetornaTag::normalizacao()
{
    QFETCH(QString, mascara);
    QFETCH(int, classe);
    QFETCH(QString, esperado);
    QCOMPARE(normalizaMascara(mascara, classe), esperado);
}

QTEST_MAIN(TstRetornaTag)
#include "tst_retornatag.moc"
