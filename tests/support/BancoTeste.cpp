#include "support/BancoTeste.h"
#include "base/ErroCorrente.h"
#include "database/firebird/RaizFirebird.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTest>

namespace bancoteste {

QString raizFirebird()
{
    return bancodados::preparaRaizFirebird();
}

void executaIsql(const QString &script, const QString &banco)
{
    QProcess isql;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    const QString raiz = raizFirebird();
    if (!raiz.isEmpty())
        ambiente.insert(QStringLiteral("FIREBIRD"), raiz);
    // isql-fb keeps accented text from its input only under a UTF-8 locale.
    ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    isql.setProcessEnvironment(ambiente);
    QStringList argumentos{QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-ch"), QStringLiteral("UTF8")};
    if (!banco.isEmpty())
        argumentos << QStringLiteral("-user") << QStringLiteral("SYSDBA") << QStringLiteral("-password")
                   << QStringLiteral("quillfern") << banco;
    isql.start(QStringLiteral("isql-fb"), argumentos);
    QVERIFY2(isql.waitForStarted(10000), "isql-fb não iniciou");
    isql.write(script.toUtf8());
    isql.closeWriteChannel();
    QVERIFY2(isql.waitForFinished(120000), "isql-fb não terminou");
    const QByteArray erros = isql.readAllStandardError();
    QVERIFY2(isql.exitCode() == 0 && erros.trimmed().isEmpty(), erros.constData());
}

QString criaBancoFirebird(const QString &pasta, const QString &arquivo, const QString &charset)
{
    QDir().mkpath(pasta);
    const QString caminho = QDir(pasta).filePath(arquivo);
    QFile::remove(caminho);
    QFile schema(QStringLiteral(ORVO_SCHEMA));
    if (!schema.open(QIODevice::ReadOnly)) {
        QTest::qFail("schema.sql não encontrado", __FILE__, __LINE__);
        return QString();
    }
    const QString script = QStringLiteral("CREATE DATABASE '%1' USER 'SYSDBA' PASSWORD 'quillfern' DEFAULT CHARACTER SET %2;\n")
                               .arg(caminho, charset)
        + QString::fromUtf8(schema.readAll()) + QStringLiteral("\nCOMMIT;\n");
    executaIsql(script);
    return caminho;
}

QString literalFirebird(const QString &texto, const QString &charset)
{
    const QString conjunto = charset == QLatin1String("NONE") ? QStringLiteral("WIN1252") : charset;
    const char *codificacao = conjunto == QLatin1String("UTF8") ? "UTF-8"
        : conjunto == QLatin1String("ISO8859_1")                ? "ISO-8859-1"
                                                                : "windows-1252";
    QStringEncoder codifica(codificacao);
    const QByteArray bytes = codifica(texto);
    if (codifica.hasError())
        QTest::qFail(qPrintable(texto + QStringLiteral(" não cabe em ") + charset), __FILE__, __LINE__);
    return QStringLiteral("_%1 x'%2'").arg(conjunto, QString::fromLatin1(bytes.toHex()));
}

QString stringConexaoFirebird(const QString &banco)
{
    return QStringLiteral("Provider=LCPI.IBProvider.1;Data Source=") + banco
        + QStringLiteral(";User ID=SYSDBA;Password=quillfern;ctype=none");
}

QSqlDatabase abreEscritaFirebird(const QString &banco, const QString &nomeConexao)
{
    raizFirebird();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), nomeConexao);
    db.setDatabaseName(banco);
    db.setUserName(QStringLiteral("SYSDBA"));
    db.setPassword(QStringLiteral("quillfern"));
    if (!db.open())
        QTest::qFail(qPrintable(QStringLiteral("Falha ao abrir %1: %2").arg(banco, db.lastError().text())),
                     __FILE__, __LINE__);
    return db;
}

void fechaConexao(const QString &nomeConexao)
{
    if (QSqlDatabase::contains(nomeConexao)) {
        QSqlDatabase::database(nomeConexao, false).close();
        QSqlDatabase::removeDatabase(nomeConexao);
    }
}

long numeroDoErro(const std::function<void()> &chamada)
{
    try {
        chamada();
    } catch (const ErroSistema &erro) {
        return erro.numero();
    }
    return 0;
}

void escreveOrvoIni(const QString &pastaPrograma, const QByteArray &conteudo)
{
    QFile ini(QDir(pastaPrograma).filePath(QStringLiteral("orvo.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(conteudo);
}

void Dados::executa(const QString &sql, const QVariantList &valores)
{
    QSqlQuery q(db_);
    QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text() + QStringLiteral(" em ") + sql));
    for (const QVariant &v : valores)
        q.addBindValue(v);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text() + QStringLiteral(" em ") + sql));
}

void Dados::cliente(int id, const QString &nome)
{
    executa(QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (?, ?)"), {id, nome});
}

void Dados::fornecedor(int id, const QString &nome)
{
    executa(QStringLiteral("INSERT INTO Fornecedor (idFornecedor, NomeRazao) VALUES (?, ?)"), {id, nome});
}

void Dados::plano(int id, const QString &nome)
{
    executa(QStringLiteral("INSERT INTO PlanoConta (idConta, Conta) VALUES (?, ?)"), {id, nome});
}

void Dados::conta(int codConta, const QString &pr, const QVariant &idCliente, const QVariant &idFornecedor,
                  const QVariant &idPlano, const QVariant &descricao)
{
    executa(QStringLiteral("INSERT INTO Conta (CodConta, PR, IDCliente, idFornecedor, idPlano, Descricao, QTPARCELA) "
                           "VALUES (?, ?, ?, ?, ?, ?, 1)"),
            {codConta, pr, idCliente, idFornecedor, idPlano, descricao});
}

void Dados::parcela(int codContaDet, int codConta, const QDate &vencimento, const QDate &emissao,
                    const QVariant &valor, const QString &paga, const QString &cancelada,
                    const QVariant &provisionado)
{
    executa(QStringLiteral("INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, Parcela, "
                           "ValorParcela, ValorPago, Paga, Cancelada, Provisionado, PROVPAGAR) "
                           "VALUES (?, ?, ?, ?, 1, ?, 0, ?, ?, ?, 'N')"),
            {codContaDet, codConta, vencimento, emissao, valor, paga, cancelada, provisionado});
}

} // namespace bancoteste
