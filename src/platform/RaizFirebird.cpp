#include "platform/RaizFirebird.h"
#include "platform/Toolkit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

namespace bancodados {
namespace {

const QString RaizDebian = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");
const QString Marca = QStringLiteral("orvoaviso-superclassic-1");

bool copiaArquivo(const QString &origem, const QString &destino)
{
    // Symbolic links of the Debian root are copied as the files they point to.
    const QString real = QFileInfo(origem).canonicalFilePath();
    return !real.isEmpty() && QFile::copy(real, destino);
}

bool montaRaiz(const QString &pasta)
{
    QDir dir;
    if (!dir.mkpath(pasta + QStringLiteral("/intl")))
        return false;
    for (const char *nome : {"databases.conf", "fbtrace.conf", "plugins.conf", "firebird.msg"})
        copiaArquivo(RaizDebian + u'/' + QLatin1String(nome), pasta + u'/' + QLatin1String(nome));
    // The character sets must be real files in the root: reached through a link
    // the engine does not find WIN1252.
    copiaArquivo(RaizDebian + QStringLiteral("/intl/libfbintl.so"), pasta + QStringLiteral("/intl/libfbintl.so"));
    copiaArquivo(RaizDebian + QStringLiteral("/intl/fbintl.conf"), pasta + QStringLiteral("/intl/fbintl.conf"));
    for (const char *nome : {"plugins", "lib", "UDF"})
        QFile::link(RaizDebian + u'/' + QLatin1String(nome), pasta + u'/' + QLatin1String(nome));

    QFile conf(pasta + QStringLiteral("/firebird.conf"));
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    conf.write("# Firebird configuration of OrvoAviso: shared (SuperClassic) embedded engine,\n"
               "# so that the sales system and other programs keep using the same file.\n"
               "ServerMode = SuperClassic\n"
               "# Nothing traces a reminder's readings: the trace plugin and its shared memory\n"
               "# are not set up at every start.\n"
               "TracePlugin =\n");
    conf.close();

    QFile marca(pasta + u'/' + Marca);
    return marca.open(QIODevice::WriteOnly) && QFileInfo::exists(pasta + QStringLiteral("/intl/libfbintl.so"));
}

bool raizPronta(const QString &pasta)
{
    return QFileInfo::exists(pasta + u'/' + Marca);
}

// Builds the root in a temporary folder beside the target and moves it into
// place, so that two programs starting together never see half a root.
bool preparaEm(const QString &pasta)
{
    if (raizPronta(pasta))
        return true;
    const QString temporaria = pasta + QStringLiteral(".tmp-") + QUuid::createUuid().toString(QUuid::Id128);
    if (!montaRaiz(temporaria)) {
        QDir(temporaria).removeRecursively();
        return false;
    }
    if (!QDir().rename(temporaria, pasta))
        QDir(temporaria).removeRecursively();
    return raizPronta(pasta);
}

} // namespace

QString pastaRaizFirebird()
{
    return toolkit::pastaDoPrograma() + QStringLiteral("/firebird");
}

QString preparaRaizFirebird()
{
    const QString existente = qEnvironmentVariable("FIREBIRD");
    if (!existente.isEmpty())
        return existente;
    QString pasta = pastaRaizFirebird();
    if (!preparaEm(pasta)) {
        pasta = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/firebird");
        if (!preparaEm(pasta))
            return QString(); // the engine's own configuration applies
    }
    qputenv("FIREBIRD", QFile::encodeName(pasta));
    return pasta;
}

} // namespace bancodados
