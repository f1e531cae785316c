#include "startup/CaminhosConfiguracao.h"
#include "toolkit/Toolkit.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString ArquivoConfiguracao = QStringLiteral("orvo.ini");
const QString PastaDoSistema = QStringLiteral("/orvoaviso/");

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

QStringList caminhosConfiguracao()
{
    QStringList caminhos{semBarraFinal(toolkit::pastaDoPrograma()) + u'/' + ArquivoConfiguracao};

    QString doUsuario = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!absoluta(doUsuario))
        doUsuario = QDir::homePath() + QStringLiteral("/.config");
    caminhos << semBarraFinal(doUsuario) + PastaDoSistema + ArquivoConfiguracao;

    QStringList doSistema;
    for (const QString &pasta : qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts))
        if (absoluta(pasta))
            doSistema << pasta;
    if (doSistema.isEmpty())
        doSistema << QStringLiteral("/etc/xdg");
    for (const QString &pasta : doSistema)
        caminhos << semBarraFinal(pasta) + PastaDoSistema + ArquivoConfiguracao;

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
