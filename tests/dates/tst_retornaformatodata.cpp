#include "format/ApoioFormato.h"

#include "dates/RetornaFormatoData.h"

#include <QtTest>

using namespace apoioformato;

// The probe of the workstation's short date format.
class TstRetornaFormatoData : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { formatacao::usaRegionalDoSistema(); }
    void respostas_data();
    void respostas();
    void anoComMenosDeDoisDigitos_data();
    void anoComMenosDeDoisDigitos();
    void separadorDeDataEncerraComNumeroRecusado();
};

void TstRetornaFormatoData::respostas_data()
{
    QTest::addColumn<QString>("numeros");
    QTest::addColumn<QString>("datas");
    QTest::addColumn<QString>("formato"); // the workstation's own short date format, or the locale's
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<QString>("separador");
    QTest::addColumn<QString>("modelo");
    QTest::addColumn<QString>("digitos");
    QTest::addColumn<QString>("tamanho");

    QTest::newRow("dd/mm/yyyy pt_BR") << "pt_BR" << "pt_BR" << "" << "@@/@@/@@@@" << "/" << "dd/mm/aaaa" << "8" << "10";
    QTest::newRow("dd/mm/yyyy fr_FR") << "pt_BR" << "fr_FR" << "" << "@@/@@/@@@@" << "/" << "dd/mm/aaaa" << "8" << "10";
    QTest::newRow("m/d/yy en_US") << "en_US" << "en_US" << "" << "@@/@@/@@" << "/" << "mm/dd/aa" << "6" << "8";
    // The "-" separators survive the integer filter and are counted.
    QTest::newRow("yyyy-mm-dd sv_SE") << "pt_BR" << "sv_SE" << "" << "@@@@-@@-@@" << "-" << "aaaa-mm-dd" << "10" << "10";
    QTest::newRow("dd.mm.yy de_DE") << "de_DE" << "de_DE" << "" << "@@.@@.@@" << "." << "dd.mm.aa" << "6" << "8";
    QTest::newRow("dd.mm.yy de_CH datas") << "en_US" << "de_CH" << "" << "@@.@@.@@" << "." << "dd.mm.aa" << "6" << "8";
    QTest::newRow("yy/mm/dd") << "pt_BR" << "pt_BR" << "yy/MM/dd" << "@@/@@/@@" << "/" << "aa/mm/dd" << "6" << "8";
    QTest::newRow("yyyy.dd.mm") << "pt_BR" << "pt_BR" << "yyyy.dd.MM" << "@@@@.@@.@@" << "." << "aaaa.dd.mm" << "8" << "10";
    QTest::newRow("dd/yyyy/mm") << "pt_BR" << "pt_BR" << "dd/yyyy/MM" << "@@/@@@@/@@" << "/" << "dd/aaaa/mm" << "8" << "10";
    QTest::newRow("mm yyyy dd") << "pt_BR" << "pt_BR" << "MM yyyy dd" << "@@ @@@@ @@" << " " << "mm aaaa dd" << "8" << "10";
    QTest::newRow("d/M/yyyy") << "pt_BR" << "pt_BR" << "d/M/yyyy" << "@@/@@/@@@@" << "/" << "dd/mm/aaaa" << "8" << "10";
    // A month written as a name cannot be typed as digits: no order.
    QTest::newRow("mes por extenso C") << "en_US" << "C" << "" << "" << "" << "" << "6" << "11";
}

void TstRetornaFormatoData::respostas()
{
    QFETCH(QString, numeros);
    QFETCH(QString, datas);
    QFETCH(QString, formato);
    QFETCH(QString, mascara);
    QFETCH(QString, separador);
    QFETCH(QString, modelo);
    QFETCH(QString, digitos);
    QFETCH(QString, tamanho);
    workstation(numeros, datas);
    formatacao::defineFormatoDataCurta(formato);

    QCOMPARE(RetornaFormatoData(), mascara);
    QCOMPARE(RetornaFormatoData(QStringLiteral("M")), mascara);
    QCOMPARE(RetornaFormatoData(QStringLiteral("S")), separador);
    QCOMPARE(RetornaFormatoData(QStringLiteral("E")), modelo);
    QCOMPARE(RetornaFormatoData(QStringLiteral("T")), digitos);
    QCOMPARE(RetornaFormatoData(QStringLiteral("L")), tamanho);
    QCOMPARE(RetornaFormatoData(QStringLiteral("X")), QString());
    QCOMPARE(RetornaFormatoData(QStringLiteral("m")), QString());
    QVERIFY(toolkit::mensagensMostradas().empty());
}

void TstRetornaFormatoData::anoComMenosDeDoisDigitos_data()
{
    QTest::addColumn<QString>("formato");
    QTest::newRow("sem ano") << "dd/MM";
    QTest::newRow("um digito") << "dd/MM/'7'";
}

void TstRetornaFormatoData::anoComMenosDeDoisDigitos()
{
    QFETCH(QString, formato);
    workstation(QStringLiteral("pt_BR"));
    formatacao::defineFormatoDataCurta(formato);

    const QStringList codigos{"M", "S", "T", "L", "E"};
    for (const QString &codigo : codigos)
        QCOMPARE(RetornaFormatoData(codigo), QString());
    // The message on every call, with an empty title.
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(codigos.size()));
    for (const toolkit::MensagemMostrada &m : toolkit::mensagensMostradas()) {
        QCOMPARE(m.texto, QStringLiteral("O Formato de Data, informado no Painel de Controle do Windows, não é válido!."));
        QCOMPARE(m.estilo, 48);
        QCOMPARE(m.titulo, QString());
    }
}

void TstRetornaFormatoData::separadorDeDataEncerraComNumeroRecusado()
{
    // On a workstation whose number convention is refused, counting the digits
    // runs the regional check, which ends the program; the mask does not.
    workstation(QStringLiteral("sv_SE"));
    QCOMPARE(RetornaFormatoData(QStringLiteral("M")), QStringLiteral("@@@@-@@-@@"));
    QVERIFY(encerramento([] { RetornaFormatoData(QStringLiteral("T")); }));
}

QTEST_GUILESS_MAIN(TstRetornaFormatoData)
#include "tst_retornaformatodata.moc"
