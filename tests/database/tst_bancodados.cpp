// Database access: connection strings mapped onto clients, record sets that
// hand values back as they are, texts in every character set of the sales
// systems, and readings that can never write.
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "database/firebird/RaizFirebird.h"
#include "support/BancoTeste.h"
#include "support/ServidoresTeste.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <utime.h>

using namespace bancodados;
using bancoteste::numeroDoErro;

namespace {
QStringList le(Registros &rs, const QString &campo)
{
    QStringList valores;
    for (; !rs.eof(); rs.moveNext())
        valores << rs.campo(campo).toString();
    return valores;
}

QString unico(const QString &sql, Conexao &c, const QString &campo)
{
    Registros rs;
    rs.abre(sql, c);
    return rs.eof() ? QString() : rs.campo(campo).toString();
}
} // namespace

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
        QTest::newRow("sem a marca") << "orvoaviso-superclassic-5" << QByteArray();
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

    // Texts come back exactly from a database in each character set the sales
    // systems use (NONE holding Windows-1252 bytes), embedded and through the
    // server, whole up to the column's length.
    void textosPorCharset_data()
    {
        QTest::addColumn<QString>("charset");
        QTest::addColumn<bool>("noServidor");
        for (const char *charset : {"NONE", "WIN1252", "ISO8859_1", "UTF8"})
            for (bool servidor : {false, true})
                QTest::addRow("%s %s", charset, servidor ? "servidor" : "embutido") << QString::fromLatin1(charset) << servidor;
    }
    void textosPorCharset()
    {
        QFETCH(QString, charset);
        QFETCH(bool, noServidor);
        if (noServidor)
            EXIGE_FIREBIRD();
        QTemporaryDir dir;
        const QString arquivo = bancoteste::criaBancoFirebird(dir.path(), QStringLiteral("VENDAS.FDB"), charset);
        // Latin-1 has neither the euro sign nor the dash.
        const QStringList textos{QStringLiteral("João"), QStringLiteral("Açougue Irmãos Müller"),
                                 QStringLiteral("Manutenção"),
                                 charset == QLatin1String("ISO8859_1") ? QStringLiteral("R$ 5,00 » promoção ½ © ü")
                                                                        : QStringLiteral("€ 5,00 – promoção")};
        // A UTF8 VARCHAR holds at most 8,191 characters (four bytes each).
        const int longo = charset == QLatin1String("UTF8") ? 8191 : 32000;
        const auto lit = [&](const QString &t) { return bancoteste::literalFirebird(t, charset); };
        QString script = QStringLiteral("CREATE TABLE Longo (Texto VARCHAR(%1));\nCOMMIT;\n").arg(longo);
        for (int i = 0; i < textos.size(); ++i)
            script += QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (%1, %2);\n").arg(i + 1).arg(lit(textos.at(i)));
        script += QStringLiteral("INSERT INTO Longo VALUES (RPAD(%1, %2, %3));\nCOMMIT;\n")
                      .arg(lit(QStringLiteral("Mã")))
                      .arg(longo)
                      .arg(lit(QStringLiteral("çã")));
        bancoteste::executaIsql(script, arquivo);

        Conexao c;
        c.abre(bancoteste::stringConexaoFirebird(noServidor ? servidoresteste::nomeNoServidor(arquivo) : arquivo));
        Registros rs;
        rs.abre(QStringLiteral("Select Cliente, Cast(Cliente As Char(30) Character Set %1) As Fixo From Cliente "
                               "Order By IDCliente").arg(charset),
                c);
        QStringList lidos, fixos;
        for (; !rs.eof(); rs.moveNext()) {
            lidos << rs.campo(QStringLiteral("Cliente")).toString();
            fixos << rs.campo(QStringLiteral("Fixo")).toString();
        }
        QCOMPARE(lidos, textos);
        for (int i = 0; i < textos.size(); ++i)
            QCOMPARE(fixos.at(i), textos.at(i).leftJustified(30)); // CHAR(30): padded to 30 characters
        const QString esperado = (QStringLiteral("Mã") + QStringLiteral("çã").repeated(longo / 2)).left(longo);
        QCOMPARE(unico(QStringLiteral("Select Texto From Longo"), c, QStringLiteral("Texto")), esperado);
    }

    // A write sent through the program's own connection is refused on every
    // backend, and nothing changes.
    void escritaRecusada_data()
    {
        QTest::addColumn<QString>("onde");
        QTest::addColumn<QString>("sql");
        const QStringList escritas{QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (2, 'Intruso')"),
                                   QStringLiteral("UPDATE Cliente SET Cliente = 'Intruso'"),
                                   QStringLiteral("DELETE FROM Cliente")};
        for (const char *onde : {"embutido", "servidor", "postgres"})
            for (const QString &sql : escritas)
                QTest::addRow("%s %s", onde, qPrintable(sql.section(u' ', 0, 0))) << QString::fromLatin1(onde) << sql;
    }
    void escritaRecusada()
    {
        QFETCH(QString, onde);
        QFETCH(QString, sql);
        QTemporaryDir dir;
        QString stringConexao;
        if (onde == QLatin1String("postgres")) {
            EXIGE_POSTGRES();
            QVERIFY(servidoresteste::recriaBancoPostgres());
            {
                bancoteste::Dados d(servidoresteste::conexaoEscritaPostgres(QStringLiteral("escrita-pg")));
                d.cliente(1, QStringLiteral("Ana"));
            }
            bancoteste::fechaConexao(QStringLiteral("escrita-pg"));
            stringConexao = QStringLiteral("SQLVendas");
        } else {
            if (onde == QLatin1String("servidor"))
                EXIGE_FIREBIRD();
            const QString arquivo = bancoteste::criaBancoFirebird(dir.path());
            bancoteste::executaIsql(QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (1, 'Ana');\nCOMMIT;\n"),
                                    arquivo);
            stringConexao = bancoteste::stringConexaoFirebird(
                onde == QLatin1String("servidor") ? servidoresteste::nomeNoServidor(arquivo) : arquivo);
        }
        Conexao c;
        c.abre(stringConexao);
        Registros rs;
        QVERIFY(numeroDoErro([&] { rs.abre(sql, c); }) != 0);
        QVERIFY(!erroCorrente().descricao.isEmpty());
        c.abre(stringConexao); // a fresh session sees only what was committed
        rs.abre(QStringLiteral("Select Cliente From Cliente"), c);
        QCOMPARE(le(rs, QStringLiteral("Cliente")), QStringList{QStringLiteral("Ana")});
    }
};

QTEST_GUILESS_MAIN(TestBancoDados)
#include "tst_bancodados.moc"
