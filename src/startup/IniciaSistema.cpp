#include "startup/IniciaSistema.h"
#include "errors/ErroCorrente.h"
#include "startup/Aplicacao.h"
#include "platform/Toolkit.h"
#include "startup/Configuracao.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <memory>

namespace {
// The connection belongs to the running program.
std::unique_ptr<bancodados::Conexao> &conexao() { return Aplicacao::instancia().conexaoPropria(); }

// The message also goes to standard error (with noTerminal after it there).
[[noreturn]] void encerraComMensagem(const QString &texto, int estilo, int status, const QString &noTerminal = {})
{
    toolkit::caixaMensagem(texto, estilo, std::nullopt, noTerminal);
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
                           SaidaSemConfiguracao, QStringLiteral("Procurado em: ") + caminho);

    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        encerraComMensagem(QStringLiteral("Não foi possível ler o arquivo orvo.INI: ") + arquivo.errorString(),
                           toolkit::EstiloExclamacao, SaidaSemConfiguracao);
    const QByteArray conteudo = arquivo.readAll();
    arquivo.close();

    const Configuracao configuracao = interpretaConfiguracao(linhasDoArquivo(conteudo));
    const QString stringConexao = montaStringConexao(configuracao);

    conexao() = std::make_unique<bancodados::Conexao>();
    conexao()->defineCursorLocation(3);
    try {
        conexao()->abre(stringConexao, QString(), QString(), -1);
    } catch (const ErroSistema &erro) {
        limpaErroCorrente();
        encerraComMensagem(QStringLiteral("Não foi possível abrir o banco de dados de vendas.") + QChar(13)
                               + erro.descricao() + QStringLiteral(" (Nº: %1)").arg(erro.numero()),
                           toolkit::EstiloExclamacao, SaidaSemBanco);
    }

    toolkit::defineApontador(toolkit::ApontadorNormal);
}
