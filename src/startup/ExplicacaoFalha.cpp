#include "startup/ExplicacaoFalha.h"

#include <QChar>
#include <pwd.h>
#include <unistd.h>

namespace {

// The engine reports a system call it could not make as "operating system
// directive <call> failed", followed by the system's reason and the path.
bool travaDoFirebirdRecusada(const QString &descricao)
{
    return descricao.contains(QLatin1String("operating system directive"), Qt::CaseInsensitive)
        && descricao.contains(QLatin1String("Permission denied"), Qt::CaseInsensitive)
        && descricao.contains(QLatin1String("/firebird"));
}

// A Firebird server in Super mode holds the file for itself: the embedded
// open is refused and the client asks the local server with the connection's
// login, which failed.
bool arquivoNumServidorSuper(const QString &descricao)
{
    return descricao.contains(QLatin1String("Database already opened with engine instance"), Qt::CaseInsensitive);
}

// Nothing listens there: the server is off or the address is another
// (libpq's words through ODBC; the Firebird client's own).
bool conexaoRecusada(const QString &descricao)
{
    return descricao.contains(QLatin1String("Connection refused"), Qt::CaseInsensitive)
        || descricao.contains(QLatin1String("Failed to establish a connection"), Qt::CaseInsensitive);
}

// The server answered and refused the login.
bool loginRecusado(const QString &descricao)
{
    return descricao.contains(QLatin1String("user name and password are not defined"), Qt::CaseInsensitive)
        || descricao.contains(QLatin1String("password authentication failed"), Qt::CaseInsensitive)
        || (descricao.contains(QLatin1String("role \""), Qt::CaseInsensitive)
            && descricao.contains(QLatin1String("does not exist"), Qt::CaseInsensitive));
}

} // namespace

QString explicacaoDaFalha(const QString &descricao, const QString &usuario, bool semResposta)
{
    if (semResposta)
        return QStringLiteral("O servidor do banco de dados não respondeu: ele está travado ou a rede até ele "
                              "caiu. Verifique o servidor e a rede e abra o OrvoAviso de novo.");
    if (conexaoRecusada(descricao))
        return QStringLiteral("O servidor do banco de dados recusou a conexão: nenhum servidor atende nesse "
                              "endereço. Verifique se o servidor está ligado e se o endereço e a porta da linha 1 "
                              "do orvo.ini (ou da fonte de dados ODBC) estão certos.");
    if (loginRecusado(descricao))
        return QStringLiteral("O servidor do banco de dados não aceitou o usuário e a senha. Confira as linhas "
                              "Usuario= e Senha= do orvo.ini (ou o usuário da fonte de dados ODBC).");
    if (arquivoNumServidorSuper(descricao))
        return QStringLiteral("O arquivo do banco de dados está aberto por um servidor Firebird. Coloque no "
                              "orvo.ini o usuário e a senha desse servidor, nas linhas Usuario= e Senha=, ou "
                              "indique o servidor na linha 1 (por exemplo localhost:/caminho/da/pasta).");
    if (!travaDoFirebirdRecusada(descricao))
        return QString();
    const QChar linha(13);
    return QStringLiteral("O Firebird deste computador só pode ser usado por quem pertence ao grupo \"firebird\", "
                          "e o usuário %1 não pertence a ele nesta sessão.")
               .arg(usuario)
        + linha + QStringLiteral("Peça ao administrador para executar:") + linha
        + QStringLiteral("    sudo adduser %1 firebird").arg(usuario) + linha
        + QStringLiteral("e depois saia e entre de novo na sessão, para que o grupo passe a valer.");
}

QString nomeDoUsuario()
{
    if (const passwd *conta = getpwuid(geteuid()))
        return QString::fromLocal8Bit(conta->pw_name);
    return qEnvironmentVariable("USER");
}
