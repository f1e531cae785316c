#include "startup/CaminhosConfiguracao.h"
#include "toolkit/Toolkit.h"

#include <QFileInfo>

QStringList caminhosConfiguracao()
{
    QString programa = toolkit::pastaDoPrograma();
    while (programa.endsWith(u'/'))
        programa.chop(1);
    QStringList caminhos{programa + QStringLiteral("/orvo.ini")};
    caminhos << configuracoesDoUsuarioEDaEstacao();
    caminhos.removeDuplicates();
    return caminhos;
}

QString primeiraConfiguracaoExistente(const QStringList &caminhos)
{
    for (const QString &caminho : caminhos)
        if (QFileInfo(caminho).isFile())
            return caminho;
    return QString();
}
