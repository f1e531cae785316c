// The Portuguese explanation added to a failed connection whose engine text
// alone does not tell the user what to do.
#include "startup/ExplicacaoFalha.h"

#include <QTest>

class TestExplicacaoFalha : public QObject {
    Q_OBJECT
private slots:
    void reconhece_data()
    {
        QTest::addColumn<QString>("descricao");
        QTest::addColumn<bool>("semResposta");
        QTest::addColumn<QString>("trecho"); // of the explanation; empty: none
        const QString grupo = QStringLiteral("sudo adduser maria firebird");
        // As the engine answered an ordinary user outside the group "firebird".
        QTest::newRow("trava /tmp/firebird, como vem do driver")
            << "operating system directive access failed - Permission denied - /tmp/firebird/" << false << grupo;
        QTest::newRow("trava, linhas do status do Firebird")
            << "operating system directive access failed\n-Permission denied\n-/tmp/firebird/" << false << grupo;
        QTest::newRow("pasta de dados do Firebird")
            << "operating system directive open failed - Permission denied - /var/lib/firebird/3.0/system/security3.fdb"
            << false << grupo;
        QTest::newRow("o próprio arquivo do banco sem permissão")
            << "I/O error during \"open\" operation for file \"/srv/vendas/VENDAS.FDB\" - Error while trying to open "
               "file - Permission denied"
            << false << "";
        QTest::newRow("arquivo que não existe")
            << "I/O error during \"open\" operation for file \"/nao/VENDAS.FDB\" - Error while trying to open file - "
               "No such file or directory"
            << false << "";
        QTest::newRow("outra chamada do sistema, outro motivo")
            << "operating system directive mkdir failed - No space left on device - /tmp/firebird/" << false << "";
        QTest::newRow("servidor recusou a senha")
            << "Your user name and password are not defined. Ask your database administrator to set up a Firebird "
               "login."
            << false << "não aceitou o usuário e a senha";
        QTest::newRow("PostgreSQL recusou a senha")
            << "FATAL:  password authentication failed for user \"leitor\"" << false << "não aceitou o usuário e a senha";
        QTest::newRow("ninguém atende na porta")
            << "Unable to complete network request to host \"127.0.0.1\". - Failed to establish a connection. - "
               "Connection refused"
            << false << "recusou a conexão";
        QTest::newRow("servidor que não responde") << "O banco de dados não respondeu em 15 segundos." << true
                                                   << "não respondeu: ele está travado ou a rede";
        QTest::newRow("arquivo preso por um servidor em modo Super")
            << "I/O error during \"lock\" operation for file \"/srv/vendas/VENDAS.FDB\" - Database already opened "
               "with engine instance, incompatible with current"
            << false << "linhas Usuario= e Senha=";
        QTest::newRow("vazio") << QString() << false << "";
    }
    void reconhece()
    {
        QFETCH(QString, descricao);
        QFETCH(bool, semResposta);
        QFETCH(QString, trecho);
        const QString explicacao = explicacaoDaFalha(descricao, QStringLiteral("maria"), semResposta);
        if (trecho.isEmpty()) {
            QCOMPARE(explicacao, QString());
            return;
        }
        QVERIFY2(explicacao.contains(trecho), qPrintable(explicacao));
        QVERIFY(!explicacao.contains(u'\n')); // line breaks of the message box are carriage returns
        if (!trecho.contains(QLatin1String("adduser")))
            return;
        QVERIFY2(explicacao.contains(QStringLiteral("grupo \"firebird\"")), qPrintable(explicacao));
        QVERIFY2(explicacao.contains(QStringLiteral("o usuário maria não pertence")), qPrintable(explicacao));
        QVERIFY2(explicacao.contains(QChar(13) + QStringLiteral("    sudo adduser maria firebird") + QChar(13)),
                 qPrintable(explicacao));
        QVERIFY2(explicacao.contains(QStringLiteral("saia e entre de novo na sessão")), qPrintable(explicacao));
    }

    void nomeDoUsuarioDoProcesso()
    {
        const QString nome = nomeDoUsuario();
        QVERIFY(!nome.isEmpty());
        QVERIFY(!nome.contains(u' '));
    }
};

QTEST_GUILESS_MAIN(TestExplicacaoFalha)
#include "tst_explicacaofalha.moc"
