#include "errors/MostraErro.h"
#include "base/ErroCorrente.h"
#include "toolkit/Toolkit.h"

#include <utility>

QString tituloMostraErro()
{
    return QStringLiteral("O \"") + NomeSistema + QStringLiteral("\" detectou o seguinte Erro:");
}

QString textoMostraErro(long numero, const QString &descricao, const QString &local)
{
    return descricao.trimmed() + QStringLiteral("(Nº: ") + QString::number(numero)
        + QStringLiteral(")") + QChar(13) + QStringLiteral("LOCAL: ") + local;
}

namespace {
std::function<QString(const ErroCorrente &)> &explicacao()
{
    static std::function<QString(const ErroCorrente &)> explica;
    return explica;
}
} // namespace

void defineExplicacaoDeFalhas(std::function<QString(const ErroCorrente &)> explica)
{
    explicacao() = std::move(explica);
}

QString explicacaoDaFalha(const ErroCorrente &erro) { return explicacao() ? explicacao()(erro) : QString(); }

void MostraErro(const QString &local)
{
    const ErroCorrente erro = erroCorrente();
    QString texto = textoMostraErro(erro.numero, erro.descricao, local);
    // A failure the program knows is told first in its own words.
    const QString frase = explicacaoDaFalha(erro);
    if (!frase.isEmpty())
        texto = frase + QChar(13) + texto;
    limpaErroCorrente();
    toolkit::beep();
    toolkit::caixaMensagem(texto, toolkit::EstiloExclamacao, tituloMostraErro());
}
