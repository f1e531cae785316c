#include "errors/MostraErro.h"
#include "errors/ErroCorrente.h"
#include "platform/Toolkit.h"
#include "startup/ExplicacaoFalha.h"

QString tituloMostraErro()
{
    return QStringLiteral("O \"") + NomeSistema + QStringLiteral("\" detectou o seguinte Erro:");
}

QString textoMostraErro(long numero, const QString &descricao, const QString &local)
{
    return descricao.trimmed() + QStringLiteral("(Nº: ") + QString::number(numero)
        + QStringLiteral(")") + QChar(13) + QStringLiteral("LOCAL: ") + local;
}

void MostraErro(const QString &local)
{
    const ErroCorrente erro = erroCorrente();
    QString texto = textoMostraErro(erro.numero, erro.descricao, local);
    // A failure the program knows is told first in its own words.
    const QString frase = explicaFalha(erro, ContextoFalha::doSistema()).frase;
    if (!frase.isEmpty())
        texto = frase + QChar(13) + texto;
    limpaErroCorrente();
    toolkit::beep();
    toolkit::caixaMensagem(texto, toolkit::EstiloExclamacao, tituloMostraErro());
}
