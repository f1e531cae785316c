// The notice needs nothing but reading: it runs unchanged against a PostgreSQL
// role that may only SELECT (the data source "SQLVendas" pointed at the role
// leitor) and against a Firebird database set read-only with gfix, embedded and
// through the server, and fills the grids correctly notice after notice.
#include "ApoioFalhas.h"
#include "startup/IniciaSistema.h"
#include "support/ServidoresTeste.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;
using namespace apoiofalhas;

namespace {

// A write the database must refuse: the text of its refusal, or "" when it was taken.
QString recusa(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return QString();
    const QString erro = q.lastError().text();
    return erro.isEmpty() ? QStringLiteral("?") : erro;
}

const QStringList Escritas = {
    QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (99, 'Intruso')"),
    QStringLiteral("UPDATE ContaDet SET Paga = 'S' WHERE CodContaDet = 10"),
    QStringLiteral("DELETE FROM Fornecedor"),
    QStringLiteral("CREATE TABLE Rascunho (x INTEGER)"),
};

// Three notices in a row fill the same right rows, without any message.
void tresAvisosCorretos(const QString &pasta)
{
    ambienteaviso::iniciaPrograma(pasta);
    QVERIFY(esperaPreenchimento());
    for (int aviso = 1; aviso <= 3; ++aviso) {
        if (aviso > 1)
            QVERIFY(proximoAviso());
        QVERIFY2(toolkit::mensagensMostradas().empty(),
                 qPrintable(toolkit::mensagensMostradas().empty() ? QString() : toolkit::mensagensMostradas().front().texto));
        QCOMPARE(linhasErradasNoAviso(), 0);
        QCOMPARE(FrmRobo::instancia().lblTotalAberto->text(), QStringLiteral("1.384,56"));
        QCOMPARE(FrmRobo::instancia().lblTotalPago->text(), QStringLiteral("390,10"));
        QCOMPARE(FrmRobo::instancia().lblTotalGeral->text(), QStringLiteral("994,46"));
    }
    QVERIFY(!toolkit::statusDeEncerramento().has_value());
}

// One value read through the program's own shared connection.
QVariant peloPrograma(const QString &sql)
{
    bancodados::Registros rs;
    rs.abre(sql, conexaoCompartilhada());
    return rs.eof() ? QVariant() : rs.campo(QStringLiteral("valor"));
}

} // namespace

class TestSomenteLeitura : public QObject {
    Q_OBJECT
    QByteArray odbciniOriginal;

private slots:
    void initTestCase() { odbciniOriginal = qgetenv("ODBCINI"); }
    void init()
    {
        iniciaCaso(Hoje);
    }
    void cleanup()
    {
        ambienteaviso::encerraPrograma();
        qputenv("ODBCINI", odbciniOriginal);
        bancoteste::fechaConexao(QStringLiteral("prova-leitor"));
        bancoteste::fechaConexao(QStringLiteral("escrita-fixa"));
        bancoteste::fechaConexao(QStringLiteral("prova-fixa"));
    }

    void papelQueSoLe()
    {
        Ambiente amb(Backend::Odbc);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());

        // A private odbc.ini whose "SQLVendas" is the leitor role's data source.
        QSettings servidor(QString::fromLocal8Bit(odbciniOriginal), QSettings::IniFormat);
        QVERIFY2(servidor.childGroups().contains(QStringLiteral("SQLVendasLeitor")), "odbc.ini sem SQLVendasLeitor");
        QTemporaryDir pastaOdbc;
        const QString odbcini = pastaOdbc.filePath(QStringLiteral("odbc.ini"));
        {
            QSettings privado(odbcini, QSettings::IniFormat);
            servidor.beginGroup(QStringLiteral("SQLVendasLeitor"));
            for (const QString &chave : servidor.childKeys())
                privado.setValue(QStringLiteral("SQLVendas/") + chave, servidor.value(chave));
            servidor.endGroup();
        }
        qputenv("ODBCINI", QFile::encodeName(odbcini));

        // Through that data source the session is leitor's, and writes are refused.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("prova-leitor"));
            db.setDatabaseName(QStringLiteral("SQLVendas"));
            QVERIFY2(db.open(), qPrintable(db.lastError().text()));
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT current_user")) && q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("leitor"));
            for (const QString &sql : Escritas)
                QVERIFY2(!recusa(db, sql).isEmpty(), qPrintable(QStringLiteral("aceito: ") + sql));
            QVERIFY(q.exec(QStringLiteral("SELECT count(*) FROM ContaDet")) && q.next());
            QCOMPARE(q.value(0).toInt(), 5);
        }
        bancoteste::fechaConexao(QStringLiteral("prova-leitor"));

        tresAvisosCorretos(amb.pasta());
        QCOMPARE(peloPrograma(QStringLiteral("SELECT current_user AS valor")).toString(), QStringLiteral("leitor"));
    }

    void firebirdSomenteLeitura_data()
    {
        QTest::addColumn<bool>("noServidor");
        QTest::newRow("embutido") << false;
        QTest::newRow("servidor") << true;
    }
    void firebirdSomenteLeitura()
    {
        QFETCH(bool, noServidor);
        if (noServidor)
            EXIGE_FIREBIRD();
        QTemporaryDir pasta;
        const QString arquivo = bancoteste::criaBancoFirebird(pasta.path());
        const QString nome = noServidor ? servidoresteste::nomeNoServidor(arquivo) : arquivo;
        {
            bancoteste::Dados d(bancoteste::abreEscritaFirebird(nome, QStringLiteral("escrita-fixa")));
            preencheDados(d);
        }
        bancoteste::fechaConexao(QStringLiteral("escrita-fixa"));

        // gfix works on the file as an embedded engine sharing the server's locks.
        QProcess gfix;
        QProcessEnvironment ambiente = noServidor ? servidoresteste::ambienteFirebirdCompartilhado()
                                                  : QProcessEnvironment::systemEnvironment();
        if (!noServidor)
            ambiente.insert(QStringLiteral("FIREBIRD"), bancoteste::raizFirebird());
        gfix.setProcessEnvironment(ambiente);
        gfix.setProcessChannelMode(QProcess::MergedChannels);
        gfix.start(QStringLiteral("gfix"), {QStringLiteral("-mode"), QStringLiteral("read_only"), QStringLiteral("-user"),
                                            QStringLiteral("SYSDBA"), QStringLiteral("-password"),
                                            QStringLiteral("quillfern"), arquivo});
        QVERIFY(gfix.waitForFinished(60000));
        const QByteArray saida = gfix.readAll();
        QVERIFY2(gfix.exitCode() == 0 && saida.trimmed().isEmpty(), saida.constData());

        // The database now refuses every write, even from SYSDBA.
        {
            QSqlDatabase db = bancoteste::abreEscritaFirebird(nome, QStringLiteral("prova-fixa"));
            for (const QString &sql : Escritas) {
                const QString erro = recusa(db, sql);
                QVERIFY2(!erro.isEmpty(), qPrintable(QStringLiteral("aceito: ") + sql));
                QVERIFY2(erro.contains(QStringLiteral("read-only"), Qt::CaseInsensitive), qPrintable(erro));
            }
        }
        bancoteste::fechaConexao(QStringLiteral("prova-fixa"));

        const QString pastaDados = noServidor ? servidoresteste::nomeNoServidor(pasta.path()) : pasta.path();
        bancoteste::escreveOrvoIni(pasta.path(), pastaDados.toUtf8() + "\r\n");
        tresAvisosCorretos(pasta.path());
        QCOMPARE(peloPrograma(QStringLiteral("SELECT MON$READ_ONLY AS valor FROM MON$DATABASE")).toInt(), 1);
    }
};

QTEST_MAIN(TestSomenteLeitura)
#include "tst_somente_leitura.moc"
