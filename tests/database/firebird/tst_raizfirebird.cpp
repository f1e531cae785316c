// Where the program's own Firebird root is made: beside a program run from its
// build or copy folder, in the user's cache for an installed one.
#include "database/firebird/RaizFirebird.h"
#include "toolkit/Toolkit.h"
#include "base/ErroCorrente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

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
        // The engine the linked client goes with, and its plugin, behind the root.
        const bancodados::MotorFirebird &motor = bancodados::motorInstalado();
        QCOMPARE(QFileInfo(esperada + QStringLiteral("/plugins")).symLinkTarget(), motor.raiz + QStringLiteral("/plugins"));
        QVERIFY2(QFileInfo::exists(esperada + QStringLiteral("/plugins/lib") + motor.provedor + QStringLiteral(".so")),
                 qPrintable(motor.provedor));
        QCOMPARE(bancodados::provedoresLocais(), motor.provedor.toLatin1() + ", Loopback");
        // Firebird 4 loads a plugin only from its real path.
        QFile plugins(esperada + QStringLiteral("/plugins.conf"));
        QVERIFY(plugins.open(QIODevice::ReadOnly));
        const QString modulo =
            QFileInfo(motor.raiz + QStringLiteral("/plugins/lib") + motor.provedor + QStringLiteral(".so")).canonicalFilePath();
        QVERIFY(plugins.readAll().contains(
            QStringLiteral("Plugin = %1 {\n\tModule = %2\n}").arg(motor.provedor, modulo.chopped(3)).toUtf8()));
        QCOMPARE(QFileInfo::exists(bin + QStringLiteral("/firebird")), !instalado);
        QCOMPARE(QFileInfo::exists(cache_.filePath(QStringLiteral("orvoaviso"))), instalado);
    }

    // Where the root cannot be made (a cache folder that cannot be written, no
    // runtime folder), the next place the user can write takes it; with none,
    // the open is refused rather than made without it. "/proc/..." cannot be
    // made even by root; "TMP" is a fresh writable folder.
    void lugarDaRaiz_data()
    {
        QTest::addColumn<QString>("cache");
        QTest::addColumn<QString>("execucao");
        QTest::addColumn<QString>("temporaria"); // TMPDIR
        QTest::addColumn<bool>("temporariaAberta"); // its folder for this user already there, open to everyone
        QTest::addColumn<QString>("esperada");      // "" : ErroSemRaizFirebird
        QTest::newRow("cache") << "TMP" << "" << "/proc/orvo" << false << "TMP/orvoaviso/firebird";
        QTest::newRow("cache impossível: pasta de execução")
            << "/proc/orvo" << "TMP" << "/proc/orvo" << false << "TMP/orvoaviso/firebird";
        QTest::newRow("pasta de execução relativa não conta: temporária")
            << "/proc/orvo" << "relativa" << "TMP" << false << "TMP/orvoaviso-UID/firebird";
        QTest::newRow("nem cache nem execução: temporária privada")
            << "/proc/orvo" << "" << "TMP" << false << "TMP/orvoaviso-UID/firebird";
        QTest::newRow("temporária aberta a todos não serve") << "/proc/orvo" << "" << "TMP" << true << "";
        QTest::newRow("nenhum lugar") << "/proc/orvo" << "/proc/orvo" << "/proc" << false << "";
    }
    void lugarDaRaiz()
    {
        QFETCH(QString, cache);
        QFETCH(QString, execucao);
        QFETCH(QString, temporaria);
        QFETCH(bool, temporariaAberta);
        QFETCH(QString, esperada);
        QTemporaryDir tmp;
        const auto troca = [&](QString &valor) { valor.replace(QStringLiteral("TMP"), tmp.path()); };
        troca(cache);
        troca(execucao);
        troca(temporaria);
        troca(esperada);
        esperada.replace(QStringLiteral("UID"), QString::number(geteuid()));
        const QByteArray execucaoAntes = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray temporariaAntes = qgetenv("TMPDIR");
        const auto restaura = qScopeGuard([&] {
            qputenv("XDG_CACHE_HOME", QFile::encodeName(cache_.path()));
            qputenv("XDG_RUNTIME_DIR", execucaoAntes);
            qputenv("TMPDIR", temporariaAntes);
        });
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(execucao));
        qputenv("TMPDIR", QFile::encodeName(temporaria));
        if (temporariaAberta) {
            const QString aberta = temporaria + QStringLiteral("/orvoaviso-%1").arg(geteuid());
            QVERIFY(QDir().mkpath(aberta));
            QVERIFY(QFile::setPermissions(aberta, QFileDevice::Permissions(0x7777)));
        }
        toolkit::definePastaDoPrograma(QStringLiteral("/usr/bin"));
        qunsetenv("FIREBIRD");

        QString raiz;
        long erro = 0;
        try {
            raiz = bancodados::preparaRaizFirebird();
        } catch (const ErroSistema &e) {
            erro = e.numero();
            QVERIFY2(e.descricao().contains(cache + QStringLiteral("/orvoaviso/firebird")), qPrintable(e.descricao()));
        }
        if (esperada.isEmpty()) {
            QCOMPARE(erro, long(bancodados::ErroSemRaizFirebird));
            QVERIFY(qEnvironmentVariableIsEmpty("FIREBIRD"));
            return;
        }
        QCOMPARE(raiz, esperada);
        QCOMPARE(qEnvironmentVariable("FIREBIRD"), esperada);
        QFile conf(esperada + QStringLiteral("/firebird.conf"));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QVERIFY(conf.readAll().contains("ServerMode = SuperClassic"));
        if (esperada.contains(QStringLiteral("/orvoaviso-"))) // this user's alone
            QCOMPARE(QFileInfo(QFileInfo(esperada).path()).permissions() & 0x0077, QFileDevice::Permissions());
    }

    // The engine is found from the client's folder and version, whatever the
    // version: Debian's layout (libfbclient beside firebird/M.m), a Firebird
    // folder of its own (/opt/firebird/lib), the newest plugin of a root. "REAL"
    // is the engine of the client this test is linked with.
    void motor_data()
    {
        QTest::addColumn<QString>("cliente");        // folder of the client library, under TMP
        QTest::addColumn<int>("maior");
        QTest::addColumn<int>("menor");
        QTest::addColumn<QStringList>("plugins");    // engine plugins made, TMP-relative
        QTest::addColumn<QString>("raiz");           // "" : no engine
        QTest::addColumn<QString>("provedor");
        QTest::newRow("instalado") << "REAL" << 0 << 0 << QStringList() << "REAL" << "REAL";
        QTest::newRow("Debian, Firebird 4")
            << "lib" << 4 << 0 << QStringList{"lib/firebird/3.0/plugins/libEngine12.so", "lib/firebird/4.0/plugins/libEngine13.so"}
            << "lib/firebird/4.0" << "Engine13";
        QTest::newRow("Debian, Firebird 5")
            << "lib" << 5 << 0 << QStringList{"lib/firebird/5.0/plugins/libEngine13.so", "lib/firebird/5.0/plugins/libEngine14.so"}
            << "lib/firebird/5.0" << "Engine14";
        QTest::newRow("pasta própria do Firebird")
            << "opt/firebird/lib" << 4 << 0 << QStringList{"opt/firebird/plugins/libEngine13.so"} << "opt/firebird"
            << "Engine13";
        QTest::newRow("só o motor de outra versão") << "lib" << 4 << 0
                                                    << QStringList{"lib/firebird/3.0/plugins/libEngine12.so"} << ""
                                                    << "";
        QTest::newRow("nenhum motor") << "lib" << 3 << 0 << QStringList() << "" << "";
    }
    void motor()
    {
        QFETCH(QString, cliente);
        QFETCH(int, maior);
        QFETCH(int, menor);
        QFETCH(QStringList, plugins);
        QFETCH(QString, raiz);
        QFETCH(QString, provedor);
        const bancodados::MotorFirebird &instalado = bancodados::motorInstalado();
        if (cliente == QLatin1String("REAL")) {
            QVERIFY(!instalado.raiz.isEmpty());
            QVERIFY(QFileInfo(instalado.raiz + QStringLiteral("/plugins/lib") + instalado.provedor
                              + QStringLiteral(".so")).isFile());
            QVERIFY(QFileInfo(instalado.raiz + QStringLiteral("/intl/libfbintl.so")).exists());
            return;
        }
        QTemporaryDir tmp;
        for (const QString &plugin : plugins) {
            QVERIFY(QDir().mkpath(QFileInfo(tmp.filePath(plugin)).path()));
            QFile arquivo(tmp.filePath(plugin));
            QVERIFY(arquivo.open(QIODevice::WriteOnly));
        }
        const bancodados::MotorFirebird achado =
            bancodados::motorEm(bancodados::raizesDoMotor(tmp.filePath(cliente), maior, menor));
        QCOMPARE(achado.raiz, raiz.isEmpty() ? QString() : tmp.filePath(raiz));
        QCOMPARE(achado.provedor, provedor);

        // A root made for this engine is remade when the system's engine is
        // another (Debian upgraded) and kept while it is the same.
        if (raiz.isEmpty())
            return;
        const QString pasta = tmp.filePath(QStringLiteral("raiz"));
        QVERIFY(bancodados::preparaRaizEm(pasta, instalado));
        QVERIFY(QFile::remove(pasta + QStringLiteral("/plugins")));
        QVERIFY(QFile::link(achado.raiz + QStringLiteral("/plugins"), pasta + QStringLiteral("/plugins")));
        QVERIFY(bancodados::preparaRaizEm(pasta, instalado));
        QCOMPARE(QFileInfo(pasta + QStringLiteral("/plugins")).symLinkTarget(), instalado.raiz + QStringLiteral("/plugins"));
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
