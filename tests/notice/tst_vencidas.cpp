// Instalments of earlier days still open: the line in the notice window and the
// "Contas Vencidas em Aberto" window, on the embedded database, the Firebird
// server and the ODBC data source.
#include "ApoioAviso.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmVencidas.h"

#include <QPushButton>
#include <QTableWidget>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
// Columns 1 to 6 of a row of the overdue window.
QStringList linhaVencida(Grade &grade, int row)
{
    QStringList textos = linha(grade, row);
    grade.defineCol(6);
    textos << grade.texto();
    return textos;
}

bool esperaResumo() { return esperaLeituras(); }

QString linhaDeVencidas() { return FrmRobo::instancia().lblVencidas->text(); }
} // namespace

class TestVencidas : public QObject {
    Q_OBJECT
    const QDate hoje = QDate(2026, 12, 8);

private slots:
    void init() { iniciaCaso(hoje); }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    // Due yesterday, last month and last year appear, the oldest first, with
    // their days late; paid, cancelled, today's and tomorrow's do not.
    void vencidasNaLinhaENaJanela_data() { linhasPorBackend(); }
    void vencidasNaLinhaENaJanela()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        const QDate ontem = hoje.addDays(-1), mesPassado = hoje.addMonths(-1), anoPassado = hoje.addYears(-1);
        d.cliente(1, QStringLiteral("Carlos Souza"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("Pedido 1"));
        d.parcela(10, 1, ontem, anoPassado, 100.00);
        d.parcela(11, 1, mesPassado, anoPassado, 200.50);
        d.parcela(12, 1, anoPassado, anoPassado.addDays(-30), 1234.56);
        d.parcela(13, 1, ontem, anoPassado, 7.00, "S");             // paid
        d.parcela(14, 1, mesPassado, anoPassado, 8.00, "N", "S");   // cancelled
        d.parcela(15, 1, hoje, anoPassado, 9.00);                   // due today: the notice's
        d.parcela(16, 1, hoje.addDays(1), anoPassado, 10.00);       // due tomorrow
        d.fornecedor(1, QStringLiteral("Distribuidora Sul"));
        d.plano(1, QStringLiteral("Aluguel"));
        d.plano(7, QStringLiteral("Mercadorias"));
        d.conta(20, "P", {}, 1, {}, QStringLiteral("NF 10"));
        d.conta(21, "P", {}, {}, 1, QStringLiteral("Loja"));
        d.conta(22, "P", {}, 1, 7, QStringLiteral("NF 88"));        // supplier and chart entry: once
        d.parcela(30, 20, ontem, anoPassado, 50.00);
        d.parcela(31, 21, mesPassado, anoPassado, 1500.00);
        d.parcela(32, 22, anoPassado, anoPassado, 25.25);
        d.parcela(33, 21, ontem, anoPassado, 70.00, "S");           // paid
        d.parcela(34, 20, anoPassado, anoPassado, 80.00, "N", "S"); // cancelled
        d.parcela(35, 21, hoje, anoPassado, 90.00);                 // due today
        d.parcela(36, 22, hoje.addDays(1), anoPassado, 100.00);     // due tomorrow

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(esperaResumo());
        QVERIFY2(toolkit::mensagensMostradas().empty(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));
        FrmRobo &j = FrmRobo::instancia();
        // The designed grids keep today's instalments only.
        QCOMPARE(linhasPreenchidas(j.grdRec), 1);
        QCOMPARE(linhasPreenchidas(j.grdPag), 1);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("9,00"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("90,00"));
        QCOMPARE(linhaDeVencidas(),
                 QStringLiteral("Vencidas em aberto: 3 a receber (1.535,06) · 3 a pagar (1.575,25)"));

        j.cmdVencidas->click();
        QVERIFY(esperaLeituras());
        QVERIFY(FrmVencidas::carregada());
        FrmVencidas &v = FrmVencidas::instancia();
        QVERIFY(v.isVisible());
        QCOMPARE(v.windowTitle(), QStringLiteral("Contas Vencidas em Aberto"));
        QCOMPARE(v.tabelaRec->horizontalHeaderItem(5)->text(), QStringLiteral("Dias em Atraso"));
        QCOMPARE(linhasPreenchidas(v.grdRec), 3);
        QCOMPARE(linhaVencida(v.grdRec, 1),
                 (QStringList{"12", "Carlos Souza - Pedido 1", "08/12/2025", "1.234,56", "N", "365"}));
        QCOMPARE(linhaVencida(v.grdRec, 2),
                 (QStringList{"11", "Carlos Souza - Pedido 1", "08/11/2026", "200,50", "N", "30"}));
        QCOMPARE(linhaVencida(v.grdRec, 3),
                 (QStringList{"10", "Carlos Souza - Pedido 1", "07/12/2026", "100,00", "N", "1"}));
        QCOMPARE(linhasPreenchidas(v.grdPag), 3);
        QCOMPARE(linhaVencida(v.grdPag, 1),
                 (QStringList{"32", "Distribuidora Sul - NF 88", "08/12/2025", "25,25", "N", "365"}));
        QCOMPARE(linhaVencida(v.grdPag, 2), (QStringList{"31", "Aluguel - Loja", "08/11/2026", "1.500,00", "N", "30"}));
        QCOMPARE(linhaVencida(v.grdPag, 3),
                 (QStringList{"30", "Distribuidora Sul - NF 10", "07/12/2026", "50,00", "N", "1"}));
        // The line says what the window totals.
        QCOMPARE(v.lblTotalReceber->text(), QStringLiteral("1.535,06"));
        QCOMPARE(v.lblTotalPagar->text(), QStringLiteral("1.575,25"));
        QVERIFY(linhaDeVencidas().contains(QStringLiteral("(") + v.lblTotalReceber->text() + QStringLiteral(")")));
        QVERIFY(linhaDeVencidas().contains(QStringLiteral("(") + v.lblTotalPagar->text() + QStringLiteral(")")));

        // Read afresh when opened again; the line at the next notice.
        v.cmdFechar->click();
        QVERIFY(!v.isVisible());
        d.executa(QStringLiteral("UPDATE ContaDet SET Paga = 'S' WHERE CodContaDet IN (12, 32)"));
        QVERIFY(abreVencidasEEspera());
        QVERIFY(v.isVisible());
        QCOMPARE(linhasPreenchidas(v.grdRec), 2);
        QCOMPARE(linhaVencida(v.grdRec, 1).at(0), QStringLiteral("11"));
        QCOMPARE(linhasPreenchidas(v.grdPag), 2);
        QCOMPARE(v.lblTotalReceber->text(), QStringLiteral("300,50"));
        QCOMPARE(v.lblTotalPagar->text(), QStringLiteral("1.550,00"));
        QVERIFY(avisaEEspera());
        QCOMPARE(linhaDeVencidas(), QStringLiteral("Vencidas em aberto: 2 a receber (300,50) · 2 a pagar (1.550,00)"));
        QVERIFY(toolkit::mensagensMostradas().empty());
    }

    // Nothing overdue: the line is empty and the window shows no rows.
    void semVencidasLinhaVazia_data() { linhasPorBackend(); }
    void semVencidasLinhaVazia()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        d.parcela(1, 1, hoje, hoje, 10.00);
        d.parcela(2, 1, hoje.addDays(1), hoje, 11.00);
        d.parcela(3, 1, hoje.addDays(-1), hoje, 12.00, "S");
        d.parcela(4, 1, hoje.addYears(-1), hoje, 13.00, "N", "S");

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(esperaResumo());
        QVERIFY(toolkit::mensagensMostradas().empty());
        QCOMPARE(linhasPreenchidas(FrmRobo::instancia().grdRec), 1);
        QCOMPARE(linhaDeVencidas(), QString());
        QVERIFY(abreVencidasEEspera());
        FrmVencidas &v = FrmVencidas::instancia();
        QCOMPARE(linhasPreenchidas(v.grdRec), 0);
        QCOMPARE(linhasPreenchidas(v.grdPag), 0);
        QCOMPARE(v.lblTotalReceber->text(), QStringLiteral("0,00"));
        QCOMPARE(v.lblTotalPagar->text(), QStringLiteral("0,00"));
    }

    // Amounts in the workstation's number format; one side alone still shows both.
    void linhaNoFormatoDaEstacao_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("esperada");
        QTest::newRow("pt_BR") << "pt_BR" << "Vencidas em aberto: 2 a receber (1.234.567,89) · 0 a pagar (0,00)";
        QTest::newRow("en_US") << "en_US" << "Vencidas em aberto: 2 a receber (1,234,567.89) · 0 a pagar (0.00)";
        QTest::newRow("de_CH") << "de_CH" << "Vencidas em aberto: 2 a receber (1’234’567.89) · 0 a pagar (0.00)";
    }
    void linhaNoFormatoDaEstacao()
    {
        QFETCH(QString, local);
        QFETCH(QString, esperada);
        usaRegional(qPrintable(local));
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("João"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("a"));
        d.parcela(1, 1, hoje.addDays(-400), hoje.addDays(-500), 1234000.00);
        d.parcela(2, 1, hoje.addDays(-2), hoje.addDays(-500), 567.89);

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(esperaResumo());
        QCOMPARE(linhaDeVencidas(), esperada);
        QVERIFY(abreVencidasEEspera());
        QVERIFY(linhaDeVencidas().contains(FrmVencidas::instancia().lblTotalReceber->text()));
    }
};

QTEST_MAIN(TestVencidas)
#include "tst_vencidas.moc"
