#include "database/odbc/SessaoOdbc.h"
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace bancodados {
namespace {

[[noreturn]] void lancaErroSql(const QSqlError &erro, const QString &contexto)
{
    bool numerico = false;
    const long numero = erro.nativeErrorCode().toLong(&numerico);
    QString descricao = erro.databaseText().trimmed();
    if (descricao.isEmpty())
        descricao = erro.driverText().trimmed();
    if (descricao.isEmpty())
        descricao = contexto;
    throw ErroSistema(numerico && numero != 0 ? numero : ErroGenericoProvedor, descricao);
}

class CursorQt : public Cursor {
public:
    CursorQt(const QSqlDatabase &db, const QString &sql, const QVariantList &parametros) : consulta_(db)
    {
        consulta_.setForwardOnly(true);
        consulta_.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        const bool executada = parametros.isEmpty()
            ? consulta_.exec(sql)
            : consulta_.prepare(sql) && (vincula(parametros), consulta_.exec());
        const TrechoDoCliente trecho;
        if (!executada)
            lancaErroSql(consulta_.lastError(), QStringLiteral("O comando foi recusado pelo banco de dados."));
        const QSqlRecord registro = consulta_.record();
        for (int i = 0; i < registro.count(); ++i)
            colunas_ << registro.fieldName(i);
    }
    QStringList colunas() const override { return colunas_; }
    bool proxima(Linha &linha) override
    {
        if (!consulta_.isActive())
            return false;
        const bool lida = consulta_.next();
        const TrechoDoCliente trecho;
        if (!lida) {
            const QSqlError erro = consulta_.lastError();
            consulta_.finish();
            if (erro.isValid())
                lancaErroSql(erro, QStringLiteral("Falha ao ler o resultado do banco de dados."));
            return false;
        }
        const int n = colunas_.size();
        linha.resize(n);
        for (int i = 0; i < n; ++i)
            linha[i] = consulta_.value(i);
        return true;
    }

private:
    void vincula(const QVariantList &parametros)
    {
        for (const QVariant &p : parametros)
            consulta_.addBindValue(p);
    }

    QSqlQuery consulta_;
    QStringList colunas_;
};

class SessaoQt : public Sessao {
public:
    SessaoQt(const Destino &destino, const QString &nome, int esperaSegundos) : nome_(nome)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(destino.driver, nome_);
        db.setDatabaseName(destino.banco);
        db.setUserName(destino.usuario);
        db.setPassword(destino.senha);
        QString opcoes = destino.opcoes;
        if (esperaSegundos > 0 && destino.driver == QLatin1String("QODBC"))
            opcoes += QStringLiteral(";SQL_ATTR_LOGIN_TIMEOUT=%1").arg(esperaSegundos);
        db.setConnectOptions(opcoes);
        const bool aberta = db.open();
        const TrechoDoCliente trecho;
        if (!aberta) {
            const QSqlError erro = db.lastError();
            db = QSqlDatabase(); // the name is let go only once no handle holds it
            fecha();
            lancaErroSql(erro, QStringLiteral("Não foi possível abrir o banco de dados."));
        }
        // The connection is opened in read-only access mode, but psqlODBC takes
        // the attribute and ignores it: PostgreSQL is told by the session itself.
        if (db.driver()->dbmsType() == QSqlDriver::PostgreSQL) {
            QSqlQuery somenteLeitura(db);
            if (!somenteLeitura.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"))) {
                const QSqlError erro = somenteLeitura.lastError();
                somenteLeitura = QSqlQuery();
                db = QSqlDatabase();
                fecha();
                lancaErroSql(erro, QStringLiteral("Não foi possível abrir o banco de dados somente para leitura."));
            }
        }
    }
    ~SessaoQt() override { fecha(); }
    std::unique_ptr<Cursor> executa(const QString &sql, const QVariantList &parametros) override
    {
        return std::make_unique<CursorQt>(QSqlDatabase::database(nome_, false), sql, parametros);
    }

private:
    void fecha()
    {
        const TrechoDoCliente trecho;
        if (QSqlDatabase::contains(nome_)) {
            QSqlDatabase::database(nome_, false).close();
            QSqlDatabase::removeDatabase(nome_);
        }
    }
    QString nome_;
};

} // namespace

std::unique_ptr<Sessao> abreSessaoOdbc(const Destino &destino, const QString &nomeQt, int esperaSegundos)
{
    return std::make_unique<SessaoQt>(destino, nomeQt, esperaSegundos);
}

} // namespace bancodados
