#include "startup/ExplicacaoFalha.h"
#include "database/BancoDados.h"
#include "database/firebird/ClienteFirebird.h"
#include "database/firebird/RaizFirebird.h"
#include "startup/Configuracao.h"

#include <QChar>
#include <QHash>
#include <QRegularExpression>
#include <QTcpSocket>
#include <cerrno>
#include <cstring>
#include <ibase.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const QChar Linha(13); // the message box's line break

// --- What the error says, told apart by codes -------------------------------

bool tem(const ErroCorrente &erro, long codigo) { return erro.detalhe.codigos.contains(codigo); }

// The texts the code carries, or those of the code that follows it (the
// engine names a missing column in an "isc_random" right after the error).
QStringList argumentosDe(const ErroCorrente &erro, long codigo)
{
    const qsizetype i = erro.detalhe.codigos.indexOf(codigo);
    if (i < 0)
        return {};
    const QStringList &proprios = erro.detalhe.argumentos.value(i);
    if (!proprios.isEmpty())
        return proprios;
    return erro.detalhe.argumentos.value(i + 1);
}

// "Connection refused" as the drivers that do not hand the system's error
// number over write it: in the user's language (the C library's words), or
// in English where the driver writes its own.
bool dizConexaoRecusada(const QString &descricao)
{
    const QString local = QString::fromLocal8Bit(std::strerror(ECONNREFUSED));
    return descricao.contains(local, Qt::CaseInsensitive)
        || descricao.contains(QLatin1String("Connection refused"), Qt::CaseInsensitive);
}

bool semPermissao(int numero) { return numero == EACCES || numero == EPERM; }

// The embedded engine refused a call on its own folders (the lock folder
// /tmp/firebird, open only to the group "firebird"): the system said no.
bool foraDoGrupo(const ErroCorrente &erro)
{
    return tem(erro, isc_sys_request) && semPermissao(erro.detalhe.erroDoSistema);
}

// The database file itself: the path the engine was opening, and why not.
QString arquivoDoErro(const ErroCorrente &erro) { return argumentosDe(erro, isc_io_error).value(1); }

bool arquivoInexistente(const ErroCorrente &erro)
{
    return tem(erro, isc_io_error)
        && (erro.detalhe.erroDoSistema == ENOENT || erro.detalhe.erroDoSistema == ENOTDIR);
}

// The system refused the file, or the engine did, seeing the file's own
// permissions ("no permission for read-write access to database ...").
bool arquivoSemPermissao(const ErroCorrente &erro)
{
    return (tem(erro, isc_io_error) && semPermissao(erro.detalhe.erroDoSistema))
        || argumentosDe(erro, isc_no_priv).value(1).compare(QLatin1String("database"), Qt::CaseInsensitive) == 0;
}

QString arquivoSemPermissaoDoErro(const ErroCorrente &erro)
{
    return tem(erro, isc_io_error) ? arquivoDoErro(erro) : argumentosDe(erro, isc_no_priv).value(2);
}

// The login may not read a table the statements read ("no permission for
// SELECT access to TABLE CONTA").
QString tabelaSemPermissao(const ErroCorrente &erro)
{
    const QStringList argumentos = argumentosDe(erro, isc_no_priv);
    return argumentos.value(1).compare(QLatin1String("database"), Qt::CaseInsensitive) == 0 ? QString()
                                                                                           : argumentos.value(2);
}

// A database of another on-disk structure (ODS) than this engine's, made by
// another Firebird: its file, the structure found and the one this engine
// reads ("unsupported on-disk structure for file @1; found @2.@3, support
// @4.@5"). Empty file when the error is another.
struct OutraEstrutura {
    QString arquivo;
    QString encontrada;
    QString suportada;
};

OutraEstrutura outraEstrutura(const ErroCorrente &erro)
{
    const QStringList a = argumentosDe(erro, isc_wrong_ods);
    if (a.size() < 5)
        return {};
    return {a.at(0), a.at(1) + u'.' + a.at(2), a.at(3) + u'.' + a.at(4)};
}

// The Firebird that writes each structure, as its makers list them. An engine
// tells the newest minor structure it reads (Firebird 3: 12.2), so a major
// number that only one Firebird wrote names it too.
QString firebirdDaEstrutura(const QString &ods)
{
    static const QHash<QString, QString> versoes{
        {QStringLiteral("10.0"), QStringLiteral("1.0")}, {QStringLiteral("10.1"), QStringLiteral("1.5")},
        {QStringLiteral("11.0"), QStringLiteral("2.0")}, {QStringLiteral("11.1"), QStringLiteral("2.1")},
        {QStringLiteral("11.2"), QStringLiteral("2.5")}, {QStringLiteral("12"), QStringLiteral("3")},
        {QStringLiteral("13.0"), QStringLiteral("4")},   {QStringLiteral("13.1"), QStringLiteral("5")}};
    const QString versao = versoes.value(ods, versoes.value(ods.section(u'.', 0, 0)));
    return versao.isEmpty() ? QStringLiteral("ODS %1").arg(ods)
                            : QStringLiteral("ODS %1, do Firebird %2").arg(ods, versao);
}

// Something is at the path but it is no database: a folder, an empty or cut
// file, pages that are not the engine's.
bool arquivoQueNaoEBanco(const ErroCorrente &erro)
{
    return tem(erro, isc_bad_db_format) || tem(erro, isc_wrong_ods)
        || (tem(erro, isc_io_error) && !tem(erro, isc_already_opened)
            && (erro.detalhe.erroDoSistema == EISDIR || erro.detalhe.erroDoSistema == 0));
}

// Pages of the file damaged under an engine that already had it open.
bool paginasEstragadas(const ErroCorrente &erro)
{
    for (long codigo : {isc_db_corrupt, isc_badpage, isc_bad_checksum, isc_page_type_err, isc_no_crypt_plugin,
                        isc_decrypt_error})
        if (tem(erro, codigo))
            return true;
    return false;
}

// Nothing listens there: the server is off or the address is another.
bool conexaoRecusada(const ErroCorrente &erro)
{
    if (tem(erro, isc_network_error))
        return erro.detalhe.erroDoSistema == ECONNREFUSED || tem(erro, isc_net_connect_err);
    return dizConexaoRecusada(erro.descricao)
        || erro.descricao.contains(QLatin1String("could not connect to server"), Qt::CaseInsensitive);
}

bool servidorDesconhecido(const ErroCorrente &erro)
{
    return tem(erro, isc_network_error) && (tem(erro, isc_net_lookup_err) || tem(erro, isc_host_unknown));
}

// The server answered and refused the login (Firebird's code; PostgreSQL's
// words through ODBC).
bool loginRecusado(const ErroCorrente &erro)
{
    return tem(erro, isc_login)
        || erro.descricao.contains(QLatin1String("password authentication failed"), Qt::CaseInsensitive)
        || (erro.descricao.contains(QLatin1String("role \""), Qt::CaseInsensitive)
            && erro.descricao.contains(QLatin1String("does not exist"), Qt::CaseInsensitive));
}

// unixODBC's driver manager does not hand over the state (IM002) through Qt,
// and its messages are the same in every language.
bool fonteOdbcInexistente(const ErroCorrente &erro)
{
    return erro.descricao.contains(QLatin1String("Data source name not found"), Qt::CaseInsensitive);
}

// A connection lost while reading (psqlODBC and libpq, whose words these are).
bool ligacaoPerdida(const ErroCorrente &erro)
{
    for (long codigo : {isc_network_error, isc_net_read_err, isc_net_write_err, isc_lost_db_connection,
                        isc_conn_lost, isc_shutdown, isc_att_shutdown, isc_net_server_shutdown})
        if (tem(erro, codigo))
            return true;
    for (const char *texto : {"connection dead", "server closed the connection", "no connection to the server",
                              "Could not send Query", "No response from the backend"})
        if (erro.descricao.contains(QLatin1String(texto), Qt::CaseInsensitive))
            return true;
    return false;
}

// A column or a table of the statements: the name the engine gives, without
// the statement's own alias ("D.PROVPAGAR").
QString nomeSemApelido(const QString &nome) { return nome.section(u'.', -1); }

// The column or table ("column", "relation") PostgreSQL says does not exist,
// through ODBC: its words are all there is (no codes cross the driver). Names
// as Firebird gives them: without the alias, in capitals.
QString faltaNoPostgres(const ErroCorrente &erro, const QString &oque)
{
    const QRegularExpression falta(oque + QStringLiteral(R"re( "?([\w.]+)"? does not exist)re"));
    const QRegularExpressionMatch achado = falta.match(erro.descricao);
    return achado.hasMatch() ? nomeSemApelido(achado.captured(1)).toUpper() : QString();
}

// A folder of Windows (C:\Sistema\Dados, C:/...) or a share (\\servidor\...).
bool caminhoDoWindows(const QString &pasta)
{
    static const QRegularExpression unidade(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    return unidade.match(pasta).hasMatch() || pasta.startsWith(QLatin1String("\\\\"));
}

// How the site gets a Firebird client: on Windows the sales system's installer
// brings one; here it is the distribution's package.
QString semClienteFirebird(bancodados::firebird::Plataforma plataforma)
{
    const QString arquivo = bancodados::firebird::nomeDoCliente(plataforma);
    const QString instale = plataforma == bancodados::firebird::Plataforma::Windows
        ? QStringLiteral("instale o cliente do Firebird (o instalador do sistema de vendas o traz)")
        : QStringLiteral("instale o cliente do Firebird (o pacote libfbclient2)");
    return QStringLiteral("O OrvoAviso não encontrou o cliente do Firebird (%1), sem o qual não lê o banco de dados "
                          "de vendas: %2 ou ponha o %1 na pasta do OrvoAviso. Veja abaixo onde ele foi procurado.")
        .arg(arquivo, instale);
}

QString onde(const ContextoFalha &contexto)
{
    const QString sistema = contexto.odbcSysIni.isEmpty() ? QStringLiteral("/etc/odbc.ini")
                                                          : contexto.odbcSysIni + QStringLiteral("/odbc.ini");
    const QString usuario = contexto.odbcIni.isEmpty() ? QStringLiteral("~/.odbc.ini") : contexto.odbcIni;
    return QStringLiteral("%1 (para todos os usuários) ou em %2 (só para este usuário)").arg(sistema, usuario);
}

} // namespace

// --- The messages -------------------------------------------------------------

Explicacao explicaFalha(const ErroCorrente &erro, const ContextoFalha &contexto)
{
    const QString &usuario = contexto.usuario;
    if (erro.numero == bancodados::ErroSemResposta)
        return {QStringLiteral("O servidor do banco de dados não respondeu: ele está travado ou a rede até ele caiu. "
                               "Verifique o servidor e a rede e tente de novo.")};
    if (erro.numero == bancodados::firebird::ErroSemClienteFirebird)
        return {semClienteFirebird(bancodados::firebird::plataformaDestaMaquina())};
    if (erro.numero == bancodados::ErroSemRaizFirebird)
        return {QStringLiteral("O OrvoAviso não conseguiu criar a sua configuração do Firebird em nenhuma pasta em "
                               "que o usuário %1 pode escrever, e sem ela tomaria o arquivo de vendas só para si: "
                               "libere espaço ou dê a ele permissão de escrita numa das pastas abaixo.")
                    .arg(usuario)};
    if (foraDoGrupo(erro))
        return {QStringLiteral("O Firebird deste computador só pode ser usado por quem pertence ao grupo "
                               "\"firebird\", e o usuário %1 não pertence a ele nesta sessão: peça ao "
                               "administrador para incluí-lo no grupo (veja abaixo).")
                    .arg(usuario),
                QStringLiteral("Peça ao administrador para executar:") + Linha
                    + QStringLiteral("    sudo adduser %1 firebird").arg(usuario) + Linha
                    + QStringLiteral("e depois saia e entre de novo na sessão, para que o grupo passe a valer.")};
    if (tem(erro, isc_already_opened)) {
        if (contexto.servidorLocal && contexto.servidorLocal())
            return {QStringLiteral("O arquivo do banco de dados está aberto por um servidor Firebird: coloque no "
                                   "orvo.ini o usuário e a senha desse servidor, nas linhas Usuario= e Senha=, ou "
                                   "indique o servidor na linha 1 (por exemplo localhost:/caminho/da/pasta).")};
        return {QStringLiteral("O arquivo do banco de dados %1 está preso por outro programa deste computador, que "
                               "o abriu só para si: feche esse programa (ou configure o seu Firebird com "
                               "ServerMode = SuperClassic) e tente de novo.")
                    .arg(arquivoDoErro(erro))};
    }
    if (arquivoInexistente(erro))
        return {QStringLiteral("O arquivo do banco de dados %1 não existe: ele foi apagado ou a pasta da linha 1 do "
                               "orvo.ini não é a dele. Confira a pasta e se o arquivo está nela.")
                    .arg(arquivoDoErro(erro))};
    if (arquivoSemPermissao(erro))
        return {QStringLiteral("O usuário %1 não tem permissão para abrir o arquivo do banco de dados %2: peça ao "
                               "administrador permissão de leitura e escrita nesse arquivo e na sua pasta.")
                    .arg(usuario, arquivoSemPermissaoDoErro(erro))};
    if (!tabelaSemPermissao(erro).isEmpty())
        return {QStringLiteral("O usuário do banco de dados não pode ler a tabela %1: peça ao administrador do banco "
                               "de dados permissão de leitura (GRANT SELECT) nela para esse usuário.")
                    .arg(tabelaSemPermissao(erro))};
    if (const OutraEstrutura outra = outraEstrutura(erro); !outra.arquivo.isEmpty())
        return {QStringLiteral("O arquivo do banco de dados %1 é de outra versão do Firebird (estrutura %2), que o "
                               "Firebird deste computador (%3) não abre: faça o servidor Firebird que o criou servir o "
                               "arquivo, escrevendo a linha 1 do orvo.ini como servidor:/pasta, ou converta o arquivo "
                               "para a versão deste computador com um backup e um restore (gbak).")
                    .arg(outra.arquivo, firebirdDaEstrutura(outra.encontrada), firebirdDaEstrutura(outra.suportada))};
    if (arquivoQueNaoEBanco(erro))
        return {QStringLiteral("O arquivo do banco de dados %1 não pode ser lido como banco de dados (está vazio, "
                               "estragado ou é uma pasta): ponha no lugar uma cópia boa do banco de dados de vendas.")
                    .arg(arquivoDoErro(erro))};
    if (paginasEstragadas(erro))
        return {QStringLiteral("O arquivo do banco de dados de vendas está estragado: ponha no lugar uma cópia boa "
                               "dele.")};
    if (servidorDesconhecido(erro))
        return {QStringLiteral("O servidor \"%1\" da linha 1 do orvo.ini não foi encontrado na rede: confira o nome "
                               "do servidor.")
                    .arg(argumentosDe(erro, isc_network_error).value(0))};
    if (conexaoRecusada(erro))
        return {QStringLiteral("O servidor do banco de dados recusou a conexão: nenhum servidor atende nesse "
                               "endereço. Verifique se o servidor está ligado e se o endereço e a porta da linha 1 "
                               "do orvo.ini (ou da fonte de dados ODBC) estão certos.")};
    if (loginRecusado(erro))
        return {QStringLiteral("O servidor do banco de dados não aceitou o usuário e a senha: confira as linhas "
                               "Usuario= e Senha= do orvo.ini (ou o usuário da fonte de dados ODBC).")};
    if (fonteOdbcInexistente(erro))
        return {QStringLiteral("A fonte de dados ODBC \"SQLVendas\" não está definida neste computador: defina-a em "
                               "%1, com o driver e o banco de dados de vendas.")
                    .arg(onde(contexto))};
    const QString coluna = tem(erro, isc_dsql_field_err)
        ? nomeSemApelido(argumentosDe(erro, isc_dsql_field_err).value(0))
        : faltaNoPostgres(erro, QStringLiteral("column"));
    if (!coluna.isEmpty())
        return {QStringLiteral("O banco de dados não tem a coluna %1, que o OrvoAviso lê: ele será de outra versão "
                               "do sistema de vendas? Confira a versão com quem o fornece.")
                    .arg(coluna)};
    const QString tabela = tem(erro, isc_dsql_relation_err) ? argumentosDe(erro, isc_dsql_relation_err).value(0)
                                                             : faltaNoPostgres(erro, QStringLiteral("relation"));
    if (!tabela.isEmpty())
        return {QStringLiteral("O banco de dados não tem a tabela %1, que o OrvoAviso lê: ele será de outra versão "
                               "do sistema de vendas? Confira a versão com quem o fornece.")
                    .arg(tabela)};
    if (ligacaoPerdida(erro))
        return {QStringLiteral("A conexão com o banco de dados caiu: verifique o servidor e a rede; o OrvoAviso "
                               "tenta de novo no próximo aviso.")};
    return {};
}

bool falhaDeConexao(const ErroCorrente &erro)
{
    if (erro.detalhe.naAbertura || erro.numero == bancodados::ErroSemResposta
        || erro.numero == bancodados::ErroSemRaizFirebird || erro.numero == bancodados::firebird::ErroSemClienteFirebird
        || erro.numero == bancodados::ErroProvedorNaoEncontrado
        || erro.numero == bancodados::ErroOperacaoNaoPermitida) // a reading on a connection that is not open
        return true;
    for (long codigo : {isc_io_error, isc_sys_request, isc_bad_db_format, isc_wrong_ods, isc_unavailable, isc_login,
                        isc_already_opened})
        if (tem(erro, codigo))
            return true;
    return paginasEstragadas(erro) || ligacaoPerdida(erro) || conexaoRecusada(erro);
}

QString textoDaSituacao(const ErroSistema &erro, const QDateTime &quando)
{
    const QString hora = quando.time().toString(QStringLiteral("HH:mm"));
    if (falhaDeConexao(erro))
        return QStringLiteral("Sem conexão com o banco de dados às ") + hora;
    return QStringLiteral("Erro ao ler as contas às ") + hora;
}

QString textoSemConexaoDesde(const QDateTime &desde)
{
    return QStringLiteral("Sem conexão com o banco de dados desde ") + desde.time().toString(QStringLiteral("HH:mm"));
}

QString mensagemAberturaFalhou(const ErroSistema &erro, const ContextoFalha &contexto)
{
    const Explicacao explicacao = explicaFalha(erro, contexto);
    QString texto = explicacao.frase.isEmpty() ? QStringLiteral("Não foi possível abrir o banco de dados de vendas.")
                                               : explicacao.frase;
    texto += Linha + erro.descricao() + QStringLiteral(" (Nº: %1)").arg(erro.numero());
    if (!explicacao.complemento.isEmpty())
        texto += QString(2, Linha) + explicacao.complemento;
    return texto;
}

QString mensagemSemConfiguracao() { return QStringLiteral("Arquivo orvo.INI não encontrado "); }

QString mensagemConfiguracaoGrandeDemais(const QString &caminho)
{
    return QStringLiteral("O arquivo orvo.INI é grande demais para ser o arquivo de configuração (mais de 1 MB): ")
        + caminho;
}

QString mensagemConfiguracaoIlegivel(const QString &motivo)
{
    return QStringLiteral("Não foi possível ler o arquivo orvo.INI: ") + motivo;
}

QString problemaDaLinha1(const Configuracao &configuracao)
{
    // Only the Firebird and Access kinds look for the database in line 1's folder.
    if (configuracao.tipoBanco == QLatin1String("SQL") && configuracao.sinalizadorProvedor != QLatin1String("S"))
        return QString();
    if (configuracao.pastaDados.isEmpty())
        return QStringLiteral("A linha 1 do orvo.ini está vazia: escreva nela a pasta do banco de dados de vendas, "
                              "como /srv/vendas ou servidor:/srv/vendas.");
    if (caminhoDoWindows(configuracao.pastaDados))
        return QStringLiteral("A linha 1 do orvo.ini traz uma pasta do Windows (%1): neste computador ela deve ser "
                              "uma pasta como /srv/vendas ou servidor:/srv/vendas.")
            .arg(configuracao.pastaDados);
    return QString();
}

// --- Glue ------------------------------------------------------------------

namespace {
ErroCorrente comoCorrente(const ErroSistema &erro) { return {erro.numero(), erro.descricao(), erro.detalhe()}; }

// Firebird's own port on this computer takes connections.
bool servidorFirebirdLocal()
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), 3050);
    return socket.waitForConnected(1000);
}
} // namespace

Explicacao explicaFalha(const ErroSistema &erro, const ContextoFalha &contexto)
{
    return explicaFalha(comoCorrente(erro), contexto);
}

bool falhaDeConexao(const ErroSistema &erro) { return falhaDeConexao(comoCorrente(erro)); }

ContextoFalha ContextoFalha::doSistema()
{
    return {nomeDoUsuario(), servidorFirebirdLocal, qEnvironmentVariable("ODBCINI"), qEnvironmentVariable("ODBCSYSINI")};
}

QString nomeDoUsuario()
{
    if (const passwd *conta = getpwuid(geteuid()))
        return QString::fromLocal8Bit(conta->pw_name);
    return qEnvironmentVariable("USER");
}
