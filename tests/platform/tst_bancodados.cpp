// Database access over Qt SQL: connection strings mapped onto drivers, and
// record sets that hand values back as they are.
#include "errors/ErroCorrente.h"
#include "platform/BancoDados.h"
#include "support/BancoTeste.h"

#include <QTemporaryDir>
#include <QTest>

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
        QTest::newRow("fonte ODBC") << "SQLVendas" << "QODBC" << "SQLVendas" << "";
        QTest::newRow("Jet") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d\\Dados\\Vendas.mdb;Persist Security Info=False"
                             << "QODBC" << "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=/d/Dados/Vendas.mdb;ReadOnly=1" << "";
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
