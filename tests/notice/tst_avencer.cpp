// "Contas a Vencer": the coming days' open instalments, their totals and the
// balance of each day, on the embedded database, the Firebird server and the
// ODBC data source; the bounds of "Dias:"; a reading that fails while the
// window is open.
#include "ApoioAviso.h"
#include "errors/MostraErro.h"
#include "notice/FrmAVencer.h"
#include "support/ServidoresTeste.h"

#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableWidget>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
const QDate Hoje(2026, 12, 8);

// Today, tomorrow, the 3rd, the 7th and the 8th day; paid and cancelled ones.
void preencheDados(bancoteste::Dados &d)
{
    const QDate amanha = Hoje.addDays(1), terceiro = Hoje.addDays(3), setimo = Hoje.addDays(7),
                oitavo = Hoje.addDays(8), emissao = Hoje.addMonths(-1);
    d.cliente(1, QStringLiteral("Carlos Souza"));
    d.cliente(2, QStringLiteral("Ana Lima"));
    d.conta(1, "R", 1, {}, {}, QStringLiteral("Pedido 1"));
    d.conta(2, "R", 2, {}, {}, QStringLiteral("Serviço"));
    d.parcela(10, 1, Hoje, emissao, 100.00);                          // today: the notice's
    d.parcela(11, 1, amanha, emissao, 200.50);
    d.parcela(12, 2, amanha, emissao, 49.50);
    d.parcela(13, 1, setimo, emissao, 1000.00, "N", "N", QStringLiteral("S"));
    d.parcela(14, 1, oitavo, emissao, 300.00);
    d.parcela(15, 1, amanha, emissao, 7.00, "S");                     // paid
    d.parcela(16, 2, terceiro, emissao, 8.00, "N", "S");              // cancelled
    d.fornecedor(1, QStringLiteral("Distribuidora Sul"));
    d.plano(1, QStringLiteral("Aluguel"));
    d.plano(7, QStringLiteral("Mercadorias"));
    d.conta(20, "P", {}, 1, {}, QStringLiteral("NF 10"));
    d.conta(21, "P", {}, {}, 1, QStringLiteral("Loja"));
    d.conta(22, "P", {}, 1, 7, QStringLiteral("NF 88"));              // supplier and chart entry: once
    d.parcela(30, 20, amanha, emissao, 500.00);
    d.parcela(31, 21, terceiro, emissao, 1500.00);
    d.parcela(32, 22, setimo, emissao, 25.25);
    d.parcela(33, 21, Hoje, emissao, 90.00);                          // today
    d.parcela(34, 21, oitavo, emissao, 60.00);
    d.parcela(35, 21, amanha, emissao, 70.00, "S");                   // paid
    d.parcela(36, 20, terceiro, emissao, 80.00, "N", "S");            // cancelled
}

// The window opened as its button opens it, read to its end.
bool abreAVencerEEspera()
{
    FrmRobo::instancia().cmdProximos->click();
    return esperaLeituras() && FrmAVencer::carregada() && FrmAVencer::instancia().isVisible();
}

bool atualizaEEspera()
{
    FrmAVencer::instancia().cmdAtualizar->click();
    return esperaLeituras();
}

QString situacao() { return FrmAVencer::instancia().lblSituacao->text(); }

// The day-by-day table's cells drawn in red, as "row:column".
QStringList vermelhas()
{
    QStringList celulas;
    QTableWidget *t = FrmAVencer::instancia().tabelaDias;
    for (int r = 0; r < t->rowCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c)
            if (t->item(r, c)->foreground().color() == QColor(Qt::red))
                celulas << QStringLiteral("%1:%2").arg(r + 1).arg(c + 1);
    return celulas;
}

bool suspendeServidor(Backend b)
{
    return b == Backend::Servidor ? servidoresteste::suspendeFirebird() : servidoresteste::suspendePostgres();
}

int relatosDaJanela()
{
    int n = 0;
    for (const toolkit::MensagemMostrada &m : toolkit::mensagensMostradas())
        n += m.texto.endsWith(QStringLiteral("LOCAL: ORVO(CarregaAVencer)"));
    return n;
}
} // namespace

class TestAVencer : public QObject {
    Q_OBJECT

private slots:
    void init() { iniciaCaso(Hoje); }
    void cleanup()
    {
        servidoresteste::retomaServidores();
        bancodados::defineMilissegundosPorSegundo(1000);
        ambienteaviso::encerraPrograma();
    }

    // Tomorrow through the 7th day by default, ordered as the notice orders;
    // the 8th day once "Dias:" says 8; read afresh when opened again.
    void proximosDias_data() { linhasPorBackend(); }
    void proximosDias()
    {
        QFETCH(Backend, backend);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        // Asked for while a notice waits its turn: read after it, on the same queue.
        j.trmEsconde_Timer();
        j.cmdProximos->click();
        QVERIFY(Aplicacao::instancia().temPedido());
        QVERIFY(esperaLeituras());
        QVERIFY(FrmAVencer::carregada());
        FrmAVencer &v = FrmAVencer::instancia();
        QVERIFY(v.isVisible());
        QVERIFY(j.isVisible());
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("100,00"));
        QVERIFY2(toolkit::mensagensMostradas().empty(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas()[0].texto));

        QCOMPARE(v.windowTitle(), QStringLiteral("Contas a Vencer"));
        QCOMPARE(v.spnDias->value(), 7);
        QVERIFY(situacao().startsWith(QStringLiteral("De 09/12/2026 a 15/12/2026, atualizado às ")));
        QVERIFY(v.lidoEm().isValid());
        const QStringList colunas{"Código Detalhe", "Descrição do Pagamento", "Data Vencimento", "Valor", "Prov S/N"};
        QCOMPARE(v.receber().tabela.cabecalhos, colunas);
        QCOMPARE(v.pagar().tabela.cabecalhos, colunas);
        QCOMPARE(v.receber().titulo, QStringLiteral("Contas a Receber"));
        QCOMPARE(v.receber().tabela.linhas, (QList<QStringList>{{"12", "Ana Lima - Serviço", "09/12/2026", "49,50", "N"},
                                                         {"11", "Carlos Souza - Pedido 1", "09/12/2026", "200,50", "N"},
                                                         {"13", "Carlos Souza - Pedido 1", "15/12/2026", "1.000,00", "S"}}));
        QCOMPARE(v.receber().total, QStringLiteral("1.250,00"));
        QCOMPARE(v.pagar().tabela.linhas, (QList<QStringList>{{"30", "Distribuidora Sul - NF 10", "09/12/2026", "500,00", "N"},
                                                       {"31", "Aluguel - Loja", "11/12/2026", "1.500,00", "N"},
                                                       {"32", "Distribuidora Sul - NF 88", "15/12/2026", "25,25", "N"}}));
        QCOMPARE(v.pagar().total, QStringLiteral("2.025,25"));
        QCOMPARE(v.lblTotalPagar->text(), v.pagar().total);
        QCOMPARE(v.dias().cabecalhos,
                 (QStringList{"Dia", "A receber", "A pagar", "Saldo do dia", "Saldo acumulado"}));
        QCOMPARE(v.dias().linhas, (QList<QStringList>{{"09/12/2026", "250,00", "500,00", "-250,00", "-250,00"},
                                                      {"11/12/2026", "0,00", "1.500,00", "-1.500,00", "-1.750,00"},
                                                      {"15/12/2026", "1.000,00", "25,25", "974,75", "-775,25"}}));
        QCOMPARE(vermelhas(), (QStringList{"1:4", "1:5", "2:4", "2:5", "3:5"}));

        // One day more: the 8th comes in, and the running sum turns on it.
        v.spnDias->setValue(8);
        QVERIFY(atualizaEEspera());
        QVERIFY(situacao().startsWith(QStringLiteral("De 09/12/2026 a 16/12/2026")));
        QCOMPARE(v.receber().tabela.linhas.size(), 4);
        QCOMPARE(v.receber().tabela.linhas.last(), (QStringList{"14", "Carlos Souza - Pedido 1", "16/12/2026", "300,00", "N"}));
        QCOMPARE(v.pagar().tabela.linhas.last(), (QStringList{"34", "Aluguel - Loja", "16/12/2026", "60,00", "N"}));
        QCOMPARE(v.receber().total, QStringLiteral("1.550,00"));
        QCOMPARE(v.pagar().total, QStringLiteral("2.085,25"));
        QCOMPARE(v.dias().linhas.last(), (QStringList{"16/12/2026", "300,00", "60,00", "240,00", "-535,25"}));

        // Closed, changed in the database, opened again: read afresh.
        v.cmdFechar->click();
        QVERIFY(!v.isVisible());
        amb.dados().executa(QStringLiteral("UPDATE ContaDet SET Paga = 'S' WHERE CodContaDet IN (11, 31)"));
        QVERIFY(abreAVencerEEspera());
        QCOMPARE(v.receber().tabela.linhas.size(), 3);
        QCOMPARE(v.pagar().tabela.linhas.size(), 3);
        QCOMPARE(v.dias().linhas.at(0), (QStringList{"09/12/2026", "49,50", "500,00", "-450,50", "-450,50"}));
        QCOMPARE(v.dias().linhas.at(1), (QStringList{"15/12/2026", "1.000,00", "25,25", "974,75", "524,25"}));
        QCOMPARE(vermelhas(), (QStringList{"1:4", "1:5"}));
        QVERIFY(toolkit::mensagensMostradas().empty());
    }

    // "Dias:" goes from 1 to 60: 0 and 61 cannot be had; 1 is tomorrow alone,
    // 60 reaches the 60th day and not the 61st.
    void limitesDosDias_data()
    {
        QTest::addColumn<int>("pedido");
        QTest::addColumn<int>("dias");
        QTest::addColumn<QStringList>("codigos");
        QTest::newRow("1") << 1 << 1 << QStringList{"2"};
        QTest::newRow("0") << 0 << 1 << QStringList{"2"};
        QTest::newRow("60") << 60 << 60 << QStringList{"2", "3", "61"};
        QTest::newRow("61") << 61 << 60 << QStringList{"2", "3", "61"};
    }
    void limitesDosDias()
    {
        QFETCH(int, pedido);
        QFETCH(int, dias);
        QFETCH(QStringList, codigos);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        // Each instalment's code is its day after today.
        for (int dia : {0, 1, 2, 60, 61})
            d.parcela(dia + 1, 1, Hoje.addDays(dia), Hoje, 10.00 + dia);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(abreAVencerEEspera());
        FrmAVencer &v = FrmAVencer::instancia();
        QCOMPARE(v.spnDias->minimum(), 1);
        QCOMPARE(v.spnDias->maximum(), 60);
        v.spnDias->setValue(pedido);
        QCOMPARE(v.spnDias->value(), dias);
        QVERIFY(atualizaEEspera());
        QStringList lidos;
        for (const QStringList &linha : v.receber().tabela.linhas)
            lidos << linha.at(0);
        QCOMPARE(lidos, codigos);
        QCOMPARE(v.dias().linhas.size(), codigos.size());
        QCOMPARE(v.dias().linhas.last().at(0),
                 Hoje.addDays(codigos.last().toInt() - 1).toString(QStringLiteral("dd/MM/yyyy")));
    }

    // The window filled, then its reading fails (the file removed, the server
    // stopped): it says so in Portuguese, keeps nothing of what it showed,
    // stays open; where the database comes back, "Atualizar" reads again.
    void leituraQueFalha_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<QString>("frase");
        QTest::addColumn<bool>("volta");
        QTest::newRow("embutido, arquivo removido")
            << Backend::Embutido << "O arquivo do banco de dados ARQUIVO não existe" << false;
        const QString semResposta = QStringLiteral("O servidor do banco de dados não respondeu: ele está travado ou a "
                                                   "rede até ele caiu.");
        QTest::newRow("firebird, servidor parado") << Backend::Servidor << semResposta << true;
        QTest::newRow("postgresql/odbc, servidor parado") << Backend::Odbc << semResposta << true;
    }
    void leituraQueFalha()
    {
        QFETCH(Backend, backend);
        QFETCH(QString, frase);
        QFETCH(bool, volta);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        // Before the fixture's connection is closed, which waits for the server.
        const auto retoma = qScopeGuard([] { servidoresteste::retomaServidores(); });
        frase.replace(QStringLiteral("ARQUIVO"), amb.arquivoBanco());
        preencheDados(amb.dados());
        // The reading's deadline in tenths of seconds.
        bancodados::defineMilissegundosPorSegundo(100);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(abreAVencerEEspera());
        FrmAVencer &v = FrmAVencer::instancia();
        QCOMPARE(v.receber().tabela.linhas.size(), 3);

        if (backend == Backend::Embutido)
            QVERIFY(QFile::remove(amb.arquivoBanco()));
        else
            QVERIFY(suspendeServidor(backend));
        v.cmdAtualizar->click();
        QVERIFY(QTest::qWaitFor([] { return relatosDaJanela() == 1; }, 30000));
        QVERIFY(esperaLeituras());
        QVERIFY2(toolkit::mensagensMostradas().back().texto.startsWith(frase),
                 qPrintable(toolkit::mensagensMostradas().back().texto));
        QVERIFY(v.isVisible());
        QVERIFY2(situacao().startsWith(QStringLiteral("Não foi possível ler as contas às "))
                     && situacao().contains(frase),
                 qPrintable(situacao()));
        QVERIFY(v.receber().tabela.linhas.isEmpty());
        QVERIFY(v.pagar().tabela.linhas.isEmpty());
        QVERIFY(v.dias().linhas.isEmpty());
        QCOMPARE(v.tabelaRec->rowCount() + v.tabelaPag->rowCount() + v.tabelaDias->rowCount(), 0);
        QVERIFY(v.receber().total.isEmpty());
        QVERIFY(v.pagar().total.isEmpty());
        QVERIFY(!v.lidoEm().isValid());
        QCOMPARE(toolkit::apontador(), int(toolkit::ApontadorNormal));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());

        if (!volta)
            return;
        servidoresteste::retomaServidores();
        QVERIFY(atualizaEEspera());
        QCOMPARE(relatosDaJanela(), 1);
        QCOMPARE(v.receber().total, QStringLiteral("1.250,00"));
        QCOMPARE(v.dias().linhas.size(), 3);
        QVERIFY(situacao().startsWith(QStringLiteral("De 09/12/2026")));
    }
};

QTEST_MAIN(TestAVencer)
#include "tst_avencer.moc"
