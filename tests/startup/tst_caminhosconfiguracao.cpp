// Where orvo.ini is looked for: the program folder, then the user's and the
// workstation's configuration folders as the environment names them.
#include "toolkit/Toolkit.h"
#include "startup/CaminhosConfiguracao.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Sets (or, with a null value, removes) one variable for the life of the object.
class Variavel {
public:
    Variavel(const char *nome, const QString &valor)
        : nome_(nome), antes_(qgetenv(nome)), havia_(qEnvironmentVariableIsSet(nome))
    {
        if (valor.isNull())
            qunsetenv(nome);
        else
            qputenv(nome, QFile::encodeName(valor));
    }
    ~Variavel()
    {
        if (havia_)
            qputenv(nome_, antes_);
        else
            qunsetenv(nome_);
    }

private:
    const char *nome_;
    QByteArray antes_;
    bool havia_;
};
} // namespace

class TestCaminhosConfiguracao : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { toolkit::definePastaDoPrograma(QString()); }

    void ordem_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("configDirs");
        QTest::addColumn<QStringList>("esperados");
        const QString casa = QDir::homePath();
        QTest::newRow("sem variáveis: ~/.config e /etc/xdg")
            << "/opt/orvo" << QString() << QString()
            << QStringList{"/opt/orvo/orvo.ini", casa + "/.config/orvoaviso/orvo.ini", "/etc/xdg/orvoaviso/orvo.ini"};
        QTest::newRow("variáveis vazias valem como ausentes")
            << "/opt/orvo" << "" << ""
            << QStringList{"/opt/orvo/orvo.ini", casa + "/.config/orvoaviso/orvo.ini", "/etc/xdg/orvoaviso/orvo.ini"};
        QTest::newRow("XDG_CONFIG_HOME e várias pastas do sistema, na ordem")
            << "/usr/bin" << "/home/ana/conf" << "/etc/loja:/usr/local/etc/xdg"
            << QStringList{"/usr/bin/orvo.ini", "/home/ana/conf/orvoaviso/orvo.ini", "/etc/loja/orvoaviso/orvo.ini",
                           "/usr/local/etc/xdg/orvoaviso/orvo.ini"};
        QTest::newRow("barras finais e entradas vazias")
            << "/usr/bin/" << "/home/ana/conf/" << ":/etc/loja/::"
            << QStringList{"/usr/bin/orvo.ini", "/home/ana/conf/orvoaviso/orvo.ini", "/etc/loja/orvoaviso/orvo.ini"};
        QTest::newRow("pastas relativas são ignoradas")
            << "/usr/bin" << "conf" << "etc:/etc/loja"
            << QStringList{"/usr/bin/orvo.ini", casa + "/.config/orvoaviso/orvo.ini", "/etc/loja/orvoaviso/orvo.ini"};
        QTest::newRow("só pastas relativas no sistema: /etc/xdg")
            << "/usr/bin" << "/c" << "etc"
            << QStringList{"/usr/bin/orvo.ini", "/c/orvoaviso/orvo.ini", "/etc/xdg/orvoaviso/orvo.ini"};
        QTest::newRow("a mesma pasta duas vezes é procurada uma vez")
            << "/usr/bin" << "/etc/xdg" << "/etc/xdg:/etc/loja"
            << QStringList{"/usr/bin/orvo.ini", "/etc/xdg/orvoaviso/orvo.ini", "/etc/loja/orvoaviso/orvo.ini"};
        QTest::newRow("programa na raiz")
            << "/" << "/c" << "/d"
            << QStringList{"/orvo.ini", "/c/orvoaviso/orvo.ini", "/d/orvoaviso/orvo.ini"};
    }
    void ordem()
    {
        QFETCH(QString, programa);
        QFETCH(QString, configHome);
        QFETCH(QString, configDirs);
        QFETCH(QStringList, esperados);
        toolkit::definePastaDoPrograma(programa);
        Variavel home("XDG_CONFIG_HOME", configHome);
        Variavel dirs("XDG_CONFIG_DIRS", configDirs);
        QCOMPARE(caminhosConfiguracao(), esperados);
    }

    // The first existing file wins; folders and missing files are passed over.
    void primeiraExistente_data()
    {
        QTest::addColumn<QStringList>("existentes"); // indexes into the paths, as files; "p" = folder
        QTest::addColumn<int>("esperado");            // -1: none
        QTest::newRow("nenhum") << QStringList{} << -1;
        QTest::newRow("só o do sistema") << QStringList{"2"} << 2;
        QTest::newRow("usuário antes do sistema") << QStringList{"1", "2"} << 1;
        QTest::newRow("programa antes de todos") << QStringList{"0", "1", "2"} << 0;
        QTest::newRow("uma pasta chamada orvo.ini não conta") << QStringList{"p0", "2"} << 2;
    }
    void primeiraExistente()
    {
        QFETCH(QStringList, existentes);
        QFETCH(int, esperado);
        QTemporaryDir raiz;
        QStringList caminhos;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(QDir().mkpath(raiz.filePath(QString::number(i))));
            caminhos << raiz.filePath(QString::number(i) + QStringLiteral("/orvo.ini"));
        }
        for (const QString &e : existentes) {
            if (e.startsWith(u'p')) {
                QVERIFY(QDir().mkpath(caminhos[e.mid(1).toInt()]));
            } else {
                QFile f(caminhos[e.toInt()]);
                QVERIFY(f.open(QIODevice::WriteOnly));
            }
        }
        QCOMPARE(primeiraConfiguracaoExistente(caminhos), esperado < 0 ? QString() : caminhos[esperado]);
    }
};

QTEST_GUILESS_MAIN(TestCaminhosConfiguracao)
#include "tst_caminhosconfiguracao.moc"
