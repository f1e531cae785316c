// orvo.ini read into the data folder, kind and provider flag, and the exact
// connection string each configuration gives.
#include "startup/Configuracao.h"

#include <QTest>

namespace {
const QString Fire1 = QStringLiteral(" provider=LCPI.IBProvider.1;data source=");
const QString Fire2 = QStringLiteral("\\VENDAS.FDB ; user id=sysdba;password=quillfern; ctype=none;auto_commit=true;Persist Security Info=True");
QString fire(const QString &pasta) { return Fire1 + pasta + Fire2; }
QString jet(const QString &pasta)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + pasta
        + QStringLiteral("\\Dados\\Vendas.mdb;Persist Security Info=False");
}
QString ibole(const QString &pasta)
{
    return QStringLiteral(" Provider=ibole.Provider.v4;Persist Security Info=False;Data Source=") + pasta
        + QStringLiteral("\\VENDAS.FDB");
}
} // namespace

class TestConfiguracao : public QObject {
    Q_OBJECT
private slots:
    void stringConexao_data()
    {
        QTest::addColumn<QByteArray>("arquivo");
        QTest::addColumn<QString>("esperada");
        QTest::newRow("só a pasta") << QByteArray("C:\\Vendas\r\n") << fire("C:\\Vendas");
        QTest::newRow("brancos em volta caem, os de dentro ficam")
            << QByteArray("   /dados/minha loja  \r\n") << fire("/dados/minha loja");
        // Blanks of any kind around line 1 go; those inside the folder stay.
        QTest::newRow("tabulações em volta caem") << QByteArray("\t/d\t\r\n") << fire("/d");
        QTest::newRow("tabulação depois da pasta, com outras linhas")
            << QByteArray("/dados/minha loja\t \r\nBanco=FIRE\r\n") << fire("/dados/minha loja");
        QTest::newRow("espaço sem quebra (U+00A0) em volta") << QByteArray("\xc2\xa0/d\xc2\xa0\r\n") << fire("/d");
        QTest::newRow("só brancos: linha 1 vazia") << QByteArray("\t \r\n") << fire("");
        QTest::newRow("Banco SQL") << QByteArray("/d\r\nBanco=SQL\r\n") << QStringLiteral("SQLVendas");
        QTest::newRow("Banco sql minúsculo") << QByteArray("/d\r\nBanco=sql\r\n") << QStringLiteral("SQLVendas");
        QTest::newRow("separador não é examinado") << QByteArray("/d\r\nBanco:SQL\r\n") << QStringLiteral("SQLVendas");
        QTest::newRow("chave em minúsculas não vale") << QByteArray("/d\r\nbanco=SQL\r\n") << fire("/d");
        QTest::newRow("SQL seguido de branco") << QByteArray("/d\r\nBanco=SQL \r\n") << fire("/d");
        QTest::newRow("branco antes de SQL") << QByteArray("/d\r\nBanco= SQL\r\n") << fire("/d");
        QTest::newRow("Acess") << QByteArray("/d\r\nBanco=Acess\r\n") << jet("/d");
        QTest::newRow("aCeSs") << QByteArray("/d\r\nBanco=aCeSs\r\n") << jet("/d");
        QTest::newRow("outro valor") << QByteArray("/d\r\nBanco=Oracle\r\n") << fire("/d");
        QTest::newRow("o último Banco vale") << QByteArray("/d\r\nBanco=SQL\r\nBanco=Acess\r\n") << jet("/d");
        QTest::newRow("linha 1 também é Banco") << QByteArray("Banco=SQL\r\n") << QStringLiteral("SQLVendas");
        QTest::newRow("provedor alternativo") << QByteArray("/d\r\nProviderZstyle:S\r\n") << ibole("/d");
        QTest::newRow("alternativo vence SQL") << QByteArray("/d\r\nBanco=SQL\r\nProviderZstyle:S\r\n") << ibole("/d");
        QTest::newRow("alternativo vence Acess") << QByteArray("/d\r\nProviderZstyle:S\r\nBanco=Acess\r\n") << ibole("/d");
        QTest::newRow("branco antes da chave dá ':'") << QByteArray("/d\r\n ProviderZstyle:S\r\n") << fire("/d");
        QTest::newRow("outra letra após os dois pontos") << QByteArray("/d\r\nProviderZstyle:N\r\n") << fire("/d");
        QTest::newRow("texto colado ao S") << QByteArray("/d\r\nProviderZstyle:SX\r\n") << fire("/d");
        QTest::newRow("texto após um branco") << QByteArray("/d\r\nProviderZstyle:S qualquer\r\n") << ibole("/d");
        QTest::newRow("arquivo vazio") << QByteArray() << fire("");
        QTest::newRow("finais de linha LF") << QByteArray("/d\nBanco=SQL\n") << QStringLiteral("SQLVendas");
        QTest::newRow("sem final na última linha") << QByteArray("/d\r\nBanco=Acess") << jet("/d");
        QTest::newRow("UTF-8") << QByteArray("/dados/João\r\n") << fire(QStringLiteral("/dados/João"));
        QTest::newRow("Windows-1252") << QByteArray("/dados/Jo\xe3o\r\n") << fire(QStringLiteral("/dados/João"));
        QTest::newRow("marca de UTF-8") << QByteArray("\xef\xbb\xbf/d\r\n") << fire("/d");
        // Notepad's "Unicode": UTF-16 with its byte-order mark.
        const auto utf16 = [](const QString &texto, bool bigEndian) {
            QByteArray bytes(bigEndian ? "\xfe\xff" : "\xff\xfe", 2);
            for (QChar c : texto) {
                const char alto = char(c.unicode() >> 8), baixo = char(c.unicode() & 0xff);
                bytes += bigEndian ? QByteArray{&alto, 1} + QByteArray{&baixo, 1} : QByteArray{&baixo, 1} + QByteArray{&alto, 1};
            }
            return bytes;
        };
        QTest::newRow("UTF-16 do Bloco de Notas")
            << utf16(QStringLiteral("/dados/João\r\nBanco=Acess\r\n"), false) << jet(QStringLiteral("/dados/João"));
        QTest::newRow("UTF-16 big-endian") << utf16(QStringLiteral("/d\r\nBanco=SQL\r\n"), true) << QStringLiteral("SQLVendas");
        QTest::newRow("UTF-16 com tabulação depois da pasta")
            << utf16(QStringLiteral("/srv/vendas\t\r\n"), false) << fire(QStringLiteral("/srv/vendas"));
    }
    void stringConexao()
    {
        QFETCH(QByteArray, arquivo);
        QFETCH(QString, esperada);
        QCOMPARE(montaStringConexao(interpretaConfiguracao(linhasDoArquivo(arquivo))), esperada);
    }

    // Far beyond the 32,767 lines a 16-bit counter would hold.
    void arquivoLongoELidoAteOFim()
    {
        QByteArray arquivo("/d\r\n");
        for (int i = 0; i < 40000; ++i)
            arquivo += "; comentário\r\n";
        arquivo += "Banco=SQL\r\n";
        const Configuracao c = interpretaConfiguracao(linhasDoArquivo(arquivo));
        QCOMPARE(c.tipoBanco, QStringLiteral("SQL"));
        QCOMPARE(c.pastaDados, QStringLiteral("/d"));
    }

    // The site's Firebird login: key without regard to case, value up to the
    // end of the line with the blanks at its ends dropped, the last line wins.
    void login_data()
    {
        QTest::addColumn<QByteArray>("arquivo");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("senha");
        QTest::newRow("sem as linhas") << QByteArray("/d\r\nBanco=FIRE\r\n") << "" << "";
        QTest::newRow("as duas") << QByteArray("/d\r\nUsuario=loja\r\nSenha=s3gr3do\r\n") << "loja" << "s3gr3do";
        QTest::newRow("caixa e brancos na chave") << QByteArray("/d\r\n USUARIO =loja\r\nsenha= x\r\n") << "loja" << "x";
        QTest::newRow("brancos de dentro ficam") << QByteArray("/d\r\nSenha=  a b  \r\n") << "" << "a b";
        QTest::newRow("= e ; no valor") << QByteArray("/d\r\nSenha=a=b;c\r\n") << "" << "a=b;c";
        QTest::newRow("valor vazio") << QByteArray("/d\r\nUsuario=\r\n") << "" << "";
        QTest::newRow("a última vale") << QByteArray("/d\r\nUsuario=a\r\nUsuario=b\r\n") << "b" << "";
        QTest::newRow("outra chave") << QByteArray("/d\r\nUsuarios=a\r\nSenha:b\r\n") << "" << "";
    }
    void login()
    {
        QFETCH(QByteArray, arquivo);
        QFETCH(QString, usuario);
        QFETCH(QString, senha);
        const Configuracao c = interpretaConfiguracao(linhasDoArquivo(arquivo));
        QCOMPARE(c.usuario, usuario);
        QCOMPARE(c.senha, senha);
        // The lines never change the connection string.
        QCOMPARE(montaStringConexao(c), fire("/d"));
    }

    void sinalizador_data()
    {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<QString>("sinalizador");
        QTest::newRow("na primeira coluna") << "ProviderZstyle:S" << "S";
        QTest::newRow("um branco antes") << " ProviderZstyle:S" << ":";
        QTest::newRow("dois brancos antes") << "  ProviderZstyle:S" << "";
        QTest::newRow("outra linha") << "Banco=FIRE" << "";
    }
    void sinalizador()
    {
        QFETCH(QString, linha);
        QFETCH(QString, sinalizador);
        QCOMPARE(interpretaConfiguracao({QStringLiteral("/d"), linha}).sinalizadorProvedor, sinalizador);
    }
};

QTEST_GUILESS_MAIN(TestConfiguracao)
#include "tst_configuracao.moc"
