// The Portuguese sentence put before the engine's own words, and whether the
// status line says the connection failed, for the errors as the Firebird
// engine and the ODBC driver manager give them (their codes, texts and
// system error numbers copied from real failures). The tests that start the
// program show the same sentences on the real engine.
#include "database/BancoDados.h"
#include "database/firebird/ClienteFirebird.h"
#include "database/firebird/RaizFirebird.h"
#include "startup/ExplicacaoFalha.h"

#include <QTest>
#include <cerrno>
#include <ibase.h>

using Codigos = QList<long>;
using Argumentos = QList<QStringList>;
Q_DECLARE_METATYPE(Codigos)
Q_DECLARE_METATYPE(Argumentos)

class TestExplicacaoFalha : public QObject {
    Q_OBJECT
private slots:
    void explica_data()
    {
        QTest::addColumn<long>("numero");
        QTest::addColumn<QString>("descricao");
        QTest::addColumn<Codigos>("codigos");
        QTest::addColumn<Argumentos>("argumentos");
        QTest::addColumn<int>("erroDoSistema");
        QTest::addColumn<bool>("naAbertura");
        QTest::addColumn<bool>("servidorLocal");
        QTest::addColumn<QString>("frase");     // its start; empty: no sentence of its own
        QTest::addColumn<bool>("semConexao");   // the status line's kind

        const QString grupo = QStringLiteral("O Firebird deste computador só pode ser usado por quem pertence ao grupo "
                                             "\"firebird\", e o usuário maria não pertence a ele nesta sessão");
        // The lock folder refused: the system's reason in the user's language,
        // the codes the same. Nothing in the text is looked at.
        for (const char *motivo : {"Permission denied", "Permissão negada", "Permiso denegado"})
            QTest::addRow("grupo firebird: %s", motivo)
                << -902L << QStringLiteral("operating system directive access failed\n%1\n/tmp/firebird/").arg(motivo)
                << Codigos{isc_sys_request, isc_random} << Argumentos{{"access"}, {"/tmp/firebird/"}} << EACCES << true
                << false << grupo << true;
        QTest::newRow("outra chamada do sistema, outro motivo")
            << -902L << "operating system directive mkdir failed\nNo space left on device\n/tmp/firebird/"
            << Codigos{isc_sys_request, isc_random} << Argumentos{{"mkdir"}, {"/tmp/firebird/"}} << ENOSPC << true
            << false << "" << true;
        const Argumentos abrindo{{"open", "/srv/vendas/VENDAS.FDB"}, {}};
        QTest::newRow("arquivo que não existe")
            << -902L << "I/O error during \"open\" operation for file \"/srv/vendas/VENDAS.FDB\"\nError while trying "
                        "to open file\nNo such file or directory"
            << Codigos{isc_io_error, isc_io_open_err} << abrindo << ENOENT << true << false
            << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB não existe" << true;
        QTest::newRow("o próprio arquivo sem permissão")
            << -902L << "I/O error during \"open\" operation for file \"/srv/vendas/VENDAS.FDB\"\nError while trying "
                        "to open file\nPermissão negada"
            << Codigos{isc_io_error, isc_io_open_err} << abrindo << EACCES << true << false
            << "O usuário maria não tem permissão para abrir o arquivo do banco de dados /srv/vendas/VENDAS.FDB"
            << true;
        QTest::newRow("arquivo sem permissão, pelo motor")
            << -551L << "no permission for read-write access to database /srv/vendas/VENDAS.FDB"
            << Codigos{isc_no_priv} << Argumentos{{"read-write", "database", "/srv/vendas/VENDAS.FDB"}} << 0 << true
            << false << "O usuário maria não tem permissão para abrir o arquivo do banco de dados /srv/vendas/VENDAS.FDB"
            << true;
        QTest::newRow("usuário que não lê uma tabela")
            << -551L << "no permission for SELECT access to TABLE CONTA" << Codigos{isc_no_priv}
            << Argumentos{{"SELECT", "TABLE", "CONTA"}} << 0 << false << false
            << "O usuário do banco de dados não pode ler a tabela CONTA" << false;
        QTest::newRow("páginas estragadas sob o motor")
            << -902L << "Missing crypt plugin, but page appears encrypted" << Codigos{isc_no_crypt_plugin}
            << Argumentos{{}} << 0 << false << false << "O arquivo do banco de dados de vendas está estragado" << true;
        QTest::newRow("arquivo vazio")
            << -902L << "I/O error during \"read\" operation for file \"/srv/vendas/VENDAS.FDB\"\nFile size is less "
                        "than expected"
            << Codigos{isc_io_error, isc_random} << Argumentos{{"read", "/srv/vendas/VENDAS.FDB"}, {"File size is less than expected"}}
            << 0 << true << false << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB não pode ser lido" << true;
        // A file of another on-disk structure: the versions come as numbers.
        QTest::newRow("arquivo do Firebird 4 no Firebird 3 (textos reais)")
            << -820L << "unsupported on-disk structure for file /srv/vendas/VENDAS.FDB; found 13.0, support 12.2"
            << Codigos{isc_wrong_ods} << Argumentos{{"/srv/vendas/VENDAS.FDB", "13", "0", "12", "2"}} << 0 << true
            << false
            << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB é de outra versão do Firebird (estrutura ODS 13.0, "
               "do Firebird 4), que o Firebird deste computador (ODS 12.2, do Firebird 3) não abre"
            << true;
        QTest::newRow("arquivo do Firebird 3 no Firebird 4")
            << -820L << "unsupported on-disk structure for file /srv/vendas/VENDAS.FDB; found 12.0, support 13.0"
            << Codigos{isc_wrong_ods} << Argumentos{{"/srv/vendas/VENDAS.FDB", "12", "0", "13", "0"}} << 0 << true
            << false
            << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB é de outra versão do Firebird (estrutura ODS 12.0, "
               "do Firebird 3), que o Firebird deste computador (ODS 13.0, do Firebird 4) não abre: faça o servidor "
               "Firebird que o criou servir o arquivo, escrevendo a linha 1 do orvo.ini como servidor:/pasta, ou "
               "converta o arquivo para a versão deste computador com um backup e um restore (gbak)."
            << true;
        QTest::newRow("arquivo do Firebird 2.5 no Firebird 3")
            << -820L << "unsupported on-disk structure for file /srv/vendas/VENDAS.FDB; found 11.2, support 12.2"
            << Codigos{isc_wrong_ods} << Argumentos{{"/srv/vendas/VENDAS.FDB", "11", "2", "12", "2"}} << 0 << true
            << false
            << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB é de outra versão do Firebird (estrutura ODS 11.2, "
               "do Firebird 2.5), que o Firebird deste computador (ODS 12.2, do Firebird 3) não abre"
            << true;
        QTest::newRow("estrutura que não se conhece")
            << -820L << "unsupported on-disk structure for file /srv/vendas/VENDAS.FDB; found 14.0, support 13.1"
            << Codigos{isc_wrong_ods} << Argumentos{{"/srv/vendas/VENDAS.FDB", "14", "0", "13", "1"}} << 0 << true
            << false
            << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB é de outra versão do Firebird (estrutura ODS 14.0), "
               "que o Firebird deste computador (ODS 13.1, do Firebird 5) não abre"
            << true;
        const Codigos preso{isc_io_error, isc_already_opened};
        const Argumentos presoArgs{{"lock", "/srv/vendas/VENDAS.FDB"}, {}};
        const QString presoTexto = QStringLiteral("I/O error during \"lock\" operation for file \"/srv/vendas/VENDAS.FDB\"\n"
                                                  "Database already opened with engine instance, incompatible with current");
        QTest::newRow("preso por um servidor Super deste computador")
            << -902L << presoTexto << preso << presoArgs << 0 << true << true
            << "O arquivo do banco de dados está aberto por um servidor Firebird" << true;
        QTest::newRow("preso por outro programa, sem servidor")
            << -902L << presoTexto << preso << presoArgs << 0 << true << false
            << "O arquivo do banco de dados /srv/vendas/VENDAS.FDB está preso por outro programa deste computador"
            << true;
        QTest::newRow("servidor Firebird recusou a senha")
            << -902L << "Your user name and password are not defined. Ask your database administrator to set up a "
                        "Firebird login."
            << Codigos{isc_login} << Argumentos{{}} << 0 << true << false
            << "O servidor do banco de dados não aceitou o usuário e a senha" << true;
        QTest::newRow("PostgreSQL recusou a senha")
            << long(bancodados::ErroGenericoProvedor) << "FATAL:  password authentication failed for user \"leitor\""
            << Codigos{} << Argumentos{} << 0 << true << false
            << "O servidor do banco de dados não aceitou o usuário e a senha" << true;
        QTest::newRow("ninguém atende na porta do Firebird")
            << -902L << "Unable to complete network request to host \"127.0.0.1\".\nFailed to establish a "
                        "connection.\nConexão recusada"
            << Codigos{isc_network_error, isc_net_connect_err} << Argumentos{{"127.0.0.1"}, {}} << ECONNREFUSED << true
            << false << "O servidor do banco de dados recusou a conexão" << true;
        QTest::newRow("servidor que não se acha na rede")
            << -902L << "Unable to complete network request to host \"loja\".\nFailed to locate host machine."
            << Codigos{isc_network_error, isc_net_lookup_err, isc_host_unknown} << Argumentos{{"loja"}, {}, {}} << 0
            << true << false << "O servidor \"loja\" da linha 1 do orvo.ini não foi encontrado na rede" << true;
        QTest::newRow("servidor que não responde")
            << long(bancodados::ErroSemResposta) << "O banco de dados não respondeu em 60 segundos." << Codigos{}
            << Argumentos{} << 0 << false << false << "O servidor do banco de dados não respondeu" << true;
        QTest::newRow("fonte de dados ODBC que não existe")
            << long(bancodados::ErroGenericoProvedor)
            << "[unixODBC][Driver Manager]Data source name not found and no default driver specified" << Codigos{}
            << Argumentos{} << 0 << true << false
            << "A fonte de dados ODBC \"SQLVendas\" não está definida neste computador: defina-a em /etc/odbc.ini "
               "(para todos os usuários) ou em ~/.odbc.ini (só para este usuário)"
            << true;
        QTest::newRow("nenhuma pasta para a raiz do Firebird")
            << long(bancodados::ErroSemRaizFirebird) << "Pastas tentadas: /a, /b" << Codigos{} << Argumentos{} << 0 << false
            << false << "O OrvoAviso não conseguiu criar a sua configuração do Firebird" << true;
        QTest::newRow("cliente do Firebird em nenhum lugar")
            << long(bancodados::firebird::ErroSemClienteFirebird)
            << "Procurado em: /opt/orvo/libfbclient.so.2, libfbclient.so.2 (bibliotecas do sistema)" << Codigos{}
            << Argumentos{} << 0 << false << false
            << "O OrvoAviso não encontrou o cliente do Firebird (libfbclient.so.2), sem o qual não lê o banco de dados "
               "de vendas: instale o cliente do Firebird (o pacote libfbclient2) ou ponha o libfbclient.so.2 na pasta "
               "do OrvoAviso."
            << true;
        // The database answered: it lacks what the statements read.
        QTest::newRow("coluna que falta")
            << -206L << "Dynamic SQL Error\nSQL error code = -206\nColumn unknown\nD.PROVPAGAR\nAt line 1, column 601"
            << Codigos{isc_dsql_error, isc_sqlerr, isc_dsql_field_err, isc_random, isc_dsql_line_col_error}
            << Argumentos{{}, {}, {}, {"D.PROVPAGAR"}, {}} << 0 << false << false
            << "O banco de dados não tem a coluna PROVPAGAR, que o OrvoAviso lê: ele será de outra versão do sistema "
               "de vendas?"
            << false;
        QTest::newRow("tabela que falta")
            << -204L << "Dynamic SQL Error\nSQL error code = -204\nTable unknown\nCONTAGRUPO\nAt line 1, column 15"
            << Codigos{isc_dsql_error, isc_sqlerr, isc_dsql_relation_err, isc_random, isc_dsql_line_col_error}
            << Argumentos{{}, {}, {}, {"CONTAGRUPO"}, {}} << 0 << false << false
            << "O banco de dados não tem a tabela CONTAGRUPO, que o OrvoAviso lê" << false;
        QTest::newRow("coluna que falta no PostgreSQL")
            << 1L << "ERROR: column d.provpagar does not exist;\nError while executing the query" << Codigos{}
            << Argumentos{} << 0 << false << false << "O banco de dados não tem a coluna PROVPAGAR, que o OrvoAviso lê"
            << false;
        QTest::newRow("tabela que falta no PostgreSQL")
            << 1L << "ERROR: relation \"contagrupo\" does not exist;\nError while executing the query" << Codigos{}
            << Argumentos{} << 0 << false << false << "O banco de dados não tem a tabela CONTAGRUPO, que o OrvoAviso lê"
            << false;
        QTest::newRow("outro erro do comando")
            << -104L << "Dynamic SQL Error\nSQL error code = -104\nToken unknown" << Codigos{isc_dsql_error, isc_sqlerr}
            << Argumentos{{}, {}} << 0 << false << false << "" << false;
        QTest::newRow("conexão perdida na leitura")
            << -902L << "Error reading data from the connection." << Codigos{isc_network_error, isc_net_read_err}
            << Argumentos{{"localhost"}, {}} << ECONNRESET << false << false << "A conexão com o banco de dados caiu"
            << true;
    }
    void explica()
    {
        QFETCH(long, numero);
        QFETCH(QString, descricao);
        QFETCH(Codigos, codigos);
        QFETCH(Argumentos, argumentos);
        QFETCH(int, erroDoSistema);
        QFETCH(bool, naAbertura);
        QFETCH(bool, servidorLocal);
        QFETCH(QString, frase);
        QFETCH(bool, semConexao);
        const ErroSistema erro(numero, descricao, DetalheErro{codigos, argumentos, erroDoSistema, naAbertura});
        const ContextoFalha contexto{QStringLiteral("maria"), [servidorLocal] { return servidorLocal; }, {}, {}};
        const Explicacao explicacao = explicaFalha(erro, contexto);
        if (frase.isEmpty())
            QCOMPARE(explicacao.frase, QString());
        else
            QVERIFY2(explicacao.frase.startsWith(frase), qPrintable(explicacao.frase));
        // One line, ending as a sentence; the message box breaks lines with carriage returns.
        QVERIFY(!explicacao.frase.contains(u'\n') && !explicacao.frase.contains(QChar(13)));
        QVERIFY(frase.isEmpty() || explicacao.frase.endsWith(u'.'));

        const QDateTime quando(QDate(2026, 12, 8), QTime(9, 5));
        QCOMPARE(textoDaSituacao(erro, quando), semConexao ? QStringLiteral("Sem conexão com o banco de dados às 09:05")
                                                           : QStringLiteral("Erro ao ler as contas às 09:05"));

        // The start-up message: the sentence (or the plain one), then the engine's words.
        const QStringList linhas = mensagemAberturaFalhou(erro, contexto).split(QChar(13));
        QCOMPARE(linhas.value(0), frase.isEmpty() ? QStringLiteral("Não foi possível abrir o banco de dados de vendas.")
                                                  : explicacao.frase);
        QCOMPARE(linhas.value(1), descricao + QStringLiteral(" (Nº: %1)").arg(numero));
        if (!frase.startsWith(QLatin1String("O Firebird deste computador")))
            return;
        const QString mensagem = linhas.join(QChar(13));
        QVERIFY2(mensagem.contains(QChar(13) + QStringLiteral("    sudo adduser maria firebird") + QChar(13)),
                 qPrintable(mensagem));
        QVERIFY2(mensagem.contains(QStringLiteral("saia e entre de novo na sessão")), qPrintable(mensagem));
    }

    // Where ODBC looks for the data source, as the environment says.
    void ondeOOdbcProcura()
    {
        const ErroSistema erro(bancodados::ErroGenericoProvedor,
                               QStringLiteral("[unixODBC][Driver Manager]Data source name not found and no default "
                                              "driver specified"));
        const ContextoFalha contexto{QStringLiteral("maria"), {}, QStringLiteral("/home/maria/odbc.ini"),
                                     QStringLiteral("/opt/odbc")};
        QVERIFY2(explicaFalha(erro, contexto).frase.contains(QStringLiteral(
                     "defina-a em /opt/odbc/odbc.ini (para todos os usuários) ou em /home/maria/odbc.ini (só para "
                     "este usuário)")),
                 qPrintable(explicaFalha(erro, contexto).frase));
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
