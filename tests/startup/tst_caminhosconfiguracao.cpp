// The first orvo.ini found is the one read.
#include "startup/CaminhosConfiguracao.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCaminhosConfiguracao : public QObject {
    Q_OBJECT
private slots:
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
