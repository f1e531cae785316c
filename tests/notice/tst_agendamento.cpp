// The notice that hides for the confirmed delay and comes back by itself with
// fresh data, one shot at a time; the database shared with other programs.
#include "ApoioAviso.h"
#include "notice/ConsultasContas.h"
#include "support/ServidoresTeste.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
const int MinutoDeTeste = 20; // milliseconds

QStringList textosMostrados()
{
    QStringList textos;
    for (const auto &m : toolkit::mensagensMostradas())
        textos << m.texto;
    return textos;
}
} // namespace

class TestAgendamento : public QObject {
    Q_OBJECT
    const QDate hoje = QDate::currentDate();

    void preencheUmaConta(bancoteste::Dados &d)
    {
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        d.parcela(1, 1, hoje, hoje, 10.00);
    }

private slots:
    void init()
    {
        iniciaCaso(QDate());
        agendamento::defineMilissegundosPorMinuto(MinutoDeTeste);
    }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    // Right after start the grids fill with no user action, and the window
    // stays up until the user confirms a notice.
    void primeiroPreenchimentoSemAcaoDoUsuario()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheUmaConta(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(j.txtHora->text(), QStringLiteral("1.00"));
        QVERIFY(esperaPreenchimento());
        QCOMPARE(linhasPreenchidas(j.grdRec), 1);
        QVERIFY(j.isVisible());
        QVERIFY(!j.trmEsconde.ativo());
        QTest::qWait(10 * MinutoDeTeste);
        QVERIFY(j.isVisible());
        QVERIFY(textosMostrados().isEmpty());
    }

    void avisoRecusado_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("vazio") << "" << "Tempo Inválido";
        QTest::newRow("letras") << "ab" << "Tempo Inválido";
        QTest::newRow("zero") << "0.00" << "Tempo Inválido";
        QTest::newRow("1.01") << "1.01" << "O Intervalo não pode ser mais que 1 hora";
        QTest::newRow("2") << "2" << "O Intervalo não pode ser mais que 1 hora";
        QTest::newRow("0.75") << "0.75" << "O Intervalo não pode ser mais que 1 hora";
    }
    // A refused entry leaves the window, its grids and the timer as they were.
    void avisoRecusado()
    {
        QFETCH(QString, texto);
        QFETCH(QString, mensagem);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheUmaConta(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        j.txtHora->setText(texto);
        j.cmdAvisar->click();
        QCOMPARE(textosMostrados(), QStringList{mensagem});
        QCOMPARE(toolkit::mensagensMostradas()[0].estilo, int(toolkit::EstiloInformacao));
        QCOMPARE(toolkit::mensagensMostradas()[0].titulo, QStringLiteral("OrvoAviso"));
        QVERIFY(j.isVisible());
        QVERIFY(!j.trmEsconde.ativo());
        QCOMPARE(linhasPreenchidas(j.grdRec), 1);
        QCOMPARE(j.txtHora->text(), texto);
    }

    // Accepted: the grids clear, the window hides, and after the delay it comes
    // back with the accounts read afresh; then it stays (one shot only).
    void escondeVoltaERecarrega()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheUmaConta(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();

        j.txtHora->setText(QStringLiteral("0.30"));
        j.cmdAvisar->click();
        QVERIFY(textosMostrados().isEmpty());
        QVERIFY(!j.isVisible());
        QVERIFY(j.trmEsconde.ativo());
        QCOMPARE(j.trmEsconde.intervalo(), 30 * MinutoDeTeste);
        QCOMPARE(linhasPreenchidas(j.grdRec), 0);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("10,00")); // totals stay until the refill

        amb.dados().parcela(2, 1, hoje, hoje, 5.00); // arrives while hidden
        QTRY_VERIFY_WITH_TIMEOUT(j.isVisible(), 10000);
        QTRY_VERIFY(!j.trmEsconde.ativo());
        QVERIFY(esperaLeituras());
        QCOMPARE(linhasPreenchidas(j.grdRec), 2);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("15,00"));
        QCOMPARE(j.txtHora->text(), QStringLiteral("0.30")); // the last typed delay stays

        QTest::qWait(40 * MinutoDeTeste);
        QVERIFY(j.isVisible());
        QVERIFY(textosMostrados().isEmpty());
    }

    // The delay typed through the key preview: "0", "." and "30" give "0,30"
    // on a decimal-comma workstation, and that is thirty minutes.
    void txtHoraDigitadoEAceito()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(QTest::qWaitForWindowActive(&j));
        j.txtHora->setFocus();
        j.txtHora->clear();
        QTest::keyClicks(j.txtHora, QStringLiteral("0."));
        QTest::qWait(50); // the separator keystroke arrives as a key press of its own
        QTest::keyClicks(j.txtHora, QStringLiteral("30"));
        QCOMPARE(j.txtHora->text(), QStringLiteral("0,30"));
        j.cmdAvisar->click();
        QVERIFY(!j.isVisible());
        QCOMPARE(j.trmEsconde.intervalo(), 30 * MinutoDeTeste);
    }

    // Another program writes to the same database while the window is hidden;
    // the next notice shows it (no connection keeps an old snapshot).
    void outroProgramaGravaEnquantoEscondido_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::newRow("embutido") << Backend::Embutido;
        QTest::newRow("servidor") << Backend::Servidor;
    }
    void outroProgramaGravaEnquantoEscondido()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        preencheUmaConta(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdRec), 1);

        j.txtHora->setText(QStringLiteral("0.05"));
        j.cmdAvisar->click();
        QVERIFY(!j.isVisible());
        // isql-fb, a separate process in shared mode, inserts an instalment.
        const QString banco = backend == Backend::Servidor ? servidoresteste::nomeNoServidor(amb.arquivoBanco())
                                                           : amb.arquivoBanco();
        QProcess isql;
        QProcessEnvironment ambiente = servidoresteste::disponiveis() ? servidoresteste::ambienteFirebirdCompartilhado()
                                                                      : QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("FIREBIRD"), bancoteste::raizFirebird());
        ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        isql.setProcessEnvironment(ambiente);
        isql.start(QStringLiteral("isql-fb"), {"-q", "-b", "-user", "SYSDBA", "-password", "quillfern", banco});
        QVERIFY(isql.waitForStarted());
        isql.write(QStringLiteral("INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, ValorParcela, "
                                  "Paga, Cancelada, Provisionado) VALUES (2, 1, CURRENT_DATE, CURRENT_DATE, 7.25, "
                                  "'N', 'N', 'N');\nCOMMIT;\n").toUtf8());
        isql.closeWriteChannel();
        QVERIFY(isql.waitForFinished(60000));
        QVERIFY2(isql.exitCode() == 0, isql.readAllStandardError().constData());

        QTRY_VERIFY_WITH_TIMEOUT(j.isVisible() && !j.trmEsconde.ativo(), 10000);

        QVERIFY(esperaLeituras());
        QCOMPARE(linhasPreenchidas(j.grdRec), 2);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("17,25"));
    }
};

QTEST_MAIN(TestAgendamento)
#include "tst_agendamento.moc"
