#include "regional/RetornaConfigWin.h"

#include "base/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"

namespace {
int tipoLembrado = 0; // 0: no check has succeeded yet in this run
std::function<QString()> fonteDaAmostra;

// Status of the process when the check ends the program.
constexpr int StatusRegionalRecusado = 1;

const QChar Aspas = QLatin1Char('"');

QString amostra()
{
    if (fonteDaAmostra)
        return fonteDaAmostra();
    return formatacao::formataNumero(3333.33, QStringLiteral("#,###.##"));
}

[[noreturn]] void encerraComMensagem(const QString &mensagem)
{
    toolkit::caixaMensagem(mensagem, toolkit::EstiloExclamacao, NomeSistema);
    toolkit::encerraPrograma(StatusRegionalRecusado);
}
} // namespace

QString mensagemAlteracaoRegional()
{
    return QStringLiteral("Foram detectadas alterações no ")
        + Aspas + QStringLiteral("Símbolo Decimal") + Aspas
        + QStringLiteral(" ou no ")
        + Aspas + QStringLiteral("Símbolo de Agrupamento de Dígitos") + Aspas
        + QStringLiteral(", após a inicialização deste Sistema. Este")
        + QStringLiteral(" procedimento pode provocar instabilidade no Sistema.")
        + QStringLiteral(" O ") + Aspas + NomeSistema + Aspas
        + QStringLiteral(" Será Fechado,")
        + QStringLiteral(" podendo ser Reinicializado em seguida!");
}

QString mensagemInconsistenciaRegional()
{
    return QStringLiteral("As informações para ")
        + Aspas + QStringLiteral("Símbolo Decimal") + Aspas
        + QStringLiteral(" e para ")
        + Aspas + QStringLiteral("Símbolo de Agrupamento de Dígitos") + Aspas
        + QStringLiteral(", na Opção ")
        + Aspas + QStringLiteral("Configurações") + QStringLiteral(" Regionais") + Aspas
        + QStringLiteral(" do seu PAINEL DE CONTROLE, não estão Consistentes.")
        + QStringLiteral(" Isto pode provocar instabilidade no Sistema.")
        + QStringLiteral(" O ") + Aspas + NomeSistema + Aspas
        + QStringLiteral(" Será Fechado,")
        + QStringLiteral(" podendo ser Reinicializado em seguida!");
}

int RetornaConfigWin()
{
    try {
        const QString texto = amostra().trimmed();
        int tipo;
        if (texto == QLatin1String("3.333,33"))
            tipo = TipoDecimalVirgula;
        else if (texto == QLatin1String("3,333.33"))
            tipo = TipoDecimalPonto;
        else
            encerraComMensagem(mensagemInconsistenciaRegional());

        if (tipoLembrado != 0 && tipoLembrado != tipo)
            encerraComMensagem(mensagemAlteracaoRegional());
        tipoLembrado = tipo;
        return tipo;
    } catch (const ErroSistema &) {
        MostraErro(QStringLiteral("ORVO(RetornaConfigWin)"));
        return TipoDecimalErro;
    }
}

namespace configwin {
void esqueceTipoLembrado() { tipoLembrado = 0; }
void defineFonteDaAmostra(std::function<QString()> fonte) { fonteDaAmostra = std::move(fonte); }
} // namespace configwin
