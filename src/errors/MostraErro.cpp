#include "errors/MostraErro.h"
#include "errors/ErroCorrente.h"
#include "platform/Toolkit.h"

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
    const QString texto = textoMostraErro(erro.numero, erro.descricao, local);
    limpaErroCorrente();
    toolkit::beep();
    toolkit::caixaMensagem(texto, toolkit::EstiloExclamacao, tituloMostraErro());
}
