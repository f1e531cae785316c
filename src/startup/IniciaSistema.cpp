#include "startup/IniciaSistema.h"
#include "base/ErroCorrente.h"
#include "toolkit/Toolkit.h"
#include "startup/Aplicacao.h"
#include "startup/CaminhosConfiguracao.h"
#include "startup/Configuracao.h"
#include "startup/ExplicacaoFalha.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {
// The connection belongs to the running program.
std::unique_ptr<bancodados::Conexao> &conexao() { return Aplicacao::instancia().conexaoPropria(); }

// The message also goes to standard error, followed by the detail, which is
// for the administrator and is not shown in the box.
[[noreturn]] void encerraComMensagem(const QString &texto, int estilo, int status, const QString &detalhe = {})
{
    toolkit::caixaMensagem(texto, estilo, std::nullopt, detalhe);
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
        encerraComMensagem(mensagemSemConfiguracao(), toolkit::EstiloInformacao,
                           SaidaSemConfiguracao,
                           QStringLiteral("Procurado em:\n  ") + procurados.join(QStringLiteral("\n  ")));

    // A few lines of text: anything far bigger is not the configuration, and
    // reading it whole would take seconds and a lot of memory.
    constexpr qint64 TamanhoMaximo = 1024 * 1024;
    const auto muitoGrande = [&] {
        encerraComMensagem(mensagemConfiguracaoGrandeDemais(caminho), toolkit::EstiloExclamacao, SaidaSemConfiguracao);
    };
    if (QFileInfo(caminho).size() > TamanhoMaximo)
        muitoGrande();
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        encerraComMensagem(mensagemConfiguracaoIlegivel(arquivo.errorString()), toolkit::EstiloExclamacao,
                           SaidaSemConfiguracao);
    const QByteArray conteudo = arquivo.read(TamanhoMaximo + 1);
    arquivo.close();
    if (conteudo.size() > TamanhoMaximo)
        muitoGrande();

    const Configuracao configuracao = interpretaConfiguracao(linhasDoArquivo(conteudo));
    const QString problema = problemaDaLinha1(configuracao);
    if (!problema.isEmpty())
        encerraComMensagem(problema, toolkit::EstiloExclamacao, SaidaSemConfiguracao, caminho);
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
        encerraComMensagem(mensagemAberturaFalhou(erro, ContextoFalha::doSistema()), toolkit::EstiloExclamacao,
                           SaidaSemBanco);
    }

    toolkit::defineApontador(toolkit::ApontadorNormal);
}
