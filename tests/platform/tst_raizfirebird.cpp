// Where the program's own Firebird root is made: beside a program run from its
// build or copy folder, in the user's cache for an installed one.
#include "platform/RaizFirebird.h"
#include "platform/Toolkit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestRaizFirebird : public QObject {
    Q_OBJECT

    QTemporaryDir cache_;
    QByteArray firebirdAntes_;
    QByteArray cacheAntes_;

private slots:
    void initTestCase()
    {
        firebirdAntes_ = qgetenv("FIREBIRD");
        cacheAntes_ = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache_.path()));
    }
    void cleanup()
    {
        toolkit::definePastaDoPrograma(QString());
        qputenv("FIREBIRD", firebirdAntes_);
    }
    void cleanupTestCase() { qputenv("XDG_CACHE_HOME", cacheAntes_); }

    void instalado_data()
    {
        QTest::addColumn<QString>("pasta");   // "TMP" is a fresh writable folder
        QTest::addColumn<bool>("compartilha"); // share/orvoaviso beside it
        QTest::addColumn<bool>("instalado");
        QTest::newRow("/usr/bin") << "/usr/bin" << false << true;
        QTest::newRow("/usr/local/bin") << "/usr/local/bin" << false << true;
        QTest::newRow("/usr/bin/ com ..") << "/usr/lib/../bin/" << false << true;
        QTest::newRow("/usrx não é /usr, e não existe") << "/usrx/bin" << false << true;
        QTest::newRow("pasta de compilação") << "TMP" << false << false;
        QTest::newRow("instalado num prefixo: bin com share/orvoaviso") << "TMP" << true << true;
    }
    void instalado()
    {
        QFETCH(QString, pasta);
        QFETCH(bool, compartilha);
        QFETCH(bool, instalado);
        QTemporaryDir prefixo;
        if (pasta == QLatin1String("TMP")) {
            pasta = prefixo.filePath(QStringLiteral("bin"));
            QVERIFY(QDir().mkpath(pasta));
            if (compartilha)
                QVERIFY(QDir().mkpath(prefixo.filePath(QStringLiteral("share/orvoaviso"))));
        }
        QCOMPARE(bancodados::programaInstalado(pasta), instalado);
        toolkit::definePastaDoPrograma(pasta);
        QCOMPARE(bancodados::pastaRaizFirebird(),
                 instalado ? cache_.filePath(QStringLiteral("orvoaviso/firebird")) : pasta + QStringLiteral("/firebird"));
    }

    // The root really made where it belongs, ready for the shared engine, and
    // nothing beside an installed program.
    void preparada_data()
    {
        QTest::addColumn<bool>("instalado");
        QTest::newRow("programa instalado: no cache") << true;
        QTest::newRow("programa na sua pasta: ao lado") << false;
    }
    void preparada()
    {
        QFETCH(bool, instalado);
        QTemporaryDir prefixo;
        const QString bin = prefixo.filePath(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin));
        if (instalado)
            QVERIFY(QDir().mkpath(prefixo.filePath(QStringLiteral("share/orvoaviso"))));
        QDir(cache_.filePath(QStringLiteral("orvoaviso"))).removeRecursively();
        toolkit::definePastaDoPrograma(bin);
        qunsetenv("FIREBIRD");

        const QString raiz = bancodados::preparaRaizFirebird();
        const QString esperada =
            instalado ? cache_.filePath(QStringLiteral("orvoaviso/firebird")) : bin + QStringLiteral("/firebird");
        QCOMPARE(raiz, esperada);
        QCOMPARE(qEnvironmentVariable("FIREBIRD"), esperada);
        QFile conf(esperada + QStringLiteral("/firebird.conf"));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QVERIFY(conf.readAll().contains("ServerMode = SuperClassic"));
        QVERIFY(QFileInfo(esperada + QStringLiteral("/intl/libfbintl.so")).isFile());
        QCOMPARE(QFileInfo::exists(bin + QStringLiteral("/firebird")), !instalado);
        QCOMPARE(QFileInfo::exists(cache_.filePath(QStringLiteral("orvoaviso"))), instalado);
    }

    // A root named in the environment is the one used, wherever the program is.
    void raizDoAmbiente()
    {
        toolkit::definePastaDoPrograma(QStringLiteral("/usr/bin"));
        qputenv("FIREBIRD", "/srv/firebird-da-loja");
        QCOMPARE(bancodados::preparaRaizFirebird(), QStringLiteral("/srv/firebird-da-loja"));
    }
};

QTEST_GUILESS_MAIN(TestRaizFirebird)
#include "tst_raizfirebird.moc"
