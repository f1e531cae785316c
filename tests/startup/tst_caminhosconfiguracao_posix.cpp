// Where orvo.ini is looked for: the program folder, then the user's and the
// workstation's configuration folders as the XDG variables name them.
#include "startup/CaminhosConfiguracao.h"
#include "startup/VariavelDeAmbiente.h"
#include "toolkit/Toolkit.h"

#include <QDir>
#include <QTest>

class TestCaminhosConfiguracaoPosix : public QObject {
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

};

QTEST_GUILESS_MAIN(TestCaminhosConfiguracaoPosix)
#include "tst_caminhosconfiguracao_posix.moc"
