#include "database/ArquivoBanco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace bancodados {

QString caminhoExistente(const QString &caminho, int componentes)
{
    if (caminho.isEmpty() || QFileInfo::exists(caminho))
        return caminho;
    QStringList nomes = caminho.split(u'/');
    const int primeiro = std::max<int>(int(nomes.size()) - componentes, 1);
    QString pasta = QStringList(nomes.mid(0, primeiro)).join(u'/');
    if (pasta.isEmpty() && caminho.startsWith(u'/'))
        pasta = QStringLiteral("/");
    for (int i = primeiro; i < nomes.size(); ++i) {
        const QDir dir(pasta.isEmpty() ? QStringLiteral(".") : pasta);
        QString achado;
        if (dir.exists(nomes.at(i))) {
            achado = nomes.at(i);
        } else {
            for (const QString &entrada : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
                if (entrada.compare(nomes.at(i), Qt::CaseInsensitive) == 0) {
                    achado = entrada;
                    break;
                }
        }
        if (achado.isEmpty())
            return caminho;
        nomes[i] = achado;
        pasta = pasta.isEmpty() ? achado : (pasta.endsWith(u'/') ? pasta + achado : pasta + u'/' + achado);
    }
    return nomes.join(u'/');
}

bool caminhoLocal(const QString &banco)
{
    return !banco.isEmpty() && (banco.startsWith(u'/') || !banco.contains(u':'));
}

IdentidadeArquivo identidadeArquivo(const QString &caminho)
{
    struct stat dados {};
    if (caminho.isEmpty() || ::stat(QFile::encodeName(caminho).constData(), &dados) != 0)
        return {};
    return {dados.st_dev, dados.st_ino};
}

} // namespace bancodados
