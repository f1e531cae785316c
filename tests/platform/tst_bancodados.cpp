// Database access over Qt SQL: connection strings mapped onto drivers, and
// record sets that hand values back as they are.
#include "errors/ErroCorrente.h"
#include "platform/BancoDados.h"
#include "platform/RaizFirebird.h"
#include "support/BancoTeste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <utime.h>

using namespace bancodados;
using bancoteste::numeroDoErro;

class TestBancoDados : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;
    QString banco;

private slots:
    void initTestCase()
    {
        banco = bancoteste::criaBancoFirebird(pasta.path());
        bancoteste::Dados d(bancoteste::abreEscritaFirebird(banco, QStringLiteral("escrita")));
        d.cliente(1, QStringLiteral("João"));
        d.plano(1, QStringLiteral("Manutenção"));
        d.conta(1, "R", 1, {}, {}, QVariant());
        d.parcela(1, 1, QDate(2026, 12, 8), QDate(2026, 11, 30), 1234.56);
        bancoteste::fechaConexao(QStringLiteral("escrita"));
    }

    void interpreta_data()
    {
        QTest::addColumn<QString>("stringConexao");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("usuario");
        QTest::newRow("LCPI local")
            << " provider=LCPI.IBProvider.1;data source=/dados\\VENDAS.FDB ; user id=sysdba;password=quillfern; ctype=none;auto_commit=true;Persist Security Info=True"
            << "QIBASE" << "/dados/VENDAS.FDB" << "sysdba";
        QTest::newRow("LCPI no servidor")
            << " provider=LCPI.IBProvider.1;data source=10.0.0.5/3051:/dados\\VENDAS.FDB ; user id=sysdba;password=quillfern"
            << "QIBASE" << "10.0.0.5/3051:/dados/VENDAS.FDB" << "sysdba";
        QTest::newRow("ibole") << " Provider=ibole.Provider.v4;Persist Security Info=False;Data Source=srv:/d\\VENDAS.FDB"
                               << "QIBASE" << "srv:/d/VENDAS.FDB" << "";
        QTest::newRow("pasta com ; e data source=")
            << " provider=LCPI.IBProvider.1;data source=/d/loja;data source=/outra\\VENDAS.FDB ; user id=sysdba;password=quillfern; ctype=none"
            << "QIBASE" << "/d/loja;data source=/outra/VENDAS.FDB" << "sysdba";
        QTest::newRow("pasta com =, aspas e user id")
            << " provider=LCPI.IBProvider.1;data source=/d/\"a=b\" 'c'; user id=x\\VENDAS.FDB ; user id=sysdba;password=quillfern"
            << "QIBASE" << "/d/\"a=b\" 'c'; user id=x/VENDAS.FDB" << "sysdba";
        QTest::newRow("ibole, pasta com ;") << " Provider=ibole.Provider.v4;Persist Security Info=False;Data Source=/d/loja;2\\VENDAS.FDB"
                               << "QIBASE" << "/d/loja;2/VENDAS.FDB" << "";
        QTest::newRow("fonte ODBC") << "SQLVendas" << "QODBC" << "SQLVendas" << "";
        QTest::newRow("Jet") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d\\Dados\\Vendas.mdb;Persist Security Info=False"
                             << "QODBC" << "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=/d/Dados/Vendas.mdb;ReadOnly=1" << "";
        QTest::newRow("Jet, pasta com ; e chaves") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/a;b}\\Dados\\Vendas.mdb;Persist Security Info=False"
                             << "QODBC" << "DRIVER={Microsoft Access Driver (*.mdb)};DBQ={/d/a;b}}/Dados/Vendas.mdb};ReadOnly=1" << "";
    }
    void interpreta()
    {
        QFETCH(QString, stringConexao);
        QFETCH(QString, driver);
        QFETCH(QString, nome);
        QFETCH(QString, usuario);
        const Destino d = interpretaStringConexao(stringConexao);
        QCOMPARE(d.driver, driver);
        QCOMPARE(d.banco, nome);
        QCOMPARE(d.usuario, usuario);
    }

    // A file copied from Windows keeps its name in another case; the folders
    // named before it are taken as written.
    void arquivoEmOutraCaixa_data()
    {
        QTest::addColumn<QString>("existe");
        QTest::addColumn<QString>("pedido");
        QTest::addColumn<int>("componentes");
        QTest::addColumn<QString>("achado");
        QTest::newRow("como escrito") << "VENDAS.FDB" << "VENDAS.FDB" << 1 << "VENDAS.FDB";
        QTest::newRow("minúsculas") << "vendas.fdb" << "VENDAS.FDB" << 1 << "vendas.fdb";
        QTest::newRow("misturado") << "Vendas.Fdb" << "VENDAS.FDB" << 1 << "Vendas.Fdb";
        QTest::newRow("nenhum") << "outro.fdb" << "VENDAS.FDB" << 1 << "VENDAS.FDB";
        QTest::newRow("Access, pasta e arquivo") << "dados/VENDAS.MDB" << "Dados/Vendas.mdb" << 2 << "dados/VENDAS.MDB";
        QTest::newRow("pasta de dados não é procurada") << "LOJA/VENDAS.FDB" << "loja/VENDAS.FDB" << 1 << "loja/VENDAS.FDB";
    }
    void arquivoEmOutraCaixa()
    {
        QFETCH(QString, existe);
        QFETCH(QString, pedido);
        QFETCH(int, componentes);
        QFETCH(QString, achado);
        QTemporaryDir raiz;
        const QDir dir(raiz.path());
        QVERIFY(dir.mkpath(QFileInfo(existe).path()));
        QFile f(dir.filePath(existe));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(caminhoExistente(dir.filePath(pedido), componentes), dir.filePath(achado));
    }

    // The program's Firebird root is made again when a file went missing or
    // changed, and the halves that killed starts left beside it go.
    void raizFirebirdSeRefaz_data()
    {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QByteArray>("conteudo"); // null: removed
        QTest::newRow("sem os conjuntos de caracteres") << "intl/libfbintl.so" << QByteArray();
        QTest::newRow("conjuntos de caracteres vazios") << "intl/libfbintl.so" << QByteArray("");
        QTest::newRow("sem fbintl.conf") << "intl/fbintl.conf" << QByteArray();
        QTest::newRow("sem firebird.conf") << "firebird.conf" << QByteArray();
        QTest::newRow("firebird.conf de outro modo") << "firebird.conf" << QByteArray("ServerMode = Super\n");
        QTest::newRow("sem firebird.msg") << "firebird.msg" << QByteArray();
        QTest::newRow("sem a marca") << "orvoaviso-superclassic-1" << QByteArray();
    }
    void raizFirebirdSeRefaz()
    {
        QFETCH(QString, arquivo);
        QFETCH(QByteArray, conteudo);
        QTemporaryDir pasta;
        const QString raiz = pasta.filePath(QStringLiteral("firebird"));
        QVERIFY(bancodados::preparaRaizEm(raiz));
        const QString caminho = raiz + u'/' + arquivo;
        const qint64 tamanho = QFileInfo(caminho).size();
        QFile::remove(caminho);
        if (!conteudo.isNull()) {
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(conteudo);
        }
        const QString antiga = pasta.filePath(QStringLiteral("firebird.tmp-morta"));
        const QString nova = pasta.filePath(QStringLiteral("firebird.tmp-em-uso"));
        QVERIFY(QDir().mkpath(antiga + QStringLiteral("/intl")) && QDir().mkpath(nova));
        const time_t horaAtras = time(nullptr) - 3600;
        const struct utimbuf velha {horaAtras, horaAtras};
        QCOMPARE(::utime(QFile::encodeName(antiga).constData(), &velha), 0);

        QVERIFY(bancodados::preparaRaizEm(raiz));
        QVERIFY(QFileInfo::exists(caminho));
        QCOMPARE(QFileInfo(caminho).size(), tamanho);
        QVERIFY(!QFileInfo::exists(antiga));
        QVERIFY(QFileInfo::exists(nova)); // perhaps another program's, being made right now
        QCOMPARE(QDir(pasta.path()).entryList({QStringLiteral("firebird.*")}, QDir::Dirs).size(), 1);
    }

    void provedorDesconhecido()
    {
        QCOMPARE(numeroDoErro([] { interpretaStringConexao(QStringLiteral("Provider=SQLOLEDB;Data Source=x")); }),
                 long(ErroProvedorNaoEncontrado));
        QVERIFY(erroCorrente().descricao.contains(QStringLiteral("SQLOLEDB")));
    }

    void valoresComoSao()
    {
        Conexao c;
        c.abre(QStringLiteral(" provider=LCPI.IBProvider.1;data source=") + pasta.path()
               + QStringLiteral("\\VENDAS.FDB ; user id=sysdba;password=quillfern; ctype=none"));
        Registros rs;
        rs.abre(QStringLiteral("Select F.Cliente as NomeRazao, c.Descricao as Nome, D.DataVcto, D.ValorParcela, "
                               "D.Documento From Conta C Inner Join ContaDet D On C.CodConta = D.CodConta "
                               "Inner Join Cliente F On F.IDCliente = C.IDCliente"),
                c);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.campo(QStringLiteral("nomerazao")).toString(), QStringLiteral("João"));
        QCOMPARE(rs.campo(QStringLiteral("NOMERAZAO")).toString(), QStringLiteral("João"));
        QVERIFY(rs.campo(QStringLiteral("Nome")).isNull());
        QCOMPARE(rs.campo(QStringLiteral("DataVcto")).toDate(), QDate(2026, 12, 8));
        QCOMPARE(rs.campo(QStringLiteral("VALORPARCELA")).typeId(), int(QMetaType::Double));
        QCOMPARE(rs.campo(QStringLiteral("ValorParcela")).toDouble(), 1234.56);
        QVERIFY(rs.campo(QStringLiteral("Documento")).isNull());
        QCOMPARE(numeroDoErro([&] { rs.campo(QStringLiteral("NaoExiste")); }), long(ErroItemNaoEncontrado));
        rs.moveNext();
        QVERIFY(rs.eof());
        rs.fecha();

        rs.abre(QStringLiteral("Select Conta From PlanoConta"), c);
        QCOMPARE(rs.campo(QStringLiteral("Conta")).toString(), QStringLiteral("Manutenção"));
        rs.fecha();
        rs.abre(QStringLiteral("Select * From Cliente Where IDCliente = 99"), c);
        QVERIFY(rs.eof());
    }

    void falhasLevantamErro()
    {
        Conexao c;
        QVERIFY(numeroDoErro([&] { c.abre(QStringLiteral(" provider=LCPI.IBProvider.1;data source=/nao/existe\\VENDAS.FDB ; user id=sysdba;password=quillfern")); }) != 0);
        QVERIFY(!erroCorrente().descricao.isEmpty());
        QVERIFY(!c.aberta());
        Registros rs;
        QCOMPARE(numeroDoErro([&] { rs.abre(QStringLiteral("Select 1 From RDB$DATABASE"), c); }),
                 long(ErroOperacaoNaoPermitida));

        c.abre(QStringLiteral(" provider=LCPI.IBProvider.1;data source=") + pasta.path()
               + QStringLiteral("\\VENDAS.FDB ; user id=sysdba;password=quillfern"));
        const long numero = numeroDoErro([&] { rs.abre(QStringLiteral("Select Coluna From TabelaQueNaoExiste"), c); });
        QCOMPARE(numero, -204L); // Firebird's own number for an unknown table
        QVERIFY(erroCorrente().descricao.contains(QStringLiteral("TABELAQUENAOEXISTE")));
    }
};

QTEST_GUILESS_MAIN(TestBancoDados)
#include "tst_bancodados.moc"
