// Statements run on the connection's own thread: rows handed over in batches,
// errors while reading, record sets closed early, and the window's requests,
// answered on its own thread.
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "support/BancoTeste.h"
#include "support/ServidoresTeste.h"

#include "database/firebird/Firebird.h"
#include "database/LinhaDoBanco.h"

#include <QScopeGuard>
#include <QThread>
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

// What a request told the window's thread, in order: each row's field
// ("0:1": statement 0, value 1), each statement's end ("fim 0"), then
// "concluído" or the error's number.
struct Relato {
    QStringList eventos;
    bool acabou = false;
    bool foraDaThread = false; // an answer came on another thread
};

Pedido pedidoRelatado(const std::shared_ptr<Relato> &r, std::vector<Instrucao> instrucoes, const QString &campo)
{
    const auto naThread = [r] {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            r->foraDaThread = true;
    };
    Pedido p;
    p.instrucoes = std::move(instrucoes);
    p.aoLer = [r, campo, naThread](int i, const QStringList &colunas, std::deque<Linha> &linhas) {
        naThread();
        Registros rs(colunas, linhas);
        for (; !rs.eof(); rs.moveNext()) {
            const QVariant v = rs.campo(campo);
            r->eventos << QStringLiteral("%1:%2").arg(i).arg(v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate)
                                                                                                 : v.toString());
        }
    };
    p.aoTerminar = [r, naThread](int i) {
        naThread();
        r->eventos << QStringLiteral("fim %1").arg(i);
    };
    p.aoConcluir = [r, naThread] {
        naThread();
        r->eventos << QStringLiteral("concluído");
        r->acabou = true;
    };
    p.aoFalhar = [r, naThread](const Falha &f) {
        naThread();
        r->eventos << QStringLiteral("erro %1").arg(f.numero);
        r->acabou = true;
    };
    return p;
}

QStringList linhasDe(int instrucao, int n)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << QStringLiteral("%1:%2").arg(instrucao).arg(i);
    return l;
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

    // A request's answers come on the window's thread, in the order read:
    // every row across batches, each statement's end, then its end or the
    // error that stopped it (and nothing after that).
    void pedido_data()
    {
        QTest::addColumn<bool>("abrir");
        QTest::addColumn<QStringList>("sqls");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QStringList>("esperado");
        const QStringList fim0 = {QStringLiteral("fim 0")}, fim1 = {QStringLiteral("fim 1")};
        const QStringList concluido = {QStringLiteral("concluído")};
        QTest::newRow("duas instruções em lotes")
            << true << QStringList{sequencia(65), sequencia(2)} << "I"
            << linhasDe(0, 65) + fim0 + linhasDe(1, 2) + fim1 + concluido;
        QTest::newRow("nenhuma linha") << true << QStringList{sequencia(1) + QStringLiteral(" Where I > 1")} << "I"
                                       << fim0 + concluido;
        QTest::newRow("recusada depois da primeira")
            << true << QStringList{sequencia(2), QStringLiteral("Select X From TabelaQueNaoExiste"), sequencia(2)} << "I"
            << linhasDe(0, 2) + fim0 + QStringList{QStringLiteral("erro -204")};
        QTest::newRow("falha na linha 3") << true << QStringList{sequencia(5, QStringLiteral("I, 1 / (I - 3) As Q"))}
                                          << "I" << linhasDe(0, 2) + QStringList{QStringLiteral("erro -802")};
        QTest::newRow("dia como data") << true << QStringList{QStringLiteral("Select Cast(? As Date) As Dia From RDB$DATABASE")}
                                       << "Dia" << QStringList{QStringLiteral("0:2026-08-25")} + fim0 + concluido;
        QTest::newRow("conexão nunca aberta") << false << QStringList{sequencia(1)} << "I"
                                              << QStringList{QStringLiteral("erro %1").arg(ErroOperacaoNaoPermitida)};
    }
    void pedido()
    {
        QFETCH(bool, abrir);
        QFETCH(QStringList, sqls);
        QFETCH(QString, campo);
        QFETCH(QStringList, esperado);
        Conexao c;
        if (abrir)
            c.abre(stringConexao);
        std::vector<Instrucao> instrucoes;
        for (const QString &sql : sqls)
            instrucoes.push_back({sql, sql.contains(u'?') ? QVariantList{QDate(2026, 8, 25)} : QVariantList{}});
        auto relato = std::make_shared<Relato>();
        c.envia(pedidoRelatado(relato, instrucoes, campo));
        QVERIFY(c.lendo());
        // Nothing is answered inside the call: only from the event loop.
        QVERIFY(relato->eventos.isEmpty());
        QTRY_VERIFY(relato->acabou);
        QVERIFY(!c.lendo());
        QTest::qWait(50);
        QCOMPARE(relato->eventos, esperado);
        QVERIFY(!relato->foraDaThread);
        // The connection serves the next request.
        if (abrir) {
            auto proximo = std::make_shared<Relato>();
            c.envia(pedidoRelatado(proximo, {{sequencia(1), {}}}, QStringLiteral("I")));
            QTRY_VERIFY(proximo->acabou);
            QCOMPARE(proximo->eventos, linhasDe(0, 1) + QStringList({QStringLiteral("fim 0"), QStringLiteral("concluído")}));
        }
    }

    // One request at a time: a second one while the first runs is refused
    // and the first is answered whole. A request that re-opens the connection
    // reads on a new attachment, with what was written meanwhile.
    void umPedidoPorVezEReabertura()
    {
        Conexao c;
        c.abre(stringConexao);
        const QString contagem = QStringLiteral("Select Count(*) As N From Cliente");
        const QString longa = conexaoAtual(QStringLiteral(", (Select Count(*) From RDB$FIELDS A, RDB$FIELDS B) As N"));
        auto primeiro = std::make_shared<Relato>();
        auto segundo = std::make_shared<Relato>();
        c.envia(pedidoRelatado(primeiro, {{longa, {}}}, QStringLiteral("C")));
        c.envia(pedidoRelatado(segundo, {{contagem, {}}}, QStringLiteral("N")));
        QTRY_VERIFY(primeiro->acabou && segundo->acabou);
        QCOMPARE(segundo->eventos, QStringList{QStringLiteral("erro %1").arg(ErroOperacaoNaoPermitida)});
        QCOMPARE(primeiro->eventos.size(), 3);
        const QString anexo = primeiro->eventos.at(0);

        const int antes = leTudo(contagem, c, QStringLiteral("N")).at(0).toInt();
        novoCliente(60, QStringLiteral("Fábio"));
        auto reaberto = std::make_shared<Relato>();
        Pedido p = pedidoRelatado(reaberto, {{conexaoAtual(), {}}, {contagem, {}}}, QStringLiteral("C"));
        p.reabre = true;
        const auto aoLer = p.aoLer;
        p.aoLer = [reaberto, aoLer](int i, const QStringList &colunas, std::deque<Linha> &linhas) {
            if (i == 1)
                reaberto->eventos << QStringLiteral("N=") + Registros(colunas, linhas).campo(QStringLiteral("N")).toString();
            else
                aoLer(i, colunas, linhas);
        };
        c.envia(std::move(p));
        QVERIFY(!c.aberta());
        QTRY_VERIFY(reaberto->acabou);
        QVERIFY(c.aberta());
        QCOMPARE(reaberto->eventos.size(), 5);
        QVERIFY(reaberto->eventos.at(0) != anexo);
        QCOMPARE(reaberto->eventos.at(2), QStringLiteral("N=%1").arg(antes + 1));
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
