#include "format/ApoioFormato.h"

#include "base/ErroCorrente.h"
#include "regional/RetornaConfigWin.h"

#include <QtTest>

using namespace apoioformato;

// The workstation's number convention: the two kinds, the refusals and the trap.
class TstRetornaConfigWin : public QObject {
    Q_OBJECT

    const QString mensagemInconsistencia = QStringLiteral(
        "As informações para \"Símbolo Decimal\" e para \"Símbolo de Agrupamento de Dígitos\", "
        "na Opção \"Configurações Regionais\" do seu PAINEL DE CONTROLE, não estão Consistentes. "
        "Isto pode provocar instabilidade no Sistema. O \"OrvoAviso\" Será Fechado, "
        "podendo ser Reinicializado em seguida!");
    const QString mensagemAlteracao = QStringLiteral(
        "Foram detectadas alterações no \"Símbolo Decimal\" ou no \"Símbolo de Agrupamento de Dígitos\", "
        "após a inicialização deste Sistema. Este procedimento pode provocar instabilidade no Sistema. "
        "O \"OrvoAviso\" Será Fechado, podendo ser Reinicializado em seguida!");

private slots:
    void cleanup()
    {
        configwin::defineFonteDaAmostra({});
        configwin::esqueceTipoLembrado();
        formatacao::usaRegionalDoSistema();
    }

    void tipoDaWorkstation_data();
    void tipoDaWorkstation();
    void alteracaoAposPrimeiraVerificacao_data();
    void alteracaoAposPrimeiraVerificacao();
    void amostraComBrancos();
    void erroInternoVaiParaMostraErro();
};

void TstRetornaConfigWin::tipoDaWorkstation_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<int>("tipo"); // 0: refused, the program ends
    QTest::newRow("pt_BR") << "pt_BR" << 1;
    QTest::newRow("de_DE") << "de_DE" << 1;
    QTest::newRow("en_US") << "en_US" << 2;
    QTest::newRow("C") << "C" << 2;
    QTest::newRow("de_CH apostrofo") << "de_CH" << 0;
    QTest::newRow("sv_SE espaco") << "sv_SE" << 0;
    QTest::newRow("fr_FR espaco fino") << "fr_FR" << 0;
}

void TstRetornaConfigWin::tipoDaWorkstation()
{
    QFETCH(QString, regional);
    QFETCH(int, tipo);
    workstation(regional);

    int resposta = -1;
    const auto fim = encerramento([&] { resposta = RetornaConfigWin(); });
    if (tipo != 0) {
        QVERIFY(!fim);
        QCOMPARE(resposta, tipo);
        QCOMPARE(RetornaConfigWin(), tipo); // and on every later call
        QVERIFY(toolkit::mensagensMostradas().empty());
        return;
    }
    QVERIFY(fim);
    QCOMPARE(toolkit::statusDeEncerramento(), fim);
    QCOMPARE(*fim, 1);
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().front();
    QCOMPARE(m.texto, mensagemInconsistencia);
    QCOMPARE(m.estilo, 48);
    QCOMPARE(m.titulo, QStringLiteral("OrvoAviso"));
}

void TstRetornaConfigWin::alteracaoAposPrimeiraVerificacao_data()
{
    QTest::addColumn<QString>("antes");
    QTest::addColumn<QString>("depois");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("virgula para ponto") << "pt_BR" << "en_US" << mensagemAlteracao;
    QTest::newRow("ponto para virgula") << "en_US" << "de_DE" << mensagemAlteracao;
    // A convention that is not supported is refused as such, even after a change.
    QTest::newRow("virgula para apostrofo") << "pt_BR" << "de_CH" << mensagemInconsistencia;
}

void TstRetornaConfigWin::alteracaoAposPrimeiraVerificacao()
{
    QFETCH(QString, antes);
    QFETCH(QString, depois);
    QFETCH(QString, mensagem);
    workstation(antes);
    const int primeiro = RetornaConfigWin();
    QVERIFY(primeiro == 1 || primeiro == 2);
    QVERIFY(toolkit::mensagensMostradas().empty());

    formatacao::defineRegional(QLocale(depois));
    const auto fim = encerramento([] { RetornaConfigWin(); });
    QVERIFY(fim);
    QCOMPARE(toolkit::statusDeEncerramento(), fim);
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    QCOMPARE(toolkit::mensagensMostradas().front().texto, mensagem);
    QCOMPARE(toolkit::mensagensMostradas().front().estilo, 48);
    QCOMPARE(toolkit::mensagensMostradas().front().titulo, QStringLiteral("OrvoAviso"));

    // Back to the first convention: the remembered kind is still the first one.
    formatacao::defineRegional(QLocale(antes));
    toolkit::limpaObservacao();
    QCOMPARE(RetornaConfigWin(), primeiro);
    QVERIFY(toolkit::mensagensMostradas().empty());
}

void TstRetornaConfigWin::amostraComBrancos()
{
    workstation(QStringLiteral("pt_BR"));
    configwin::defineFonteDaAmostra([] { return QStringLiteral("  3,333.33 "); });
    QCOMPARE(RetornaConfigWin(), 2);
}

void TstRetornaConfigWin::erroInternoVaiParaMostraErro()
{
    workstation(QStringLiteral("en_US"));
    configwin::defineFonteDaAmostra([]() -> QString { throw ErroSistema(5, QStringLiteral("  Falha na amostra ")); });

    int resposta = -1;
    QVERIFY(!encerramento([&] { resposta = RetornaConfigWin(); }));
    QCOMPARE(resposta, 0);
    QCOMPARE(erroCorrente().numero, 0L);
    QCOMPARE(toolkit::beepsSoados(), 1);
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().front();
    QCOMPARE(m.texto, QStringLiteral("Falha na amostra(Nº: 5)\rLOCAL: ORVO(RetornaConfigWin)"));
    QCOMPARE(m.estilo, 48);
    QCOMPARE(m.titulo, QStringLiteral("O \"OrvoAviso\" detectou o seguinte Erro:"));

    // A failed check remembers nothing: the next one takes the workstation's kind.
    configwin::defineFonteDaAmostra({});
    formatacao::defineRegional(QLocale(QStringLiteral("pt_BR")));
    QCOMPARE(RetornaConfigWin(), 1);
}

QTEST_GUILESS_MAIN(TstRetornaConfigWin)
#include "tst_retornaconfigwin.moc"
