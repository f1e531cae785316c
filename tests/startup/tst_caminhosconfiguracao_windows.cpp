// Where orvo.ini is looked for on Windows: the program folder, then the
// user's and the machine's application data folders.
#include "startup/CaminhosConfiguracao.h"
#include "startup/VariavelDeAmbiente.h"
#include "toolkit/Toolkit.h"

#include <QTest>

class TestCaminhosConfiguracaoWindows : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { toolkit::definePastaDoPrograma(QString()); }

    void ordem_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::addColumn<QString>("appData");
        QTest::addColumn<QString>("programData");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("as duas variáveis")
            << "C:/Sistema" << "C:\\Users\\ana\\AppData\\Roaming" << "C:\\ProgramData"
            << QStringList{"C:/Sistema/orvo.ini", "C:/Users/ana/AppData/Roaming/OrvoAviso/orvo.ini",
                           "C:/ProgramData/OrvoAviso/orvo.ini"};
        QTest::newRow("barras finais")
            << "C:/Sistema/" << "D:\\Perfis\\ana\\" << "E:\\Dados\\"
            << QStringList{"C:/Sistema/orvo.ini", "D:/Perfis/ana/OrvoAviso/orvo.ini", "E:/Dados/OrvoAviso/orvo.ini"};
        QTest::newRow("programa na raiz de uma unidade")
            << "C:/" << "C:\\u" << "C:\\m"
            << QStringList{"C:/orvo.ini", "C:/u/OrvoAviso/orvo.ini", "C:/m/OrvoAviso/orvo.ini"};
        QTest::newRow("a mesma pasta duas vezes é procurada uma vez")
            << "C:/Sistema" << "C:\\Comum" << "C:\\Comum"
            << QStringList{"C:/Sistema/orvo.ini", "C:/Comum/OrvoAviso/orvo.ini"};
    }
    void ordem()
    {
        QFETCH(QString, programa);
        QFETCH(QString, appData);
        QFETCH(QString, programData);
        QFETCH(QStringList, esperados);
        toolkit::definePastaDoPrograma(programa);
        Variavel usuario("APPDATA", appData);
        Variavel maquina("PROGRAMDATA", programData);
        QCOMPARE(caminhosConfiguracao(), esperados);
    }

    // Without the variables (or with relative ones) the folders Windows
    // records are used: the user's roaming application data and the
    // machine's program data.
    void pastasRegistradas_data()
    {
        QTest::addColumn<QString>("valor"); // of both variables; null: removed
        QTest::newRow("sem as variáveis") << QString();
        QTest::newRow("variáveis vazias") << "";
        QTest::newRow("variáveis relativas") << "Dados";
    }
    void pastasRegistradas()
    {
        QFETCH(QString, valor);
        toolkit::definePastaDoPrograma(QStringLiteral("C:/Sistema"));
        Variavel usuario("APPDATA", valor);
        Variavel maquina("PROGRAMDATA", valor);
        const QStringList caminhos = caminhosConfiguracao();
        QCOMPARE(caminhos.size(), 3);
        QVERIFY2(caminhos[1].endsWith(QStringLiteral("/AppData/Roaming/OrvoAviso/orvo.ini"), Qt::CaseInsensitive),
                 qPrintable(caminhos[1]));
        QVERIFY2(caminhos[2].endsWith(QStringLiteral(":/ProgramData/OrvoAviso/orvo.ini"), Qt::CaseInsensitive),
                 qPrintable(caminhos[2]));
    }
};

QTEST_GUILESS_MAIN(TestCaminhosConfiguracaoWindows)
#include "tst_caminhosconfiguracao_windows.moc"
