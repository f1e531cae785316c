// Statements run on the connection's own thread: rows handed over in batches,
// errors while reading, record sets closed early, and statements started in
// advance for the next record set.
#include "errors/ErroCorrente.h"
#include "platform/BancoDados.h"
#include "support/BancoTeste.h"
#include "support/ServidoresTeste.h"

#include "platform/Firebird.h"
#include "platform/LinhaDoBanco.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace bancodados;
using bancoteste::numeroDoErro;

namespace {
// 1..n without any table: Firebird's recursive statements go up to 1024 levels.
QString sequencia(int n, const QString &coluna = QStringLiteral("I"))
{
    return QStringLiteral("With Recursive N (I) As (Select 1 From RDB$DATABASE Union All "
                          "Select I + 1 From N Where I < %1) Select %2 From N")
        .arg(n)
        .arg(coluna);
}

QString nomesDosClientes() { return QStringLiteral("Select Cliente From Cliente Order By IDCliente"); }

QStringList le(Registros &rs, const QString &campo)
{
    QStringList valores;
    for (; !rs.eof(); rs.moveNext())
        valores << rs.campo(campo).toString();
    return valores;
}

QStringList leTudo(const QString &sql, Conexao &c, const QString &campo, const QVariantList &parametros = {})
{
    Registros rs;
    rs.abre(sql, c, 0, 1, -1, parametros);
    return le(rs, campo);
}

// Statements started in advance may run on either of the connection's
// attachments: waits until each of these has been read.
void esperaAsAntecipadas(const Conexao &c, const QStringList &sqls, const QVariantList &parametros = {})
{
    QTRY_VERIFY(std::none_of(sqls.cbegin(), sqls.cend(),
                             [&](const QString &sql) { return c.emAndamento(sql, parametros); }));
}

QString conexaoAtual(const QString &resto = QString())
{
    return QStringLiteral("Select Current_Connection As C") + resto + QStringLiteral(" From RDB$DATABASE");
}
} // namespace

class TestLinhaDoBanco : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;
    QString banco;
    QString stringConexao;

    // A row written by another connection, as another workstation would.
    void novoCliente(int id, const QString &nome)
    {
        bancoteste::Dados(bancoteste::abreEscritaFirebird(banco, QStringLiteral("escrita"))).cliente(id, nome);
        bancoteste::fechaConexao(QStringLiteral("escrita"));
    }

private slots:
    void initTestCase()
    {
        banco = bancoteste::criaBancoFirebird(pasta.path());
        stringConexao = QStringLiteral("Provider=LCPI.IBProvider.1;Data Source=") + banco
            + QStringLiteral(";User ID=SYSDBA;Password=quillfern");
        novoCliente(1, QStringLiteral("Ana"));
    }

    // Every row, in order, whatever the count against the batch size.
    void linhasEmOrdem_data()
    {
        QTest::addColumn<int>("n");
        for (int n : {1, 2, 63, 64, 65, 128, 129, 1000})
            QTest::addRow("%d", n) << n;
    }
    void linhasEmOrdem()
    {
        QFETCH(int, n);
        Conexao c;
        c.abre(stringConexao);
        QStringList esperadas;
        for (int i = 1; i <= n; ++i)
            esperadas << QString::number(i);
        QCOMPARE(leTudo(sequencia(n), c, QStringLiteral("i")), esperadas);
    }

    // A failure on row k comes after rows 1..k-1 have been read, as it would
    // have reading row by row; on the first row it fails the open itself.
    void falhaNaLeituraDepoisDasLinhasAnteriores_data()
    {
        QTest::addColumn<int>("linhaComErro");
        for (int k : {1, 2, 64, 65, 70, 300})
            QTest::addRow("linha %d", k) << k;
    }
    void falhaNaLeituraDepoisDasLinhasAnteriores()
    {
        QFETCH(int, linhaComErro);
        Conexao c;
        c.abre(stringConexao);
        Registros rs;
        QStringList lidas;
        const long numero = numeroDoErro([&] {
            rs.abre(sequencia(400, QStringLiteral("I, 1 / (I - %1) As Q").arg(linhaComErro)), c);
            for (; !rs.eof(); rs.moveNext())
                lidas << rs.campo(QStringLiteral("I")).toString();
        });
        QCOMPARE(numero, -802L); // Firebird's arithmetic exception
        QCOMPARE(lidas.size(), linhaComErro - 1);
        if (!lidas.isEmpty())
            QCOMPARE(lidas.last(), QString::number(linhaComErro - 1));
        QVERIFY(rs.eof());
        // The connection goes on serving statements.
        QCOMPARE(leTudo(sequencia(3), c, QStringLiteral("I")), QStringList({"1", "2", "3"}));
    }

    // Closed after one row: the rest is not waited for, the next statement
    // runs, and a connection let go in the middle of a reading ends cleanly.
    void fechadoAntesDoFim()
    {
        Conexao c;
        c.abre(stringConexao);
        Registros rs;
        rs.abre(sequencia(1000), c);
        QCOMPARE(rs.campo(QStringLiteral("I")).toInt(), 1);
        rs.fecha();
        QVERIFY(rs.eof());
        QVERIFY_THROWS_EXCEPTION(ErroSistema, rs.campo(QStringLiteral("I")));
        QCOMPARE(leTudo(sequencia(2), c, QStringLiteral("I")), QStringList({"1", "2"}));

        auto outra = std::make_unique<Conexao>();
        outra->abre(stringConexao);
        Registros aberto;
        aberto.abre(sequencia(1000), *outra);
        outra.reset();
        QCOMPARE(aberto.campo(QStringLiteral("I")).toInt(), 1);
    }

    // A statement started in advance is taken by the record set that opens it:
    // its rows are those of the moment it started.
    void antecipadaETomadaPeloProximo()
    {
        Conexao c;
        c.abre(stringConexao);
        c.antecipa(nomesDosClientes());
        esperaAsAntecipadas(c, {nomesDosClientes()});
        leTudo(sequencia(1), c, QStringLiteral("I")); // another statement in between leaves it waiting
        novoCliente(2, QStringLiteral("Bruno"));
        QCOMPARE(leTudo(nomesDosClientes(), c, QStringLiteral("Cliente")), QStringList({"Ana"}));
        // Taken once: the same statement again reads afresh.
        QCOMPARE(leTudo(nomesDosClientes(), c, QStringLiteral("Cliente")), QStringList({"Ana", "Bruno"}));
    }

    // Statements passed over, and those waiting when the connection reopens,
    // are dropped: no record set ever gets rows older than its own open.
    void antecipadasPuladasOuDeAntesDaReaberturaSaoDescartadas()
    {
        Conexao c;
        c.abre(stringConexao);
        const QString contagem = QStringLiteral("Select Count(*) As N From Cliente");
        c.antecipa(nomesDosClientes());
        c.antecipa(contagem);
        c.antecipa(contagem); // already waiting: nothing more
        esperaAsAntecipadas(c, {nomesDosClientes(), contagem});
        novoCliente(3, QStringLiteral("Carla"));
        QCOMPARE(leTudo(contagem, c, QStringLiteral("N")), QStringList({"2"}));
        QCOMPARE(leTudo(nomesDosClientes(), c, QStringLiteral("Cliente")),
                 QStringList({"Ana", "Bruno", "Carla"}));

        c.antecipa(contagem);
        esperaAsAntecipadas(c, {contagem});
        novoCliente(4, QStringLiteral("Davi"));
        c.reabre();
        QCOMPARE(leTudo(contagem, c, QStringLiteral("N")), QStringList({"4"}));
    }

    // A statement started in advance while another one still runs is read on
    // the connection's second attachment; a record set's own statement runs
    // on the first.
    void antecipadaAoLadoDaOutra()
    {
        Conexao c;
        c.abre(stringConexao);
        const QString longa = conexaoAtual(QStringLiteral(", (Select Count(*) From RDB$FIELDS A, RDB$FIELDS B) As N"));
        c.antecipa(longa);
        c.antecipa(conexaoAtual());
        const QString primeira = leTudo(longa, c, QStringLiteral("C")).value(0);
        const QString segunda = leTudo(conexaoAtual(), c, QStringLiteral("C")).value(0);
        QVERIFY(!primeira.isEmpty() && !segunda.isEmpty());
        QVERIFY(primeira != segunda);
        QCOMPARE(leTudo(conexaoAtual(), c, QStringLiteral("C")), QStringList{primeira});
    }

    // A statement refused when started in advance is refused when opened,
    // with the provider's number, and nothing is started on a closed connection.
    void antecipadaRecusada()
    {
        Conexao c;
        c.antecipa(nomesDosClientes());
        Registros rs;
        QCOMPARE(numeroDoErro([&] { rs.abre(nomesDosClientes(), c); }), long(ErroOperacaoNaoPermitida));

        c.abre(stringConexao);
        const QString errada = QStringLiteral("Select X From TabelaQueNaoExiste");
        c.antecipa(errada);
        QCOMPARE(numeroDoErro([&] { rs.abre(errada, c); }), -204L);
    }

    // A statement started in advance for one day is taken only by a reading of
    // the same day; the day goes as a date and comes back as one.
    void antecipadaSoParaOMesmoDia()
    {
        Conexao c;
        c.abre(stringConexao);
        const QString doDia = QStringLiteral("Select Count(*) As N, Cast(? As Date) As Dia From Cliente");
        const QDate hoje(2026, 8, 25), amanha(2026, 8, 26);
        const int antes = leTudo(QStringLiteral("Select Count(*) As N From Cliente"), c, QStringLiteral("N")).at(0).toInt();
        c.antecipa(doDia, {hoje});
        esperaAsAntecipadas(c, {doDia}, {hoje});
        novoCliente(50, QStringLiteral("Elis"));
        // Another day reads afresh, and leaves the one of today waiting.
        QCOMPARE(leTudo(doDia, c, QStringLiteral("N"), {amanha}), QStringList{QString::number(antes + 1)});
        Registros rs;
        rs.abre(doDia, c, 0, 1, -1, {hoje});
        QCOMPARE(rs.campo(QStringLiteral("N")).toInt(), antes);
        QCOMPARE(rs.campo(QStringLiteral("Dia")).toDate(), hoje);
    }

    // A statement that would run for hours is cancelled from another thread:
    // it fails with Firebird's cancellation, and the attachment goes on.
    void comandoCanceladoDeOutraThread()
    {
        using namespace bancodados::firebird;
        Anexo anexo(banco, QStringLiteral("SYSDBA"), QStringLiteral("quillfern"));
        std::atomic<bool> fim{false};
        std::thread cancela([&] {
            // Again and again, in case the first comes before the statement runs.
            for (int i = 0; i < 100 && !fim; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                anexo.cancelaOperacao();
            }
        });
        const long numero = numeroDoErro([&] {
            Transacao t(anexo);
            Comando longo(anexo, t, QStringLiteral("Select Count(*) As N From RDB$FIELDS A, RDB$FIELDS B, "
                                                   "RDB$FIELDS C, RDB$FIELDS D"));
            Linha linha;
            longo.proxima(linha);
        });
        fim = true;
        cancela.join();
        QCOMPARE(numero, -901L);
        QVERIFY2(erroCorrente().descricao.contains(QStringLiteral("cancel")), qPrintable(erroCorrente().descricao));
        Transacao t(anexo);
        Comando curto(anexo, t, sequencia(2));
        Linha linha;
        QVERIFY(curto.proxima(linha));
        QCOMPARE(linha.at(0).toInt(), 1);
    }

    // The program's immediate end waits for the call inside the embedded
    // engine to leave it, and lets no other one in after it.
    void fimEsperaOMotor()
    {
        using namespace bancodados::firebird;
        Anexo anexo(banco, QStringLiteral("SYSDBA"), QStringLiteral("quillfern"));
        std::atomic<int> etapa{0};
        std::thread leitor([&] {
            Transacao t(anexo);
            Comando longo(anexo, t, QStringLiteral("Select Count(*) From RDB$FIELDS A, RDB$FIELDS B, RDB$FIELDS C"));
            etapa = 1;
            Linha linha;
            longo.proxima(linha); // counts for about a second
            etapa = 2;
            Comando(anexo, t, sequencia(1)); // kept out while the gate is closed
            etapa = 3;
        });
        // A failed check still lets the reader finish before the test ends.
        const auto solta = qScopeGuard([&] {
            reabreMotor();
            if (leitor.joinable())
                leitor.join();
        });
        QTRY_COMPARE(etapa.load(), 1);
        QTest::qWait(100);
        QVERIFY(!fechaMotor(50));
        QCOMPARE(etapa.load(), 1);
        QVERIFY(fechaMotor(60000));
        // The reader has left the engine; it marks so just after.
        QTRY_COMPARE(etapa.load(), 2);
        QTest::qWait(100);
        QCOMPARE(etapa.load(), 2);
        reabreMotor();
        leitor.join();
        QCOMPARE(etapa.load(), 3);
    }

    // A server that takes the connection and never answers: the attachment
    // gives up after the wait it was given.
    void esperaDaConexaoLimitada()
    {
        const servidoresteste::PortaMuda muda; // the kernel completes the handshake; nobody ever answers
        QVERIFY(muda.pronta());
        const QString nome = QStringLiteral("127.0.0.1/%1:/nada/VENDAS.FDB").arg(muda.porta());
        const long numero = numeroDoErro([&] {
            bancodados::firebird::Anexo(nome, QStringLiteral("SYSDBA"), QStringLiteral("quillfern"), 1);
        });
        // Firebird's "connection rejected by remote interface" (without the
        // wait the client would sit for the engine's 180 s).
        QCOMPARE(numero, -923L);
        QVERIFY(!erroCorrente().descricao.isEmpty());
    }

    // Last: the process's end cannot be undone. A line given up while hung
    // that comes back then stops before touching its client again (and never
    // runs its last task); any other line goes on.
    void linhaAbandonadaParaNoFimDoProcesso()
    {
        using bancodados::LinhaDoBanco;
        std::atomic<bool> presa{false}, solta{false}, passou{false}, ultima{false}, outraPassou{false};
        auto linha = std::make_unique<LinhaDoBanco>();
        linha->envia([&] {
            presa = true;
            while (!solta)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const bancodados::TrechoDoCliente trecho;
            passou = true;
        });
        QTRY_VERIFY(presa);
        LinhaDoBanco::abandona(std::move(linha), [&] { ultima = true; });
        LinhaDoBanco outra;
        bancodados::iniciaFimDoProcesso();
        solta = true;
        outra.executa([&] {
            const bancodados::TrechoDoCliente trecho;
            outraPassou = true;
        });
        QVERIFY(outraPassou);
        QTest::qWait(300);
        QVERIFY(!passou);
        QVERIFY(!ultima);
    }
};

QTEST_GUILESS_MAIN(TestLinhaDoBanco)
#include "tst_linhadobanco.moc"
