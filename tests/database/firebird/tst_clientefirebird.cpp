// Where the Firebird client library is looked for, on either platform, with the
// machine's answers given; and the real loads of this machine's files.
#include "database/firebird/ClienteFirebird.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

using bancodados::firebird::Plataforma;
Q_DECLARE_METATYPE(Plataforma)

namespace {
// The file a function of this process was loaded from.
QString arquivoDe(const void *funcao)
{
    Dl_info info{};
    return dladdr(funcao, &info) && info.dli_fname ? QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath()
                                                   : QString();
}
} // namespace

class TestClienteFirebird : public QObject {
    Q_OBJECT
private slots:
    void procura_data()
    {
        QTest::addColumn<Plataforma>("plataforma");
        QTest::addColumn<QString>("programa");
        QTest::addColumn<QString>("registrada");
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QStringList>("carregam");  // files that load whole
        QTest::addColumn<QStringList>("recusados"); // files there that lack a function
        QTest::addColumn<QString>("achado");
        QTest::addColumn<QStringList>("procurados");

        const QString aoLado = QStringLiteral("/opt/orvo/libfbclient.so.2");
        const QString sistema = QStringLiteral("libfbclient.so.2");
        const QString doSistema = QStringLiteral("libfbclient.so.2 (bibliotecas do sistema)");
        QTest::newRow("Linux: ao lado do programa vence")
            << Plataforma::Linux << "/opt/orvo" << "" << QStringList{"/usr/lib"} << QStringList{aoLado, sistema}
            << QStringList() << aoLado << QStringList{aoLado};
        QTest::newRow("Linux: a busca do sistema pelo nome")
            << Plataforma::Linux << "/opt/orvo/" << "" << QStringList{"/usr/lib"} << QStringList{sistema}
            << QStringList() << sistema << QStringList{aoLado, doSistema};
        QTest::newRow("Linux: o de ao lado sem uma função é passado")
            << Plataforma::Linux << "/opt/orvo" << "" << QStringList() << QStringList{sistema} << QStringList{aoLado}
            << sistema
            << QStringList{aoLado + QStringLiteral(" (não tem a função fb_cancel_operation)"), doSistema};
        QTest::newRow("Linux: registro e PATH não contam")
            << Plataforma::Linux << "/opt/orvo" << "C:\\Firebird" << QStringList{"/usr/lib"}
            << QStringList{"/usr/lib/libfbclient.so.2", "C:\\Firebird\\libfbclient.so.2"} << QStringList() << ""
            << QStringList{aoLado, doSistema};

        const QString programa = QStringLiteral("C:\\Sistema\\fbclient.dll");
        const QString instalacao = QStringLiteral("C:\\Program Files\\Firebird\\Firebird_4_0\\");
        const QString raiz = instalacao + QStringLiteral("fbclient.dll");
        const QString bin = instalacao + QStringLiteral("bin\\fbclient.dll");
        QTest::newRow("Windows: ao lado do programa vence")
            << Plataforma::Windows << "C:/Sistema" << instalacao << QStringList{"C:\\Windows"}
            << QStringList{programa, raiz, "C:\\Windows\\fbclient.dll"} << QStringList() << programa
            << QStringList{programa};
        QTest::newRow("Windows: a instalação registrada antes do PATH")
            << Plataforma::Windows << "C:/Sistema" << instalacao << QStringList{"C:\\Windows"}
            << QStringList{raiz, "C:\\Windows\\fbclient.dll"} << QStringList() << raiz << QStringList{programa, raiz};
        QTest::newRow("Windows: Firebird 2.5, o cliente em bin")
            << Plataforma::Windows << "C:/Sistema" << instalacao << QStringList{"C:\\Windows"}
            << QStringList{bin, "C:\\Windows\\fbclient.dll"} << QStringList() << bin
            << QStringList{programa, raiz, bin};
        QTest::newRow("Windows: sem registro, o PATH na ordem, só pastas inteiras")
            << Plataforma::Windows << "C:/Sistema" << ""
            << QStringList{"C:\\Windows", "\"C:\\Program Files\\Firebird\"", "relativa", "\\\\loja\\bin", "D:\\Vendas\\"}
            << QStringList{"D:\\Vendas\\fbclient.dll", "relativa\\fbclient.dll"} << QStringList()
            << "D:\\Vendas\\fbclient.dll"
            << QStringList{programa, "C:\\Windows\\fbclient.dll", "C:\\Program Files\\Firebird\\fbclient.dll",
                           "\\\\loja\\bin\\fbclient.dll", "D:\\Vendas\\fbclient.dll"};
        QTest::newRow("Windows: em nenhum lugar, todos listados")
            << Plataforma::Windows << "C:/Sistema" << instalacao << QStringList{"C:\\Windows", "C:\\Windows\\"}
            << QStringList() << QStringList{raiz} << ""
            << QStringList{programa, raiz + QStringLiteral(" (não tem a função fb_cancel_operation)"), bin,
                           "C:\\Windows\\fbclient.dll"};
    }
    void procura()
    {
        QFETCH(Plataforma, plataforma);
        QFETCH(QString, programa);
        QFETCH(QString, registrada);
        QFETCH(QStringList, path);
        QFETCH(QStringList, carregam);
        QFETCH(QStringList, recusados);
        QFETCH(QString, achado);
        QFETCH(QStringList, procurados);
        QStringList tentados;
        const bancodados::firebird::BuscasDoCliente buscas{
            [&](const QString &arquivo) -> bancodados::firebird::Carga {
                tentados << arquivo;
                if (carregam.contains(arquivo))
                    return {true, {}};
                if (recusados.contains(arquivo))
                    return {false, QStringLiteral("não tem a função fb_cancel_operation")};
                return {};
            },
            [&] { return registrada; }, [&] { return path; }, [&] { return programa; }};
        const bancodados::firebird::BuscaDoCliente busca = bancodados::firebird::procuraCliente(plataforma, buscas);
        QCOMPARE(busca.achado, achado);
        QCOMPARE(busca.procurados, procurados);
        QCOMPARE(tentados.size(), procurados.size()); // nothing is loaded after the one found
    }

    // This machine's files through QLibrary. "REAL" is the client the system's
    // search finds; "QT" a library that is no Firebird client.
    void carrega_data()
    {
        QTest::addColumn<QString>("arquivo");     // under a temporary folder unless bare
        QTest::addColumn<QString>("ligadoA");     // what the file is a link to; "" : none
        QTest::addColumn<QByteArray>("conteudo"); // a plain file's bytes when not a link
        QTest::addColumn<bool>("carregou");
        QTest::addColumn<QString>("problema");    // its start
        QTest::newRow("pelo nome, como o sistema o acha") << "libfbclient.so.2" << "" << QByteArray() << true << "";
        QTest::newRow("ao lado do programa") << "bin/libfbclient.so.2" << "REAL" << QByteArray() << true << "";
        QTest::newRow("arquivo que não existe") << "bin/libfbclient.so.2" << "" << QByteArray() << false << "";
        QTest::newRow("arquivo que não é biblioteca")
            << "bin/libfbclient.so.2" << "" << QByteArray("não sou o Firebird") << false << "Cannot load library";
        QTest::newRow("biblioteca sem as funções do Firebird")
            << "bin/libfbclient.so.2" << "QT" << QByteArray() << false << "não tem a função isc_attach_database";
    }
    void carrega()
    {
        QFETCH(QString, arquivo);
        QFETCH(QString, ligadoA);
        QFETCH(QByteArray, conteudo);
        QFETCH(bool, carregou);
        QFETCH(QString, problema);
        const bancodados::firebird::ClienteFirebird &real = bancodados::firebird::cliente();
        QCOMPARE(real.arquivo, QStringLiteral("libfbclient.so.2")); // nothing beside the test program
        QTemporaryDir tmp;
        if (arquivo.contains(u'/')) {
            arquivo = tmp.filePath(arquivo);
            QVERIFY(QDir().mkpath(QFileInfo(arquivo).path()));
            // Links, so the library loaded is the very file already in the process.
            if (ligadoA == QLatin1String("REAL"))
                QVERIFY(QFile::link(arquivoDe(reinterpret_cast<const void *>(real.isc_attach_database)), arquivo));
            else if (ligadoA == QLatin1String("QT"))
                QVERIFY(QFile::link(arquivoDe(reinterpret_cast<const void *>(&qVersion)), arquivo));
            else if (!conteudo.isEmpty()) {
                QFile arquivoFalso(arquivo);
                QVERIFY(arquivoFalso.open(QIODevice::WriteOnly));
                arquivoFalso.write(conteudo);
            }
        }
        bancodados::firebird::ClienteFirebird funcoes;
        const bancodados::firebird::Carga carga = bancodados::firebird::carregaCliente(arquivo, funcoes);
        QCOMPARE(carga.carregou, carregou);
        QVERIFY2(problema.isEmpty() ? carga.problema.isEmpty() : carga.problema.startsWith(problema),
                 qPrintable(carga.problema));
        if (!carregou) {
            QVERIFY(!funcoes.isc_attach_database && funcoes.arquivo.isEmpty());
            return;
        }
        QCOMPARE(funcoes.arquivo, arquivo);
        // The functions are the client's own: it tells its Firebird version.
        QVERIFY(funcoes.isc_attach_database == real.isc_attach_database);
        char versao[256] = {};
        funcoes.isc_get_client_version(versao);
        QVERIFY2(QByteArray(versao).contains("Firebird "), versao);
    }
};

QTEST_GUILESS_MAIN(TestClienteFirebird)
#include "tst_clientefirebird.moc"
