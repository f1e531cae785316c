#pragma once
#include <QByteArray>
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>

// Test databases made from the schema file, and the rows the tests put in them.
namespace bancoteste {

// The private Firebird root of the test program (shared-mode engine).
QString raizFirebird();

// Runs an isql-fb script (UTF-8) against a database; create scripts pass an
// empty database name. Fails the test on any isql error.
void executaIsql(const QString &script, const QString &banco = QString());

// Creates pasta/arquivo from the schema with the given default character set
// ("WIN1252", or "NONE" for the older installations).
QString criaBancoFirebird(const QString &pasta, const QString &arquivo = QStringLiteral("VENDAS.FDB"),
                          const QString &charset = QStringLiteral("WIN1252"));

// A text as a literal of an isql script that stores exactly its bytes in the
// given character set ("NONE": Windows-1252 bytes, as the sales system wrote
// them), whatever isql's own connection character set.
QString literalFirebird(const QString &texto, const QString &charset);

// The connection string of the sales system for a Firebird database name
// (a file, or "host/port:file" on a server).
QString stringConexaoFirebird(const QString &banco);

// A read-write connection for putting fixture rows in.
QSqlDatabase abreEscritaFirebird(const QString &banco, const QString &nomeConexao);
void fechaConexao(const QString &nomeConexao);

// The number of the system error the call raises; 0 when it raises none.
long numeroDoErro(const std::function<void()> &chamada);

// Writes the program folder's orvo.ini with the bytes given.
void escreveOrvoIni(const QString &pastaPrograma, const QByteArray &conteudo);

// Rows of the sales system, inserted through a write connection (each insert
// commits by itself). Each call fails the test when the database refuses it.
class Dados {
public:
    explicit Dados(QSqlDatabase db) : db_(std::move(db)) {}
    void executa(const QString &sql, const QVariantList &valores = {});
    void cliente(int id, const QString &nome);
    void fornecedor(int id, const QString &nome);
    void plano(int id, const QString &nome);
    // An account header: 'R' receivable with a customer, 'P' payable with a supplier and/or a plan.
    void conta(int codConta, const QString &pr, const QVariant &idCliente, const QVariant &idFornecedor,
               const QVariant &idPlano, const QVariant &descricao);
    void parcela(int codContaDet, int codConta, const QDate &vencimento, const QDate &emissao,
                 const QVariant &valor, const QString &paga = QStringLiteral("N"),
                 const QString &cancelada = QStringLiteral("N"), const QVariant &provisionado = QStringLiteral("N"));

private:
    QSqlDatabase db_;
};

} // namespace bancoteste
