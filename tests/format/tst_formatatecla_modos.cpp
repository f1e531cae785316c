#include "format/ApoioFormato.h"
#include "format/JanelaTeclas.h"

#include <QComboBox>
#include <QtTest>

using namespace apoioformato;

// What a key does to a full box in each mode, the keystrokes the formatter
// queues, combo boxes and the regional check on every formatted key.
class TstFormataTeclaModos : public QObject {
    Q_OBJECT
private slots:
    void init() { workstation(QStringLiteral("pt_BR")); }
    void cleanup() { formatacao::usaRegionalDoSistema(); }
    void caixaCheia_data();
    void caixaCheia();
    void separadorChegaDepois();
    void comboCompletaNoEnter();
    void alteracaoRegionalEncerra();
    void modoInvalidoEncerra();
};

void TstFormataTeclaModos::caixaCheia_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QVariant>("modo");
    QTest::addColumn<bool>("passaOFoco");
    QTest::addColumn<bool>("mensagem");
    const QString hora = QStringLiteral("C(NU018#########0.00)");
    const QString cheia = QStringLiteral("1234567890,12");
    QTest::newRow("omitido") << hora << cheia << QVariant() << false << false;
    QTest::newRow("1") << hora << cheia << QVariant(1) << false << false;
    QTest::newRow("2 passa ao proximo") << hora << cheia << QVariant(2) << true << false;
    QTest::newRow("2 como texto") << hora << cheia << QVariant(QStringLiteral("2")) << true << false;
    QTest::newRow("3 avisa") << hora << cheia << QVariant(3) << false << true;
    QTest::newRow("outro valor") << hora << cheia << QVariant(7) << false << false;
    QTest::newRow("CH modo 2") << "C(CH003)" << "abc" << QVariant(2) << true << false;
    QTest::newRow("CH modo 3") << "C(CH003)" << "abc" << QVariant(3) << false << true;
    QTest::newRow("CM modo 3") << "C(CM008@@@@@-@@@)" << "12345-678" << QVariant(3) << false << true;
    QTest::newRow("IN modo 2") << "C(IN003)" << "123" << QVariant(2) << true << false;
}

void TstFormataTeclaModos::caixaCheia()
{
    QFETCH(QString, tag);
    QFETCH(QString, texto);
    QFETCH(QVariant, modo);
    QFETCH(bool, passaOFoco);
    QFETCH(bool, mensagem);

    JanelaTeclas janela(tag, modo);
    janela.prepara(texto, texto.size());
    QTest::keyClick(janela.caixa, '9');
    QCOMPARE(janela.resultados, QList<int>{0});
    QCOMPARE(janela.caixa->text(), texto);

    // The Tab is queued: the focus moves only once it has arrived.
    QVERIFY(janela.caixa->hasFocus());
    QCoreApplication::processEvents();
    QCOMPARE(janela.proxima->hasFocus(), passaOFoco);
    QCOMPARE(janela.caixa->hasFocus(), !passaOFoco);
    if (passaOFoco)
        QCOMPARE(janela.teclasRecebidas, (QList<int>{'9', 9}));

    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(mensagem ? 1 : 0));
    if (mensagem) {
        const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().front();
        QCOMPARE(m.texto, QStringLiteral("Numero de caracteres digitado excede o permitido!"));
        QCOMPARE(m.estilo, 48);
        QCOMPARE(m.titulo, QString());
    }
}

void TstFormataTeclaModos::separadorChegaDepois()
{
    JanelaTeclas janela(QStringLiteral("C(NU018#########0.00)"));
    janela.prepara(QString(), 0);
    QTest::keyClick(janela.caixa, '.');
    // The box has taken the "0"; the separator is still on its way.
    QCOMPARE(janela.caixa->text(), QStringLiteral("0"));
    QCOMPARE(janela.resultados, QList<int>{'0'});
    QCoreApplication::processEvents();
    QCOMPARE(janela.caixa->text(), QStringLiteral("0,"));
    QCOMPARE(janela.teclasRecebidas, (QList<int>{'.', ','}));
    QCOMPARE(janela.resultados, (QList<int>{'0', 0}));
    QCOMPARE(janela.caixa->cursorPosition(), 2);
}

void TstFormataTeclaModos::comboCompletaNoEnter()
{
    QWidget janela;
    auto *combo = new QComboBox(&janela);
    combo->setEditable(true);
    combo->addItems({"Ana", "JOSE", "Joao"});
    combo->setCompleter(nullptr); // typed text stays as typed until Enter
    combo->setCurrentIndex(-1);
    // A descriptor on a combo box is never read.
    combo->setProperty("Tag", QStringLiteral("C(IN003)"));
    QList<int> resultados;
    instalaPreVisualizacaoTeclas(&janela, [&](Controle &controle, int tecla) {
        const int r = FormataTecla(controle, tecla);
        resultados.append(r);
        return r;
    });
    janela.show();
    QApplication::setActiveWindow(&janela);
    combo->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&janela));

    QTest::keyClicks(combo, QStringLiteral("jo"));
    QCOMPARE(combo->currentText(), QStringLiteral("jo"));
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(combo->currentText(), QStringLiteral("JOSE"));
    QCOMPARE(resultados, (QList<int>{'j', 'o', 13}));
}

void TstFormataTeclaModos::alteracaoRegionalEncerra()
{
    JanelaTeclas janela(QStringLiteral("C(NU018#########0.00)"));
    janela.prepara(QString(), 0);
    janela.digita(QStringLiteral("1"));
    QCOMPARE(janela.caixa->text(), QStringLiteral("1"));

    formatacao::defineRegional(QLocale(QStringLiteral("en_US")));
    janela.digita(QStringLiteral("2"));
    QVERIFY(toolkit::statusDeEncerramento());
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    QVERIFY(toolkit::mensagensMostradas().front().texto.startsWith(QStringLiteral("Foram detectadas alterações")));
    QCOMPARE(janela.caixa->text(), QStringLiteral("1")); // the key did not reach the box

    // Keys of a box without descriptor are not checked.
    toolkit::limpaObservacao();
    janela.caixa->setProperty("Tag", QString());
    janela.digita(QStringLiteral("3"));
    QVERIFY(!toolkit::statusDeEncerramento());
    QCOMPARE(janela.caixa->text(), QStringLiteral("13"));
}

void TstFormataTeclaModos::modoInvalidoEncerra()
{
    // A mode that is not a number is an error the formatter does not trap.
    JanelaTeclas janela(QStringLiteral("C(NU018#########0.00)"), QVariant(QStringLiteral("x")));
    janela.prepara(QString(), 0);
    janela.digita(QStringLiteral("1"));
    QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(1));
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    QCOMPARE(toolkit::mensagensMostradas().front().estilo, 16);
    QCOMPARE(janela.caixa->text(), QString());
}

QTEST_MAIN(TstFormataTeclaModos)
#include "tst_formatatecla_modos.moc"
