#include "startup/IniciaSistema.h"
#include "errors/ErroCorrente.h"
#include "platform/Toolkit.h"
#include "startup/Configuracao.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <memory>

namespace {
std::unique_ptr<bancodados::Conexao> &conexao()
{
    static std::unique_ptr<bancodados::Conexao> c;
    return c;
}

// What the user can do about a refused open, when the engine's words say it.
QString explicacao(const ErroSistema &erro)
{
    const QString &descricao = erro.descricao();
    // A Firebird server in Super mode holds the file for itself; the client
    // then asks the local server with the connection's login, which failed.
    if (descricao.contains(QLatin1String("Database already opened with engine instance"), Qt::CaseInsensitive))
        return QStringLiteral("O arquivo do banco de dados está aberto por um servidor Firebird. Coloque no "
                              "orvo.ini o usuário e a senha desse servidor, nas linhas Usuario= e Senha=, ou "
                              "indique o servidor na linha 1 (por exemplo localhost:/caminho/da/pasta).");
    // Nothing answered within the deadline: a server that hangs, a network cut.
    if (erro.numero() == bancodados::ErroSemResposta)
        return QStringLiteral("O servidor do banco de dados não respondeu: ele está travado ou a rede até ele "
                              "caiu. Verifique o servidor e a rede e abra o OrvoAviso de novo.");
    // Nothing listens there: the server is off or the address is another
    // (libpq's words through ODBC; the Firebird client's own).
    if (descricao.contains(QLatin1String("Connection refused"), Qt::CaseInsensitive)
        || descricao.contains(QLatin1String("Failed to establish a connection"), Qt::CaseInsensitive))
        return QStringLiteral("O servidor do banco de dados recusou a conexão: nenhum servidor atende nesse "
                              "endereço. Verifique se o servidor está ligado e se o endereço e a porta da linha 1 "
                              "do orvo.ini (ou da fonte de dados ODBC) estão certos.");
    // The server answered and refused the login.
    if (descricao.contains(QLatin1String("user name and password are not defined"), Qt::CaseInsensitive)
        || descricao.contains(QLatin1String("password authentication failed"), Qt::CaseInsensitive)
        || (descricao.contains(QLatin1String("role \""), Qt::CaseInsensitive)
            && descricao.contains(QLatin1String("does not exist"), Qt::CaseInsensitive)))
        return QStringLiteral("O servidor do banco de dados não aceitou o usuário e a senha. Confira as linhas "
                              "Usuario= e Senha= do orvo.ini (ou o usuário da fonte de dados ODBC).");
    return QString();
}

[[noreturn]] void encerraComMensagem(const QString &texto, int estilo, int status)
{
    std::fprintf(stderr, "OrvoAviso: %s\n", qPrintable(QString(texto).replace(QChar(13), QChar(10))));
    toolkit::caixaMensagem(texto, estilo);
    toolkit::encerraPrograma(status);
}
} // namespace

bancodados::Conexao &conexaoCompartilhada() { return *conexao(); }
bool haConexaoCompartilhada() { return conexao() != nullptr; }
void descartaConexaoCompartilhada() { conexao().reset(); }

void IniciaSistema()
{
    toolkit::defineApontador(toolkit::ApontadorAmpulheta);

    const QString caminho = toolkit::pastaDoPrograma() + QStringLiteral("/orvo.ini");
    if (!QFileInfo(caminho).isFile())
        encerraComMensagem(QStringLiteral("Arquivo orvo.INI não encontrado "), toolkit::EstiloInformacao,
                           SaidaSemConfiguracao);

    // A few lines of text: anything far bigger is not the configuration, and
    // reading it whole would take seconds and a lot of memory.
    constexpr qint64 TamanhoMaximo = 1024 * 1024;
    const auto muitoGrande = [&] {
        encerraComMensagem(QStringLiteral("O arquivo orvo.INI é grande demais para ser o arquivo de configuração "
                                          "(mais de 1 MB): ") + caminho,
                           toolkit::EstiloExclamacao, SaidaSemConfiguracao);
    };
    if (QFileInfo(caminho).size() > TamanhoMaximo)
        muitoGrande();
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        encerraComMensagem(QStringLiteral("Não foi possível ler o arquivo orvo.INI: ") + arquivo.errorString(),
                           toolkit::EstiloExclamacao, SaidaSemConfiguracao);
    const QByteArray conteudo = arquivo.read(TamanhoMaximo + 1);
    arquivo.close();
    if (conteudo.size() > TamanhoMaximo)
        muitoGrande();

    const Configuracao configuracao = interpretaConfiguracao(linhasDoArquivo(conteudo));
    const QString stringConexao = montaStringConexao(configuracao);

    conexao() = std::make_unique<bancodados::Conexao>();
    conexao()->defineCursorLocation(3);
    try {
        // The site's login replaces the built-in one of the Firebird strings.
        const bool login = conexaoFirebird(configuracao);
        conexao()->abre(stringConexao, login ? configuracao.usuario : QString(),
                        login ? configuracao.senha : QString(), -1);
    } catch (const ErroSistema &erro) {
        limpaErroCorrente();
        QString texto = QStringLiteral("Não foi possível abrir o banco de dados de vendas.") + QChar(13)
            + erro.descricao() + QStringLiteral(" (Nº: %1)").arg(erro.numero());
        const QString oQueFazer = explicacao(erro);
        if (!oQueFazer.isEmpty())
            texto += QChar(13) + oQueFazer;
        encerraComMensagem(texto, toolkit::EstiloExclamacao, SaidaSemBanco);
    }

    toolkit::defineApontador(toolkit::ApontadorNormal);
}
