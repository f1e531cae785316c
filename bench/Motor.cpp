#include "Motor.h"
#include "Medicao.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <memory>
#include <stdexcept>

Piso::Piso(const QString &arquivo, const QString &nome) : nome_(nome)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), nome_);
    db.setDatabaseName(arquivo);
    db.setUserName(QStringLiteral("SYSDBA"));
    db.setPassword(QStringLiteral("quillfern"));
    if (!db.open())
        throw std::runtime_error(qPrintable(db.lastError().text()));
}

Piso::~Piso()
{
    QSqlDatabase::database(nome_, false).close();
    QSqlDatabase::removeDatabase(nome_);
}

int Piso::executa(const QString &sql, const QVariantList &parametros)
{
    // As the program reads: a new forward-only query, amounts as doubles.
    QSqlQuery q(QSqlDatabase::database(nome_, false));
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    bool executada = false;
    if (parametros.isEmpty()) {
        executada = q.exec(sql);
    } else if (q.prepare(sql)) {
        for (const QVariant &valor : parametros)
            q.addBindValue(valor);
        executada = q.exec();
    }
    if (!executada)
        throw std::runtime_error(qPrintable(q.lastError().text()));
    const int campos = q.record().count();
    int linhas = 0;
    qint64 preenchidos = 0;
    while (q.next()) {
        for (int i = 0; i < campos; ++i)
            preenchidos += q.value(i).isNull() ? 0 : 1;
        ++linhas;
    }
    if (q.lastError().isValid())
        throw std::runtime_error(qPrintable(q.lastError().text()));
    // Keeps the reads from being optimised away.
    if (preenchidos < 0)
        throw std::logic_error("impossível");
    return linhas;
}

void Piso::executaAmbos(const QDate &dia, int &receber, int &pagar)
{
    receber = executa(consultas::sqlContasReceber(dia));
    pagar = executa(consultas::sqlContasPagar(dia));
}

void Piso::executaResumos(const QDate &dia)
{
    if (executa(vencidas::sqlResumoReceber(), vencidas::parametrosReceber(dia)) != 1
        || executa(vencidas::sqlResumoPagar(), vencidas::parametrosPagar(dia)) != 2)
        throw std::runtime_error("os resumos de vencidas não deram as linhas esperadas");
}

double Piso::comConexaoNova(const QString &arquivo, const QDate &dia)
{
    std::unique_ptr<Piso> piso;
    return cronometra([&] {
        piso = std::make_unique<Piso>(arquivo, QStringLiteral("piso-do-arranque"));
        int receber = 0, pagar = 0;
        piso->executaAmbos(dia, receber, pagar);
    });
}

QByteArray scriptDosComandos(const QDate &dia)
{
    return consultas::sqlContasReceber(dia).toUtf8() + ";\n" + consultas::sqlContasPagar(dia).toUtf8() + ";\n";
}

double tempoIsql(const QString &arquivo, const QByteArray &script)
{
    QProcess isql;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    isql.setProcessEnvironment(ambiente);
    isql.setStandardOutputFile(QProcess::nullDevice());
    QByteArray erros;
    const double ms = cronometra([&] {
        isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-ch"),
                                               QStringLiteral("UTF8"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                               QStringLiteral("-password"), QStringLiteral("quillfern"), arquivo});
        isql.waitForStarted();
        isql.write(script + "QUIT;\n");
        isql.closeWriteChannel();
        isql.waitForFinished(120000);
    });
    erros = isql.readAllStandardError().trimmed();
    if (isql.exitCode() != 0 || !erros.isEmpty())
        throw std::runtime_error("isql-fb: " + erros.toStdString());
    return ms;
}
