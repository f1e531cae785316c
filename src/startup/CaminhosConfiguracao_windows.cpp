#include "startup/CaminhosConfiguracao.h"

#include <QDir>

#include <shlobj.h>
#include <windows.h>

namespace {

const QString ArquivoNaPasta = QStringLiteral("/OrvoAviso/orvo.ini");

// The folder the variable names, or, where it is missing or not absolute,
// the one Windows records for it; in Qt's notation, without a final '/'.
QString pasta(const char *variavel, REFKNOWNFOLDERID registrada)
{
    QString caminho = QDir::fromNativeSeparators(qEnvironmentVariable(variavel));
    if (caminho.isEmpty() || !QDir::isAbsolutePath(caminho)) {
        caminho.clear();
        PWSTR conhecida = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(registrada, 0, nullptr, &conhecida)))
            caminho = QDir::fromNativeSeparators(QString::fromWCharArray(conhecida));
        CoTaskMemFree(conhecida);
    }
    while (caminho.endsWith(u'/'))
        caminho.chop(1);
    return caminho;
}

} // namespace

QStringList configuracoesDoUsuarioEDaEstacao()
{
    QStringList caminhos;
    for (const QString &p : {pasta("APPDATA", FOLDERID_RoamingAppData), pasta("PROGRAMDATA", FOLDERID_ProgramData)})
        if (!p.isEmpty())
            caminhos << p + ArquivoNaPasta;
    return caminhos;
}
