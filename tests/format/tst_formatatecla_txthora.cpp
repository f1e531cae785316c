#include "format/ApoioFormato.h"

#include "notice/FrmRobo.h"
#include "startup/Aplicacao.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

using namespace apoioformato;

// The notice window's hours box, formatted through the window's key preview.
class TstFormataTeclaTxtHora : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { formatacao::usaRegionalDoSistema(); }
    void digitaHoras_data();
    void digitaHoras();
};

void TstFormataTeclaTxtHora::initTestCase()
{
    toolkit::ativaObservacao(true);
    Aplicacao::instancia(); // the program the window belongs to
    FrmRobo &janela = FrmRobo::instancia();
    janela.trmEsconde.defineAtivo(false); // no notice, so no query, while typing
    janela.show();
    QApplication::setActiveWindow(&janela);
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    QCOMPARE(janela.txtHora->property("Tag").toString(), QStringLiteral("C(NU018#########0.00)"));
}

void TstFormataTeclaTxtHora::digitaHoras_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<QString>("teclas");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("pt_BR ponto") << "pt_BR" << "0.30" << "0,30";
    QTest::newRow("pt_BR virgula") << "pt_BR" << "0,30" << "0,30";
    QTest::newRow("pt_BR separador primeiro") << "pt_BR" << ".30" << "0,30";
    QTest::newRow("pt_BR tres decimais") << "pt_BR" << "1.005" << "1,00";
    QTest::newRow("pt_BR letras") << "pt_BR" << "1h.3m0" << "1,30";
    QTest::newRow("en_US ponto") << "en_US" << "0.30" << "0.30";
    QTest::newRow("en_US virgula") << "en_US" << "0,30" << "0.30";
    QTest::newRow("de_DE") << "de_DE" << "0.30" << "0,30";
}

void TstFormataTeclaTxtHora::digitaHoras()
{
    QFETCH(QString, regional);
    QFETCH(QString, teclas);
    QFETCH(QString, esperado);
    workstation(regional);

    QLineEdit *txtHora = FrmRobo::instancia().txtHora;
    txtHora->setFocus();
    txtHora->clear();
    for (const QChar c : teclas) {
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCoreApplication::processEvents(); // the queued separator
    }
    QCOMPARE(txtHora->text(), esperado);
    QCOMPARE(txtHora->cursorPosition(), int(esperado.size()));
    QVERIFY(toolkit::mensagensMostradas().empty());
    QVERIFY(!toolkit::statusDeEncerramento());
}

QTEST_MAIN(TstFormataTeclaTxtHora)
#include "tst_formatatecla_txthora.moc"
