#include "Motor.h"
#include "Medicao.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"

#include <QProcess>
#include <QVariant>
#include <memory>
#include <stdexcept>

Piso::Piso(const QString &arquivo) : anexo_(arquivo, QStringLiteral("SYSDBA"), QStringLiteral("quillfern")) {}

int Piso::executa(const consultas::Consulta &consulta)
{
    using namespace bancodados::firebird;
    Transacao transacao(anexo_);
    int linhas = 0;
    qint64 preenchidos = 0;
    {
        Comando comando(anexo_, transacao, consulta.sql, consulta.parametros);
        Linha linha;
        while (comando.proxima(linha)) {
            for (const QVariant &valor : linha)
                preenchidos += valor.isNull() ? 0 : 1;
            ++linhas;
        }
    }
    transacao.confirma();
    // Keeps the reads from being optimised away.
    if (preenchidos < 0)
        throw std::logic_error("impossível");
    return linhas;
}

void Piso::executaAmbos(const QDate &dia, int &receber, int &pagar)
{
    receber = executa(consultas::contasReceber(dia));
    pagar = executa(consultas::contasPagar(dia));
}

void Piso::executaResumos(const QDate &dia)
{
    if (executa(vencidas::resumoReceber(dia)) != 1 || executa(vencidas::resumoPagar(dia)) != 2)
        throw std::runtime_error("os resumos de vencidas não deram as linhas esperadas");
}

double Piso::comConexaoNova(const QString &arquivo, const QDate &dia)
{
    std::unique_ptr<Piso> piso;
    return cronometra([&] {
        piso = std::make_unique<Piso>(arquivo);
        int receber = 0, pagar = 0;
        piso->executaAmbos(dia, receber, pagar);
    });
}

// isql-fb takes no parameters: the day goes as a date literal in their place.
QByteArray comandoComData(const consultas::Consulta &consulta)
{
    QString sql = consulta.sql;
    const QString data = QStringLiteral("DATE '%1'").arg(consulta.parametros.at(0).toDate().toString(Qt::ISODate));
    return sql.replace(u'?', data).toUtf8();
}

QByteArray scriptDosComandos(const QDate &dia)
{
    return comandoComData(consultas::contasReceber(dia)) + ";\n" + comandoComData(consultas::contasPagar(dia)) + ";\n";
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
