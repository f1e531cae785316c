#include "startup/IniciaSistema.h"
#include "errors/ErroCorrente.h"
#include "platform/Toolkit.h"
#include "startup/CaminhosConfiguracao.h"
#include "startup/Configuracao.h"
#include "startup/ExplicacaoFalha.h"

#include <QFile>
#include <cstdio>
#include <memory>

namespace {
std::unique_ptr<bancodados::Conexao> &conexao()
{
    static std::unique_ptr<bancodados::Conexao> c;
    return c;
}

// The message also goes to standard error, followed by the detail, which is
// for the administrator and is not shown in the box.
[[noreturn]] void encerraComMensagem(const QString &texto, int estilo, int status,
                                     const QString &detalhe = QString())
{
    std::fprintf(stderr, "OrvoAviso: %s\n", qPrintable(QString(texto).replace(QChar(13), QChar(10))));
    if (!detalhe.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(detalhe));
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

    const QStringList procurados = caminhosConfiguracao();
    const QString caminho = primeiraConfiguracaoExistente(procurados);
    if (caminho.isEmpty())
        encerraComMensagem(QStringLiteral("Arquivo orvo.INI não encontrado "), toolkit::EstiloInformacao,
                           SaidaSemConfiguracao,
                           QStringLiteral("Procurado em:\n  ") + procurados.join(QStringLiteral("\n  ")));

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
        QString texto = QStringLiteral("Não foi possível abrir o banco de dados de vendas.") + QChar(13)
            + erro.descricao() + QStringLiteral(" (Nº: %1)").arg(erro.numero());
        const QString explicacao = explicacaoDaFalha(erro.descricao(), nomeDoUsuario());
        if (!explicacao.isEmpty())
            texto += QString(2, QChar(13)) + explicacao;
        encerraComMensagem(texto, toolkit::EstiloExclamacao, SaidaSemBanco);
    }

    toolkit::defineApontador(toolkit::ApontadorNormal);
}
