#include "startup/CaminhosConfiguracao.h"

#include <QDir>

namespace {

const QString ArquivoNaPasta = QStringLiteral("/orvoaviso/orvo.ini");

// Relative folders in these variables are ignored, as the XDG base directory
// rules ask.
bool absoluta(const QString &pasta)
{
    return !pasta.isEmpty() && QDir::isAbsolutePath(pasta);
}

QString semBarraFinal(QString pasta)
{
    while (pasta.endsWith(u'/'))
        pasta.chop(1);
    return pasta;
}

} // namespace

QStringList configuracoesDoUsuarioEDaEstacao()
{
    QString doUsuario = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!absoluta(doUsuario))
        doUsuario = QDir::homePath() + QStringLiteral("/.config");
    QStringList caminhos{semBarraFinal(doUsuario) + ArquivoNaPasta};

    QStringList doSistema;
    for (const QString &pasta : qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts))
        if (absoluta(pasta))
            doSistema << pasta;
    if (doSistema.isEmpty())
        doSistema << QStringLiteral("/etc/xdg");
    for (const QString &pasta : doSistema)
        caminhos << semBarraFinal(pasta) + ArquivoNaPasta;
    return caminhos;
}
