// The private database servers the tests run against: the Firebird server
// reached by QIBASE with a "127.0.0.1/PORT:path" name, with its own SYSDBA
// password, sharing its files with embedded engines, serving a read-only
// database, going down and coming back; the PostgreSQL cluster behind the ODBC
// data sources "SQLVendas" and "SQLVendasLeitor" (a role that may only read);
// the payables statement of the notice running unchanged on both servers.
#include "notice/ConsultasContas.h"
#include "database/BancoDados.h"
#include "startup/Configuracao.h"
#include "support/BancoTeste.h"
#include "support/ServidoresTeste.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

const QString Usuario = QStringLiteral("sysdba");
const QString Senha = QStringLiteral("quillfern");
const QString NomeComAcentos = QStringLiteral("Açougue Irmãos Müller");

QSqlDatabase abreFirebirdNoServidor(const QString &arquivo, const QString &nomeConexao,
                                    const QString &usuario = Usuario, const QString &senha = Senha)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), nomeConexao);
    db.setDatabaseName(servidoresteste::nomeNoServidor(arquivo));
    db.setUserName(usuario);
    db.setPassword(senha);
    db.open();
    return db;
}

QSqlDatabase abreDsn(const QString &dsn, const QString &nomeConexao)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nomeConexao);
    db.setDatabaseName(dsn);
    db.open();
    return db;
}

// The first column of the first row, or an invalid value when the query fails.
QVariant valorUnico(const QSqlDatabase &db, const QString &sql, QString *erro = nullptr)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(sql) || !q.next()) {
        if (erro)
            *erro = q.lastError().text();
        return QVariant();
    }
    return q.value(0);
}

// Runs a Firebird tool embedded with the server's root and lock folder; the
// empty text on success, otherwise what it said.
QString rodaCompartilhado(const QString &programa, const QStringList &argumentos, const QString &entrada = QString())
{
    QProcess processo;
    processo.setProcessEnvironment(servidoresteste::ambienteFirebirdCompartilhado());
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start(programa, argumentos);
    if (!processo.waitForStarted(10000))
        return programa + QStringLiteral(" não iniciou");
    processo.write(entrada.toUtf8());
    processo.closeWriteChannel();
    if (!processo.waitForFinished(60000))
        return programa + QStringLiteral(" não terminou");
    const QString saida = QString::fromUtf8(processo.readAll()).trimmed();
    if (processo.exitCode() != 0)
        return saida.isEmpty() ? programa + QStringLiteral(" falhou") : saida;
    return QString();
}

QString isqlCompartilhado(const QString &banco, const QString &script)
{
    return rodaCompartilhado(QStringLiteral("isql-fb"),
                             {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-ch"), QStringLiteral("UTF8"),
                              QStringLiteral("-user"), QStringLiteral("SYSDBA"), banco},
                             script);
}

// A payable as the statement must return it.
struct Pagar {
    int codContaDet;
    QString nomeRazao;
    QVariant nome;
    double valor;
    QVariant provisionado;
    QVariant banco;
    QVariant contaTipo;
};

// Payables of one day: two supplier accounts and three chart-of-accounts ones,
// with rows the statement leaves out (another day, paid, cancelled, receivable).
void preenche(bancoteste::Dados &dados, const QDate &hoje)
{
    dados.executa(QStringLiteral("INSERT INTO Banco (idBanco, Nome) VALUES (1, 'Banco do Brasil')"));
    dados.executa(QStringLiteral("INSERT INTO Agencia (idAgencia, idBanco) VALUES (1, 1)"));
    dados.executa(QStringLiteral("INSERT INTO ContaMovimento (idContaMov, idAgencia, NumContaCor) VALUES (1, 1, '12345-6')"));
    dados.executa(QStringLiteral("INSERT INTO ContaGrupo (idContaGrupo, Grupo) VALUES (1, 'Despesas fixas')"));
    dados.executa(QStringLiteral("INSERT INTO CONTATIPO (IDCONTATIPO, TIPO) VALUES (1, 'Boleto')"));
    dados.cliente(1, NomeComAcentos);
    dados.fornecedor(1, QStringLiteral("Gráfica Avenida"));
    dados.fornecedor(2, QStringLiteral("Distribuidora Paraná Ltda"));
    dados.plano(1, QStringLiteral("Energia elétrica"));
    dados.plano(2, QStringLiteral("Aluguel"));
    const QString conta = QStringLiteral(
        "INSERT INTO Conta (CodConta, PR, IDCliente, idFornecedor, idPlano, idContaGrupo, IDCONTATIPO, "
        "Descricao, QTPARCELA, idNFEntrada) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1, ?)");
    const QVariant nulo;
    dados.executa(conta, {10, QStringLiteral("P"), nulo, 1, nulo, 1, 1, QStringLiteral("Papel A4"), 501});
    dados.executa(conta, {11, QStringLiteral("P"), nulo, 2, nulo, nulo, nulo, QStringLiteral("Frete"), nulo});
    dados.executa(conta, {12, QStringLiteral("P"), nulo, nulo, 1, 1, nulo, QStringLiteral("Conta de luz"), nulo});
    dados.executa(conta, {13, QStringLiteral("P"), nulo, nulo, 2, nulo, nulo, nulo, nulo});
    dados.executa(conta, {14, QStringLiteral("P"), nulo, nulo, 1, nulo, nulo, QStringLiteral("Ajuste"), nulo});
    // A supplier's bill also classified in the chart of accounts: one payable.
    dados.executa(conta, {15, QStringLiteral("P"), nulo, 1, 2, nulo, nulo, QStringLiteral("Toner"), nulo});
    dados.executa(conta, {20, QStringLiteral("R"), 1, nulo, nulo, nulo, nulo, QStringLiteral("Venda"), nulo});
    const QString parcela = QStringLiteral(
        "INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, Documento, Parcela, ValorParcela, "
        "ValorPago, idContaMov, Paga, Cancelada, Provisionado, PROVPAGAR) "
        "VALUES (?, ?, ?, ?, 'NF', 1, ?, 0, ?, ?, ?, ?, 'N')");
    const QString n = QStringLiteral("N"), s = QStringLiteral("S");
    const QDate emissao = hoje.addDays(-10);
    dados.executa(parcela, {101, 10, hoje, emissao, 150.00, 1, n, n, s});
    dados.executa(parcela, {102, 11, hoje, emissao, 300.10, nulo, n, n, nulo});
    dados.executa(parcela, {103, 12, hoje, emissao, 89.90, nulo, n, n, n});
    dados.executa(parcela, {104, 13, hoje, emissao, 1200.00, nulo, n, n, n});
    dados.executa(parcela, {110, 14, hoje, emissao, 0.05, nulo, n, n, n});
    dados.executa(parcela, {111, 15, hoje, emissao, 30.00, nulo, n, n, n});
    dados.executa(parcela, {105, 10, hoje.addDays(1), emissao, 10.00, nulo, n, n, n});
    dados.executa(parcela, {106, 11, hoje.addDays(-1), emissao, 20.00, nulo, n, n, n});
    dados.executa(parcela, {107, 12, hoje, emissao, 30.00, nulo, s, n, n});
    dados.executa(parcela, {108, 13, hoje, emissao, 40.00, nulo, n, s, n});
    dados.executa(parcela, {109, 20, hoje, emissao, 50.00, nulo, n, n, n});
}

// What the statement returns from preenche: both halves together, by due date,
// name and description.
QList<Pagar> esperadas()
{
    const QVariant nulo;
    return {
        {104, QStringLiteral("Aluguel"), nulo, 1200.00, QStringLiteral("N"), nulo, nulo},
        {102, QStringLiteral("Distribuidora Paraná Ltda"), QStringLiteral("Frete"), 300.10, nulo, nulo, nulo},
        {110, QStringLiteral("Energia elétrica"), QStringLiteral("Ajuste"), 0.05, QStringLiteral("N"), nulo, nulo},
        {103, QStringLiteral("Energia elétrica"), QStringLiteral("Conta de luz"), 89.90, QStringLiteral("N"), nulo, nulo},
        {101, QStringLiteral("Gráfica Avenida"), QStringLiteral("Papel A4"), 150.00, QStringLiteral("S"),
         QStringLiteral("Banco do Brasil"), QStringLiteral("Boleto")},
        {111, QStringLiteral("Gráfica Avenida"), QStringLiteral("Toner"), 30.00, QStringLiteral("N"), nulo, nulo},
    };
}

// Null stays null; texts are compared without the blanks CHAR columns carry.
QVariant normaliza(const QVariant &v)
{
    if (v.isNull())
        return QVariant();
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed();
    return v;
}

enum class Servidor { Firebird, Postgres };

} // namespace

Q_DECLARE_METATYPE(Servidor)

class TstServidores : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void firebirdPeloServidor_data();
    void firebirdPeloServidor();
    void embutidoCompartilhaComServidor_data();
    void embutidoCompartilhaComServidor();

    void firebirdSomenteLeitura_data();
    void firebirdSomenteLeitura();

    void postgresPeloDsn();
    void leitorSoLe_data();
    void leitorSoLe();
    void umaConexao_data();
    void umaConexao();

    void contasAPagar_data();
    void contasAPagar();

    void servidorParadoEVolta_data();
    void servidorParadoEVolta();

private:
    // A new Firebird database from the schema, with one customer, reached by
    // the tests through the server.
    QString novoBancoFirebird();

    QTemporaryDir pasta_;
    int bancos_ = 0;
};

void TstServidores::initTestCase()
{
    QVERIFY(pasta_.isValid());
    QVERIFY2(QFileInfo::exists(QStringLiteral(ORVO_SCHEMA)), ORVO_SCHEMA);
}

void TstServidores::cleanup()
{
    for (const QString &nome : QSqlDatabase::connectionNames())
        bancoteste::fechaConexao(nome);
    // A test that stopped a server and failed before starting it again must not
    // leave the next tests without it.
    if (servidoresteste::disponiveis()) {
        if (!servidoresteste::portaResponde(servidoresteste::portaFirebird()))
            QVERIFY(servidoresteste::iniciaFirebird());
        if (!servidoresteste::portaResponde(servidoresteste::portaPostgres()))
            QVERIFY(servidoresteste::iniciaPostgres());
    }
}

QString TstServidores::novoBancoFirebird()
{
    const QString pasta = pasta_.filePath(QStringLiteral("fb%1").arg(++bancos_));
    const QString arquivo = bancoteste::criaBancoFirebird(pasta);
    if (arquivo.isEmpty())
        return QString();
    const QString erro = isqlCompartilhado(
        arquivo, QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (1, '%1');\nCOMMIT;\n").arg(NomeComAcentos));
    if (!erro.isEmpty()) {
        qWarning("%s", qPrintable(erro));
        return QString();
    }
    return arquivo;
}

void TstServidores::firebirdPeloServidor_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<bool>("aceito");

    QTest::newRow("sysdba") << QStringLiteral("sysdba") << Senha << true;
    QTest::newRow("SYSDBA em maiúsculas") << QStringLiteral("SYSDBA") << Senha << true;
    QTest::newRow("senha de fábrica") << QStringLiteral("sysdba") << QStringLiteral("masterkey") << false;
    QTest::newRow("senha em maiúsculas") << QStringLiteral("sysdba") << QStringLiteral("QUILLFERN") << false;
    QTest::newRow("sem senha") << QStringLiteral("sysdba") << QString() << false;
    QTest::newRow("usuário desconhecido") << QStringLiteral("orvo") << Senha << false;
}

void TstServidores::firebirdPeloServidor()
{
    EXIGE_FIREBIRD();
    QFETCH(QString, usuario);
    QFETCH(QString, senha);
    QFETCH(bool, aceito);

    const QString arquivo = novoBancoFirebird();
    QVERIFY(!arquivo.isEmpty());
    QSqlDatabase db = abreFirebirdNoServidor(arquivo, QStringLiteral("servidor"), usuario, senha);
    QCOMPARE(db.isOpen(), aceito);
    if (!aceito) {
        QVERIFY(db.lastError().isValid());
        return;
    }
    QString erro;
    // WIN1252 text comes back whole: the server found its character sets.
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT Cliente FROM Cliente WHERE IDCliente = 1"), &erro).toString(),
             NomeComAcentos);
    // The attachment is the server's, over TCP from the loopback address.
    const QString sobre = QStringLiteral(
        "SELECT %1 FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    QCOMPARE(valorUnico(db, sobre.arg(QStringLiteral("MON$REMOTE_PROTOCOL")), &erro).toString().trimmed(),
             QStringLiteral("TCPv4"));
    const QString endereco = valorUnico(db, sobre.arg(QStringLiteral("MON$REMOTE_ADDRESS")), &erro).toString();
    QVERIFY2(endereco.startsWith(QStringLiteral("127.0.0.1/")), qPrintable(endereco));
    QVERIFY2(erro.isEmpty(), qPrintable(erro));
}

void TstServidores::embutidoCompartilhaComServidor_data()
{
    QTest::addColumn<bool>("raizDoServidor");

    QTest::newRow("isql-fb com a raiz do servidor") << true;
    QTest::newRow("isql-fb com a raiz dos testes") << false;
}

// While the server has the file open, an embedded engine writes to it and the
// server's next query sees the row: both share the file (SuperClassic) and its locks.
void TstServidores::embutidoCompartilhaComServidor()
{
    EXIGE_FIREBIRD();
    QFETCH(bool, raizDoServidor);

    const QString trava = QDir(servidoresteste::pastaFirebird()).filePath(QStringLiteral("trava"));
    if (!raizDoServidor)
        QCOMPARE(qEnvironmentVariable("FIREBIRD_LOCK"), trava);

    const QString arquivo = novoBancoFirebird();
    QVERIFY(!arquivo.isEmpty());
    QSqlDatabase db = abreFirebirdNoServidor(arquivo, QStringLiteral("servidor"));
    QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
    const QString conta = QStringLiteral("SELECT COUNT(*) FROM Cliente");
    QCOMPARE(valorUnico(db, conta).toInt(), 1);

    const QString insere = QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (2, 'Padaria São Jorge');\nCOMMIT;\n");
    if (raizDoServidor) {
        const QString erro = isqlCompartilhado(arquivo, insere);
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
    } else {
        bancoteste::executaIsql(insere, arquivo);
        if (QTest::currentTestFailed())
            return;
    }

    QCOMPARE(valorUnico(db, conta).toInt(), 2);
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT Cliente FROM Cliente WHERE IDCliente = 2")).toString(),
             QStringLiteral("Padaria São Jorge"));
}

void TstServidores::firebirdSomenteLeitura_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("erro");

    QTest::newRow("select") << QStringLiteral("SELECT COUNT(*) FROM Cliente") << QString();
    QTest::newRow("insert") << QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (9, 'Intruso')")
                            << QStringLiteral("attempted update on read-only database");
    QTest::newRow("update") << QStringLiteral("UPDATE Cliente SET Cliente = 'Trocado'")
                            << QStringLiteral("attempted update on read-only database");
    QTest::newRow("delete") << QStringLiteral("DELETE FROM Cliente")
                            << QStringLiteral("attempted update on read-only database");
}

// A database set read-only (gfix -mode read_only) still answers queries through
// the server, in the driver's ordinary read-write transactions; only writes fail.
void TstServidores::firebirdSomenteLeitura()
{
    EXIGE_FIREBIRD();
    QFETCH(QString, sql);
    QFETCH(QString, erro);

    const QString arquivo = novoBancoFirebird();
    QVERIFY(!arquivo.isEmpty());
    const QString gfix = rodaCompartilhado(QStringLiteral("gfix"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                                                   QStringLiteral("-mode"), QStringLiteral("read_only"),
                                                                   arquivo});
    QVERIFY2(gfix.isEmpty(), qPrintable(gfix));

    QSqlDatabase db = abreFirebirdNoServidor(arquivo, QStringLiteral("servidor"));
    QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
    {
        QSqlQuery q(db);
        QCOMPARE(q.exec(sql), erro.isEmpty());
        QVERIFY2(q.lastError().text().contains(erro), qPrintable(q.lastError().text()));
    }
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT Cliente FROM Cliente")).toString(), NomeComAcentos);
}

void TstServidores::postgresPeloDsn()
{
    EXIGE_POSTGRES();
    QVERIFY(servidoresteste::recriaBancoPostgres());
    QSqlDatabase escrita = servidoresteste::conexaoEscritaPostgres(QStringLiteral("escrita"));
    QVERIFY2(escrita.isOpen(), qPrintable(escrita.lastError().text()));
    bancoteste::Dados dados(escrita);
    dados.cliente(1, NomeComAcentos);

    QSqlDatabase db = abreDsn(QStringLiteral("SQLVendas"), QStringLiteral("dsn"));
    QVERIFY2(db.isOpen(), qPrintable(db.lastError().text()));
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT current_database()")).toString(), QStringLiteral("vendas"));
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT current_user")).toString(), QStringLiteral("postgres"));
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT inet_server_port()")).toInt(), servidoresteste::portaPostgres());
    QCOMPARE(valorUnico(db, QStringLiteral("SELECT Cliente FROM Cliente WHERE IDCliente = 1")).toString(),
             NomeComAcentos);
}

void TstServidores::leitorSoLe_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("aceito");

    QTest::newRow("select") << QStringLiteral("SELECT COUNT(*) FROM Cliente") << true;
    QTest::newRow("select com junção")
        << QStringLiteral("SELECT COUNT(*) FROM Conta C INNER JOIN ContaDet D ON C.CodConta = D.CodConta") << true;
    QTest::newRow("insert") << QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (9, 'Intruso')") << false;
    QTest::newRow("update") << QStringLiteral("UPDATE Cliente SET Cliente = 'Trocado'") << false;
    QTest::newRow("delete") << QStringLiteral("DELETE FROM Cliente") << false;
    QTest::newRow("create table") << QStringLiteral("CREATE TABLE Intrusa (a INTEGER)") << false;
    QTest::newRow("drop table") << QStringLiteral("DROP TABLE ContaDet") << false;
}

// The data source SQLVendasLeitor reaches vendas as a role that may only read.
void TstServidores::leitorSoLe()
{
    EXIGE_POSTGRES();
    QFETCH(QString, sql);
    QFETCH(bool, aceito);

    QVERIFY(servidoresteste::recriaBancoPostgres());
    QSqlDatabase escrita = servidoresteste::conexaoEscritaPostgres(QStringLiteral("escrita"));
    QVERIFY2(escrita.isOpen(), qPrintable(escrita.lastError().text()));
    bancoteste::Dados(escrita).cliente(1, NomeComAcentos);

    QSqlDatabase leitor = abreDsn(QStringLiteral("SQLVendasLeitor"), QStringLiteral("leitor"));
    QVERIFY2(leitor.isOpen(), qPrintable(leitor.lastError().text()));
    QCOMPARE(valorUnico(leitor, QStringLiteral("SELECT current_user")).toString(), QStringLiteral("leitor"));
    {
        QSqlQuery q(leitor);
        QCOMPARE(q.exec(sql), aceito);
    }
    QCOMPARE(valorUnico(escrita, QStringLiteral("SELECT COUNT(*) FROM Cliente")).toInt(), 1);
    QCOMPARE(valorUnico(escrita, QStringLiteral("SELECT Cliente FROM Cliente")).toString(), NomeComAcentos);
    QCOMPARE(valorUnico(escrita, QStringLiteral("SELECT COUNT(*) FROM information_schema.tables "
                                                "WHERE table_name IN ('intrusa', 'contadet')")).toInt(), 1);
}

void TstServidores::umaConexao_data()
{
    QTest::addColumn<int>("limite");
    QTest::newRow("sem limite de conexões") << -1;
    QTest::newRow("uma conexão por usuário") << 1;
}

// A request's statements are read one after the other on the connection's one
// session of the data source, also where the site allows its user one
// connection only.
void TstServidores::umaConexao()
{
    EXIGE_POSTGRES();
    QFETCH(int, limite);
    QVERIFY(servidoresteste::recriaBancoPostgres());
    QSqlDatabase escrita = servidoresteste::conexaoEscritaPostgres(QStringLiteral("escrita"));
    QVERIFY2(escrita.isOpen(), qPrintable(escrita.lastError().text()));
    const auto limita = [&](int n) {
        return QSqlQuery(escrita).exec(QStringLiteral("ALTER ROLE leitor CONNECTION LIMIT %1").arg(n));
    };
    const auto semLimite = qScopeGuard([&] { limita(-1); });
    QVERIFY(limita(limite));

    bancodados::Conexao conexao;
    QCOMPARE(bancoteste::numeroDoErro([&] { conexao.abre(QStringLiteral("SQLVendasLeitor")); }), 0L);
    const QString longa = QStringLiteral("SELECT pg_backend_pid() AS pid FROM pg_sleep(0.3)");
    const QString curta = QStringLiteral("SELECT pg_backend_pid() AS pid");
    QStringList sessoes;
    bool acabou = false;
    bancodados::Pedido pedido;
    pedido.instrucoes = {{longa, {}}, {curta, {}}};
    pedido.aoLer = [&](int, const QStringList &colunas, std::deque<bancodados::Linha> &linhas) {
        sessoes << bancodados::Registros(colunas, linhas).campo(QStringLiteral("pid")).toString();
    };
    pedido.aoConcluir = [&] { acabou = true; };
    pedido.aoFalhar = [&](const bancodados::Falha &f) {
        sessoes << f.descricao;
        acabou = true;
    };
    conexao.envia(std::move(pedido));
    QTRY_VERIFY(acabou);
    QCOMPARE(sessoes.size(), 2);
    QCOMPARE(sessoes.at(0), sessoes.at(1));
    QCOMPARE(valorUnico(escrita, QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE usename = 'leitor'"))
                 .toInt(),
             1);
}

void TstServidores::contasAPagar_data()
{
    QTest::addColumn<Servidor>("servidor");
    QTest::addColumn<bool>("preenchido");

    QTest::newRow("Firebird pelo servidor, vazio") << Servidor::Firebird << false;
    QTest::newRow("Firebird pelo servidor, preenchido") << Servidor::Firebird << true;
    QTest::newRow("ODBC SQLVendas, vazio") << Servidor::Postgres << false;
    QTest::newRow("ODBC SQLVendas, preenchido") << Servidor::Postgres << true;
}

// The statement runs as written, and returns the open payables of the day from
// both halves of the union in due date, name and description order.
void TstServidores::contasAPagar()
{
    QFETCH(Servidor, servidor);
    QFETCH(bool, preenchido);

    const QDate hoje = QDate::currentDate();
    Configuracao configuracao;
    if (servidor == Servidor::Firebird) {
        EXIGE_FIREBIRD();
        const QString pasta = pasta_.filePath(QStringLiteral("fb%1").arg(++bancos_));
        const QString arquivo = bancoteste::criaBancoFirebird(pasta);
        QVERIFY(!arquivo.isEmpty());
        QSqlDatabase escrita = abreFirebirdNoServidor(arquivo, QStringLiteral("escrita"));
        QVERIFY2(escrita.isOpen(), qPrintable(escrita.lastError().text()));
        if (preenchido) {
            bancoteste::Dados dados(escrita);
            preenche(dados, hoje);
        }
        configuracao.pastaDados = servidoresteste::nomeNoServidor(pasta);
    } else {
        EXIGE_POSTGRES();
        QVERIFY(servidoresteste::recriaBancoPostgres());
        QSqlDatabase escrita = servidoresteste::conexaoEscritaPostgres(QStringLiteral("escrita"));
        QVERIFY2(escrita.isOpen(), qPrintable(escrita.lastError().text()));
        if (preenchido) {
            bancoteste::Dados dados(escrita);
            preenche(dados, hoje);
        }
        configuracao.tipoBanco = QStringLiteral("SQL");
    }
    if (QTest::currentTestFailed())
        return;

    // Read as the notice reads it: its own statement through its own connection.
    bancodados::Conexao conexao;
    QCOMPARE(bancoteste::numeroDoErro([&] { conexao.abre(montaStringConexao(configuracao)); }), 0L);
    bancodados::Registros rs;
    const consultas::Consulta pagar = consultas::contasPagar(hoje);
    QCOMPARE(bancoteste::numeroDoErro([&] { rs.abre(pagar.sql, conexao, 0, 1, -1, pagar.parametros); }), 0L);
    QList<Pagar> lidas;
    while (!rs.eof()) {
        // The fields are found by the names the notice uses, whatever case the
        // database gives them.
        QCOMPARE(normaliza(rs.campo(QStringLiteral("DataVcto"))).toDate(), hoje);
        lidas.append({rs.campo(QStringLiteral("CodContaDet")).toInt(),
                      normaliza(rs.campo(QStringLiteral("NomeRazao"))).toString(),
                      normaliza(rs.campo(QStringLiteral("Nome"))),
                      rs.campo(QStringLiteral("VALORPARCELA")).toDouble(),
                      normaliza(rs.campo(QStringLiteral("Provisionado"))),
                      normaliza(rs.campo(QStringLiteral("Banco"))),
                      normaliza(rs.campo(QStringLiteral("ContaTipo")))});
        for (const char *campo : {"CodConta", "Documento", "Documento2", "Parcela", "ValorPago", "ContaCorrente",
                                  "Paga", "Grupo", "Cancelada", "PROVPAGAR", "idCliente", "IDNFSAIDA", "Comanda",
                                  "DataEmissao", "idNFEntrada"})
            QVERIFY2(bancoteste::numeroDoErro([&] { rs.campo(QLatin1String(campo)); }) == 0, campo);
        QCOMPARE(bancoteste::numeroDoErro([&] { rs.moveNext(); }), 0L);
    }
    rs.fecha();

    const QList<Pagar> previstas = preenchido ? esperadas() : QList<Pagar>();
    QCOMPARE(lidas.size(), previstas.size());
    for (int i = 0; i < lidas.size(); ++i) {
        const Pagar &lida = lidas.at(i);
        const Pagar &prevista = previstas.at(i);
        QCOMPARE(lida.codContaDet, prevista.codContaDet);
        QCOMPARE(lida.nomeRazao, prevista.nomeRazao);
        QCOMPARE(lida.nome, prevista.nome);
        QCOMPARE(qRound64(lida.valor * 100), qRound64(prevista.valor * 100));
        QCOMPARE(lida.provisionado, prevista.provisionado);
        QCOMPARE(lida.banco, prevista.banco);
        QCOMPARE(lida.contaTipo, prevista.contaTipo);
    }
}

void TstServidores::servidorParadoEVolta_data()
{
    QTest::addColumn<Servidor>("servidor");

    QTest::newRow("Firebird") << Servidor::Firebird;
    QTest::newRow("PostgreSQL pelo ODBC") << Servidor::Postgres;
}

// A connection open while its server goes down fails at its next query, and a
// new one fails too; once the server is back, new and reopened connections
// answer again with the same data.
void TstServidores::servidorParadoEVolta()
{
    QFETCH(Servidor, servidor);

    std::function<QSqlDatabase(const QString &)> abre;
    std::function<bool()> para, inicia;
    if (servidor == Servidor::Firebird) {
        EXIGE_FIREBIRD();
        const QString arquivo = novoBancoFirebird();
        QVERIFY(!arquivo.isEmpty());
        abre = [arquivo](const QString &nome) { return abreFirebirdNoServidor(arquivo, nome); };
        para = servidoresteste::paraFirebird;
        inicia = servidoresteste::iniciaFirebird;
    } else {
        EXIGE_POSTGRES();
        QVERIFY(servidoresteste::recriaBancoPostgres());
        QSqlDatabase escrita = servidoresteste::conexaoEscritaPostgres(QStringLiteral("escrita"));
        QVERIFY2(escrita.isOpen(), qPrintable(escrita.lastError().text()));
        bancoteste::Dados(escrita).cliente(1, NomeComAcentos);
        escrita.close();
        abre = [](const QString &nome) { return abreDsn(QStringLiteral("SQLVendas"), nome); };
        para = servidoresteste::paraPostgres;
        inicia = servidoresteste::iniciaPostgres;
    }
    if (QTest::currentTestFailed())
        return;
    const QString cliente = QStringLiteral("SELECT Cliente FROM Cliente WHERE IDCliente = 1");

    QSqlDatabase antes = abre(QStringLiteral("antes"));
    QVERIFY2(antes.isOpen(), qPrintable(antes.lastError().text()));
    QCOMPARE(valorUnico(antes, cliente).toString(), NomeComAcentos);

    QVERIFY(para());
    QString erro;
    QVERIFY(!valorUnico(antes, cliente, &erro).isValid());
    QVERIFY(!erro.isEmpty());
    QVERIFY(!abre(QStringLiteral("durante")).isOpen());

    QVERIFY(inicia());
    QSqlDatabase depois = abre(QStringLiteral("depois"));
    QVERIFY2(depois.isOpen(), qPrintable(depois.lastError().text()));
    QCOMPARE(valorUnico(depois, cliente).toString(), NomeComAcentos);
    antes.close();
    QVERIFY2(antes.open(), qPrintable(antes.lastError().text()));
    QCOMPARE(valorUnico(antes, cliente).toString(), NomeComAcentos);
}

QTEST_GUILESS_MAIN(TstServidores)
#include "tst_servidores.moc"
