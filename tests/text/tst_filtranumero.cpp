#include "format/ApoioFormato.h"

#include "text/FiltraNumero.h"

#include <QtTest>

using namespace apoioformato;

// The characters each numeric type code keeps, on both supported conventions.
class TstFiltraNumero : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { formatacao::usaRegionalDoSistema(); }
    void caracteresMantidos_data();
    void caracteresMantidos();
    void convencaoRecusadaEncerra();
};

void TstFiltraNumero::caracteresMantidos_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("NU virgula") << "pt_BR" << "-1.234,5" << "NU" << "-1234,5";
    QTest::newRow("N+ virgula") << "pt_BR" << "-1.234,5" << "N+" << "1234,5";
    QTest::newRow("N- virgula") << "pt_BR" << "-1.234,5" << "N-" << "1234,5";
    QTest::newRow("IN virgula") << "pt_BR" << "-1.234,5" << "IN" << "-12345";
    QTest::newRow("I+ virgula") << "pt_BR" << "+1.234,5" << "I+" << "12345";
    QTest::newRow("I- virgula") << "pt_BR" << "-1.234,5" << "I-" << "12345";
    QTest::newRow("NU ponto") << "en_US" << "-1,234.5" << "NU" << "-1234.5";
    QTest::newRow("NU ponto descarta virgula") << "en_US" << "1.234,5" << "NU" << "1.2345";
    QTest::newRow("N+ ponto") << "en_US" << "+1,234.5" << "N+" << "1234.5";
    QTest::newRow("sinais no meio") << "pt_BR" << "1-2+3" << "IN" << "1-2+3";
    QTest::newRow("letras e brancos") << "pt_BR" << " 1a 2b,3 " << "NU" << "12,3";
    QTest::newRow("vazio") << "pt_BR" << "" << "NU" << "";
    QTest::newRow("caractere 255") << "pt_BR" << QString("12") + QChar(255) << "IN" << "12";
    QTest::newRow("DT inalterado") << "pt_BR" << "12/31" << "DT" << "12/31";
    QTest::newRow("CH inalterado") << "pt_BR" << "a-1,b" << "CH" << "a-1,b";
    QTest::newRow("outro codigo com N") << "pt_BR" << "x-1.2,3" << "NX" << "x-1.2,3";
    QTest::newRow("outro codigo com I") << "pt_BR" << "x-1.2,3" << "I" << "x-1.2,3";
    QTest::newRow("minusculas nao contam") << "pt_BR" << "x-1,2" << "nu" << "x-1,2";
}

void TstFiltraNumero::caracteresMantidos()
{
    QFETCH(QString, regional);
    QFETCH(QString, texto);
    QFETCH(QString, tipo);
    QFETCH(QString, esperado);
    workstation(regional);
    QCOMPARE(FiltraNumero(texto, tipo), esperado);
}

void TstFiltraNumero::convencaoRecusadaEncerra()
{
    // The filter checks the convention even for a code it leaves alone.
    workstation(QStringLiteral("de_CH"));
    QVERIFY(encerramento([] { FiltraNumero(QStringLiteral("12/31"), QStringLiteral("DT")); }));
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
}

QTEST_GUILESS_MAIN(TstFiltraNumero)
#include "tst_filtranumero.moc"
