// Today's open receivables and payables in the notice's grids and totals, on
// the embedded database, the Firebird server and the ODBC data source.
#include "ApoioAviso.h"
#include "notice/ConsultasContas.h"
#include "startup/IniciaSistema.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStyle>
#include <QTableWidget>
#include <cmath>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

class TestCarregaContas : public QObject {
    Q_OBJECT
    const QDate hoje = QDate(2026, 12, 8);

private slots:
    void init()
    {
        iniciaCaso(hoje);
    }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    void filtroEOrdem_data() { linhasPorBackend(); }
    void filtroEOrdem()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Carlos Souza"));
        d.cliente(2, QStringLiteral("Ana Lima"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("Pedido 1"));
        d.conta(2, "R", 2, {}, {}, QStringLiteral("Pedido 2"));
        d.parcela(10, 1, hoje, hoje.addDays(-5), 100.00);
        d.parcela(11, 2, hoje, hoje.addDays(-3), 200.00);
        d.parcela(12, 2, hoje, hoje.addDays(-10), 300.00);
        d.parcela(13, 2, hoje.addDays(-1), hoje.addDays(-10), 1.00);   // due yesterday
        d.parcela(14, 2, hoje.addDays(1), hoje.addDays(-10), 2.00);    // due tomorrow
        d.parcela(15, 2, hoje, hoje.addDays(-10), 4.00, "S");           // paid
        d.parcela(16, 2, hoje, hoje.addDays(-10), 8.00, "N", "S");      // cancelled
        d.fornecedor(1, QStringLiteral("Beta Papelaria"));
        d.plano(1, QStringLiteral("Aluguel"));
        d.plano(2, QStringLiteral("Beta Papelaria"));
        d.conta(20, "P", {}, 1, {}, QStringLiteral("Compra B"));
        d.conta(21, "P", {}, {}, 1, QStringLiteral("Loja"));
        d.conta(22, "P", {}, {}, 2, QStringLiteral("Compra A"));
        d.parcela(30, 20, hoje, hoje, 50.00);
        d.parcela(31, 21, hoje, hoje, 1500.00);
        d.parcela(32, 22, hoje, hoje, 25.25);
        d.parcela(33, 21, hoje.addDays(-1), hoje, 9.00);
        d.parcela(34, 21, hoje, hoje, 9.00, "S");

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY2(toolkit::mensagensMostradas().empty(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));
        FrmRobo &j = FrmRobo::instancia();

        QCOMPARE(linhasPreenchidas(j.grdRec), 3);
        QCOMPARE(linha(j.grdRec, 1), (QStringList{"12", "Ana Lima - Pedido 2", "08/12/2026", "300,00", "N"}));
        QCOMPARE(linha(j.grdRec, 2), (QStringList{"11", "Ana Lima - Pedido 2", "08/12/2026", "200,00", "N"}));
        QCOMPARE(linha(j.grdRec, 3), (QStringList{"10", "Carlos Souza - Pedido 1", "08/12/2026", "100,00", "N"}));

        // Supplier and chart-of-accounts payables together, by name then description.
        QCOMPARE(linhasPreenchidas(j.grdPag), 3);
        QCOMPARE(linha(j.grdPag, 1), (QStringList{"31", "Aluguel - Loja", "08/12/2026", "1.500,00", "N"}));
        QCOMPARE(linha(j.grdPag, 2), (QStringList{"32", "Beta Papelaria - Compra A", "08/12/2026", "25,25", "N"}));
        QCOMPARE(linha(j.grdPag, 3), (QStringList{"30", "Beta Papelaria - Compra B", "08/12/2026", "50,00", "N"}));

        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("600,00"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("1.575,25"));
        QCOMPARE(j.lblTotalGeral->text(), QStringLiteral("-975,25"));
    }

    // An account with a supplier that is also classified in the chart of
    // accounts is one payable, counted once.
    void contaComFornecedorEPlanoContaUmaVez_data() { linhasPorBackend(); }
    void contaComFornecedorEPlanoContaUmaVez()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.fornecedor(1, QStringLiteral("Distribuidora Sul"));
        d.plano(7, QStringLiteral("Mercadorias"));
        d.conta(40, "P", {}, 1, 7, QStringLiteral("NF 88"));
        d.parcela(41, 40, hoje, hoje, 1000.00);

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdPag), 1);
        QCOMPARE(linha(j.grdPag, 1).at(1), QStringLiteral("Distribuidora Sul - NF 88"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("1.000,00"));
    }

    void nulosEBrancos_data() { linhasPorBackend(); }
    void nulosEBrancos()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Alfa"));
        d.cliente(2, QStringLiteral("Beta"));
        d.cliente(3, QStringLiteral("Gama"));
        d.cliente(4, QString());                            // customer without a name
        d.conta(1, "R", 1, {}, {}, QStringLiteral("   "));   // blank description
        d.conta(2, "R", 2, {}, {}, QVariant());              // no description
        d.conta(3, "R", 3, {}, {}, QStringLiteral("Obra"));
        d.conta(4, "R", 4, {}, {}, QStringLiteral("Avulsa"));
        // The flag is CHAR(1): Firebird hands it back padded with blanks.
        d.parcela(1, 1, hoje, hoje, 10.00, "N", "N", QStringLiteral("S"));
        d.parcela(2, 2, hoje, hoje, QVariant(QMetaType(QMetaType::Double)), "N", "N", QStringLiteral("s"));
        d.parcela(3, 3, hoje, hoje, 5.50, "N", "N", QVariant());
        d.parcela(4, 4, hoje, hoje.addDays(-1), 1.25, "N", "N", QStringLiteral("S"));

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdRec), 4);
        // A customer without a name sorts first on Firebird and last on
        // PostgreSQL: find the rows by code.
        QMap<QString, QStringList> porCodigo;
        QMap<QString, int> linhaDe;
        for (int r = 1; r <= 4; ++r) {
            const QStringList l = linha(j.grdRec, r);
            porCodigo[l[0]] = l;
            linhaDe[l[0]] = r;
        }
        QCOMPARE(porCodigo["1"], (QStringList{"1", "Alfa", "08/12/2026", "10,00", "S"}));
        QCOMPARE(porCodigo["2"], (QStringList{"2", "Beta", "08/12/2026", "", "N"}));
        QCOMPARE(porCodigo["3"], (QStringList{"3", "Gama - Obra", "08/12/2026", "5,50", "N"}));
        QCOMPARE(porCodigo["4"], (QStringList{"4", " - Avulsa", "08/12/2026", "1,25", "S"}));
        QCOMPARE(corDaCelula(j.grdRec, linhaDe["1"], 5), QColor(255, 255, 128));
        QCOMPARE(corDaCelula(j.grdRec, linhaDe["2"], 5), QColor(185, 255, 255));
        QCOMPARE(corDaCelula(j.grdRec, linhaDe["1"], 4), QColor(185, 255, 255));
        // The null amount is left out of the total.
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("16,75"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("0,00"));
        QCOMPARE(j.lblTotalGeral->text(), QStringLiteral("16,75"));
    }

    // More instalments than the 500 designed rows: every one gets its row.
    void maisDeQuinhentasParcelas_data() { linhasPorBackend(); }
    void maisDeQuinhentasParcelas()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Cliente Único"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("Carnê"));
        for (int i = 1; i <= 600; ++i)
            d.parcela(i, 1, hoje, hoje.addDays(-i), 1.01);

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdRec), 600);
        // Ordered by issue date: instalment 600 was issued first, instalment 1 last.
        QCOMPARE(linha(j.grdRec, 1).at(0), QStringLiteral("600"));
        QCOMPARE(linha(j.grdRec, 600).at(0), QStringLiteral("1"));
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("606,00"));
    }

    void totaisEDiferenca_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<double>("receber");
        QTest::addColumn<double>("pagar");
        QTest::addColumn<QString>("totalReceber");
        QTest::addColumn<QString>("totalPagar");
        QTest::addColumn<QString>("diferenca");
        QTest::newRow("pt_BR positiva") << "pt_BR" << 500.50 << 400.25 << "500,50" << "400,25" << "100,25";
        QTest::newRow("en_US positiva") << "en_US" << 500.50 << 400.25 << "500.50" << "400.25" << "100.25";
        QTest::newRow("pt_BR negativa") << "pt_BR" << 1234.56 << 98765.43 << "1.234,56" << "98.765,43" << "-97.530,87";
        QTest::newRow("en_US negativa") << "en_US" << 1234.56 << 98765.43 << "1,234.56" << "98,765.43" << "-97,530.87";
        QTest::newRow("milhões") << "pt_BR" << 1234567.89 << 0.01 << "1.234.567,89" << "0,01" << "1.234.567,88";
        QTest::newRow("centenas de milhões") << "pt_BR" << 999999999.99 << 98771039.87 << "999.999.999,99"
                                             << "98.771.039,87" << "901.228.960,12";
        QTest::newRow("parcela de milhões") << "pt_BR" << 10.00 << 1234567.89 << "10,00" << "1.234.567,89" << "-1.234.557,89";
    }
    void totaisEDiferenca()
    {
        QFETCH(QString, local);
        QFETCH(double, receber);
        QFETCH(double, pagar);
        QFETCH(QString, totalReceber);
        QFETCH(QString, totalPagar);
        QFETCH(QString, diferenca);
        usaRegional(qPrintable(local));
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("João"));
        d.fornecedor(1, QStringLiteral("Manutenção Predial"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("a"));
        d.conta(2, "P", {}, 1, {}, QStringLiteral("b"));
        // Split into two instalments each, so the totals are sums.
        const double metade = std::round(receber * 50) / 100;
        d.parcela(1, 1, hoje, hoje, metade);
        d.parcela(2, 1, hoje, hoje, receber - metade);
        d.parcela(3, 2, hoje, hoje, pagar);

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(j.lblTotalAberto->text(), totalReceber);
        QCOMPARE(j.lblTotalPago->text(), totalPagar);
        QCOMPARE(j.lblTotalGeral->text(), diferenca);
        QCOMPARE(linha(j.grdRec, 1).at(1), QStringLiteral("João - a"));
        QCOMPARE(linha(j.grdPag, 1).at(1), QStringLiteral("Manutenção Predial - b"));
        // Every digit readable: each total fits its label as laid out, each
        // amount its column.
        for (QLabel *total : {j.lblTotalAberto, j.lblTotalPago, j.lblTotalGeral})
            QVERIFY2(QFontMetrics(total->font()).horizontalAdvance(total->text()) <= total->contentsRect().width(),
                     qPrintable(total->text()));
        for (QTableWidget *t : {j.tabelaRec, j.tabelaPag}) {
            const int margens = 2 * (t->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, t) + 1);
            for (int r = 0; r < t->rowCount() && !t->item(r, 3)->text().isEmpty(); ++r)
                QVERIFY2(QFontMetrics(t->font()).horizontalAdvance(t->item(r, 3)->text()) + margens <= t->columnWidth(3),
                         qPrintable(t->item(r, 3)->text()));
        }
    }

    // A row provisioned in the last notice and no longer provisioned shows "N"
    // on the normal colour, not on yellow.
    void destaqueNaoFicaDeUmAvisoParaOutro_data() { linhasPorBackend(); }
    void destaqueNaoFicaDeUmAvisoParaOutro()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        d.parcela(1, 1, hoje, hoje, 10.00, "N", "N", QStringLiteral("S"));
        for (int p = 2; p <= 6; ++p)
            d.parcela(p, 1, hoje, hoje, 10.00 + p, "N", "N", QStringLiteral("S"));

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdRec), 6);
        for (int r = 1; r <= 6; ++r)
            QCOMPARE(corDaCelula(j.grdRec, r, 5), QColor(255, 255, 128));

        // The next notice has four rows, one of them no longer provisioned.
        d.executa(QStringLiteral("UPDATE ContaDet SET Provisionado = 'N' WHERE CodContaDet = 1"));
        d.executa(QStringLiteral("UPDATE ContaDet SET Paga = 'S' WHERE CodContaDet IN (5, 6)"));
        QVERIFY(avisaEEspera());
        QCOMPARE(linhasPreenchidas(j.grdRec), 4);
        for (int r = 1; r <= 6; ++r) {
            const bool amarela = r <= 4 && linha(j.grdRec, r).at(4) == QLatin1String("S");
            QCOMPARE(corDaCelula(j.grdRec, r, 5), amarela ? QColor(255, 255, 128) : QColor(185, 255, 255));
        }
    }

    // A notice on a shown window is painted, rows and totals, before the
    // summaries of earlier days start, and is not painted again while they
    // are read.
    void avisoPintadoAntesDosResumos()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        QVERIFY(iniciaComUmaParcela(amb, hoje));
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QVERIFY(esperaLeituras());
        // Each paint: the total or the grid, and whether the summaries had started.
        struct Pinturas : QObject {
            FrmRobo &j;
            QStringList vistas;
            explicit Pinturas(FrmRobo &janela) : j(janela)
            {
                j.lblTotalGeral->installEventFilter(this);
                j.tabelaRec->viewport()->installEventFilter(this);
            }
            bool eventFilter(QObject *alvo, QEvent *evento) override
            {
                if (evento->type() == QEvent::Paint)
                    vistas << (alvo == j.lblTotalGeral ? j.lblTotalGeral->text() : QStringLiteral("grade"))
                            + (j.resumoVencidasPendente() ? QStringLiteral(" com resumos") : QString());
                return false;
            }
        } pinturas(j);
        amb.dados().parcela(2, 1, hoje, hoje, 5.00);
        j.trmEsconde_Timer();
        QTRY_VERIFY(pinturas.vistas.contains(QStringLiteral("15,00")));
        QVERIFY(esperaLeituras());
        QVERIFY2(pinturas.vistas.contains(QStringLiteral("grade"))
                     && pinturas.vistas.indexOf(QStringLiteral("grade")) < pinturas.vistas.indexOf(QStringLiteral("15,00")),
                 qPrintable(pinturas.vistas.join(u',')));
        QVERIFY2(pinturas.vistas.filter(QStringLiteral("com resumos")).isEmpty(), qPrintable(pinturas.vistas.join(u',')));
    }

    // Midnight passing during a refresh: the clock answers a different day at
    // every question, and both statements still read the same one.
    void umDiaParaAsDuasInstrucoes_data() { linhasPorBackend(); }
    void umDiaParaAsDuasInstrucoes()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Ana Lima"));
        d.fornecedor(1, QStringLiteral("Beta Papelaria"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("Pedido"));
        d.conta(2, "P", {}, 1, {}, QStringLiteral("Compra"));
        d.parcela(10, 1, hoje, hoje, 100.00);
        d.parcela(11, 1, hoje.addDays(1), hoje, 7.00);
        d.parcela(20, 2, hoje, hoje, 50.00);
        d.parcela(21, 2, hoje.addDays(1), hoje, 9.00);
        int perguntas = 0;
        consultas::defineHoje(QDate());
        consultas::defineRelogio([&] { return hoje.addDays(perguntas++ % 2); });
        ambienteaviso::iniciaPrograma(amb.pasta());
        const bool preencheu = esperaPreenchimento();
        consultas::defineRelogio({});
        QVERIFY(preencheu);
        FrmRobo &j = FrmRobo::instancia();
        const QStringList totais{j.lblTotalAberto->text(), j.lblTotalPago->text()};
        QVERIFY2(totais == QStringList({"100,00", "50,00"}) || totais == QStringList({"7,00", "9,00"}),
                 qPrintable(totais.join(u' ')));
        QVERIFY(perguntas >= 1);
    }

    void semParcelasHoje_data() { linhasPorBackend(); }
    void semParcelasHoje()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdRec), 0);
        QCOMPARE(linhasPreenchidas(j.grdPag), 0);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("0,00"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("0,00"));
        QCOMPARE(j.lblTotalGeral->text(), QStringLiteral("0,00"));
    }

    // Today's date reaches every database as a date: the same accounts whatever
    // PostgreSQL's date order, on a day that could be read as a month and on
    // one that could not, on workstations writing dates with "/" and with ".".
    void hojeComoData_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<QString>("ordem");
        QTest::addColumn<QDate>("dia");
        QTest::addColumn<QString>("local");
        for (const QDate &dia : {QDate(2026, 12, 8), QDate(2026, 8, 25)})
            for (const char *local : {"pt_BR", "de_DE"}) {
                const QString d = dia.toString(QStringLiteral("dd-MM"));
                QTest::addRow("embutido %s %s", qPrintable(d), local) << Backend::Embutido << QString() << dia << local;
                QTest::addRow("servidor %s %s", qPrintable(d), local) << Backend::Servidor << QString() << dia << local;
                for (const char *ordem : {"ISO, MDY", "ISO, DMY"})
                    QTest::addRow("odbc %s %s %s", ordem, qPrintable(d), local)
                        << Backend::Odbc << QString::fromLatin1(ordem) << dia << QString::fromLatin1(local);
            }
    }
    void hojeComoData()
    {
        QFETCH(Backend, backend);
        QFETCH(QString, ordem);
        QFETCH(QDate, dia);
        QFETCH(QString, local);
        consultas::defineHoje(dia);
        usaRegional(qPrintable(local));
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        if (!ordem.isEmpty())
            d.executa(QStringLiteral("ALTER DATABASE vendas SET DateStyle = '%1'").arg(ordem));
        d.cliente(1, QStringLiteral("Ana"));
        d.fornecedor(1, QStringLiteral("Beta"));
        d.plano(1, QStringLiteral("Aluguel"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("Hoje"));
        d.conta(2, "P", {}, 1, {}, QStringLiteral("Hoje"));
        d.conta(3, "P", {}, {}, 1, QStringLiteral("Hoje"));
        d.parcela(1, 1, dia, dia, 10.00);
        d.parcela(2, 2, dia, dia, 20.00);
        d.parcela(3, 3, dia, dia, 5.00);
        // Due on the day the date would be with day and month swapped.
        const QDate trocado(dia.year(), dia.day(), dia.month());
        if (trocado.isValid()) {
            d.parcela(11, 1, trocado, trocado, 1000.00);
            d.parcela(12, 2, trocado, trocado, 2000.00);
            d.parcela(13, 3, trocado, trocado, 4000.00);
        }

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY2(toolkit::mensagensMostradas().empty(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));
        FrmRobo &j = FrmRobo::instancia();
        QCOMPARE(linhasPreenchidas(j.grdRec), 1);
        QCOMPARE(linha(j.grdRec, 1).at(0), QStringLiteral("1"));
        QVERIFY(linha(j.grdRec, 1).at(2).startsWith(dia.toString(QStringLiteral("dd"))));
        QCOMPARE(linhasPreenchidas(j.grdPag), 2);
        QCOMPARE(linha(j.grdPag, 1).at(0), QStringLiteral("3"));
        QCOMPARE(linha(j.grdPag, 2).at(0), QStringLiteral("2"));
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("10,00"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("25,00"));
        if (!ordem.isEmpty()) {
            // The program's own session reads dates in that order.
            bancodados::Registros rs;
            rs.abre(QStringLiteral("Select current_setting('DateStyle') As Ordem"), conexaoCompartilhada());
            QCOMPARE(rs.campo(QStringLiteral("Ordem")).toString(), ordem);
        }
    }
};

QTEST_MAIN(TestCarregaContas)
#include "tst_carregacontas.moc"
