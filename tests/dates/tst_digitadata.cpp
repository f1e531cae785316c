#include "format/ApoioFormato.h"
#include "format/JanelaTeclas.h"

#include <QtTest>

using namespace apoioformato;

// Date entry through real key events, on workstations with different short
// date formats.
class TstDigitaData : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { formatacao::usaRegionalDoSistema(); }
    void digitacao_data();
    void digitacao();
    void formatoInvalidoRecusaATecla();
};

namespace {
const QString Data = QStringLiteral("C(DT010)");
} // namespace

void TstDigitaData::digitacao_data()
{
    QTest::addColumn<QString>("numeros");
    QTest::addColumn<QString>("datas");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("posicao");
    QTest::addColumn<int>("selecao");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<int>("posicaoFinal");
    QTest::addColumn<int>("resultado"); // the answer to the last key

    // dd/mm/yyyy
    QTest::newRow("primeiro digito") << "pt_BR" << "pt_BR" << "" << 0 << 0 << "3" << "3" << 1 << 0;
    QTest::newRow("sem separador no fim") << "pt_BR" << "pt_BR" << "3" << 1 << 0 << "1" << "31" << 2 << 0;
    QTest::newRow("separador antes do digito") << "pt_BR" << "pt_BR" << "31" << 2 << 0 << "1" << "31/1" << 4 << 0;
    QTest::newRow("ano") << "pt_BR" << "pt_BR" << "31/12" << 5 << 0 << "1" << "31/12/1" << 7 << 0;
    QTest::newRow("data completa") << "pt_BR" << "pt_BR" << "31/12/198" << 9 << 0 << "7" << "31/12/1987" << 10 << 0;
    QTest::newRow("completa recusa") << "pt_BR" << "pt_BR" << "31/12/1987" << 10 << 0 << "1" << "31/12/1987" << 10 << 0;
    QTest::newRow("completa no inicio recusa") << "pt_BR" << "pt_BR" << "31/12/1987" << 0 << 0 << "1" << "31/12/1987" << 0 << 0;
    QTest::newRow("toda selecionada recomeca") << "pt_BR" << "pt_BR" << "31/12/1987" << 0 << 10 << "0" << "0" << 1 << 0;
    QTest::newRow("digito no meio") << "pt_BR" << "pt_BR" << "31/2/1987" << 3 << 0 << "1" << "31/12/1987" << 4 << 0;
    QTest::newRow("data inteira") << "pt_BR" << "pt_BR" << "" << 0 << 0 << "31121987" << "31/12/1987" << 10 << 0;
    QTest::newRow("nono digito") << "pt_BR" << "pt_BR" << "" << 0 << 0 << "311219870" << "31/12/1987" << 10 << 0;
    QTest::newRow("enter passa") << "pt_BR" << "pt_BR" << "31/1" << 4 << 0 << "\r" << "31/1" << 4 << 13;
    QTest::newRow("backspace passa") << "pt_BR" << "pt_BR" << "31/1" << 4 << 0 << "\b" << "31/" << 3 << 8;
    QTest::newRow("letra recusada") << "pt_BR" << "pt_BR" << "31" << 2 << 0 << "a" << "31" << 2 << 0;
    QTest::newRow("barra recusada") << "pt_BR" << "pt_BR" << "31" << 2 << 0 << "/" << "31" << 2 << 0;
    QTest::newRow("traco recusado") << "pt_BR" << "pt_BR" << "31" << 2 << 0 << "-" << "31" << 2 << 0;

    // m/d/yy: two-digit fields and two year digits.
    QTest::newRow("en_US mes") << "en_US" << "en_US" << "1" << 1 << 0 << "2" << "12" << 2 << 0;
    QTest::newRow("en_US dia") << "en_US" << "en_US" << "12" << 2 << 0 << "3" << "12/3" << 4 << 0;
    QTest::newRow("en_US completa") << "en_US" << "en_US" << "" << 0 << 0 << "123187" << "12/31/87" << 8 << 0;
    QTest::newRow("en_US recusa o setimo") << "en_US" << "en_US" << "12/31/87" << 8 << 0 << "1" << "12/31/87" << 8 << 0;

    // dd.mm.yy
    QTest::newRow("de_DE") << "de_DE" << "de_DE" << "" << 0 << 0 << "311287" << "31.12.87" << 8 << 0;

    // A "-" separator: digits alone, laid out in the mask's places.
    QTest::newRow("ISO ano") << "pt_BR" << "sv_SE" << "1987" << 4 << 0 << "1" << "1987-1" << 6 << 0;
    QTest::newRow("ISO sem traco no fim") << "pt_BR" << "sv_SE" << "198" << 3 << 0 << "7" << "1987" << 4 << 0;
    QTest::newRow("ISO completa") << "pt_BR" << "sv_SE" << "" << 0 << 0 << "19871231" << "1987-12-31" << 10 << 0;
    QTest::newRow("ISO recusa") << "pt_BR" << "sv_SE" << "1987-12-31" << 10 << 0 << "1" << "1987-12-31" << 10 << 0;

    // A month written as a name: the digit is swallowed and the box stays.
    QTest::newRow("mes por extenso") << "en_US" << "C" << "" << 0 << 0 << "3" << "" << 0 << 0;
}

void TstDigitaData::digitacao()
{
    QFETCH(QString, numeros);
    QFETCH(QString, datas);
    QFETCH(QString, texto);
    QFETCH(int, posicao);
    QFETCH(int, selecao);
    QFETCH(QString, teclas);
    QFETCH(QString, esperado);
    QFETCH(int, posicaoFinal);
    QFETCH(int, resultado);
    workstation(numeros, datas);

    JanelaTeclas janela(Data);
    janela.prepara(texto, posicao, selecao);
    janela.digita(teclas);

    QCOMPARE(janela.caixa->text(), esperado);
    QCOMPARE(janela.caixa->cursorPosition(), posicaoFinal);
    QCOMPARE(janela.resultados.last(), resultado);
    QVERIFY(toolkit::mensagensMostradas().empty());
}

void TstDigitaData::formatoInvalidoRecusaATecla()
{
    workstation(QStringLiteral("pt_BR"));
    formatacao::defineFormatoDataCurta(QStringLiteral("dd/MM"));
    JanelaTeclas janela(Data);
    janela.prepara(QStringLiteral("3"), 1);
    janela.digita(QStringLiteral("1"));
    QCOMPARE(janela.caixa->text(), QStringLiteral("3"));
    QCOMPARE(janela.resultados, QList<int>{0});
    // The date format's message, once for the key; the program goes on.
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    QCOMPARE(toolkit::mensagensMostradas().front().titulo, QString());
    QVERIFY(!toolkit::statusDeEncerramento());
}

QTEST_MAIN(TstDigitaData)
#include "tst_digitadata.moc"
