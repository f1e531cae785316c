#include "platform/RaizFirebird.h"
#include "platform/Toolkit.h"

#include <QDateTime>
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
               "ServerMode = SuperClassic\n");
    conf.close();

    QFile marca(pasta + u'/' + Marca);
    return marca.open(QIODevice::WriteOnly) && QFileInfo::exists(pasta + QStringLiteral("/intl/libfbintl.so"));
}

// Every file the engine needs is there, as it was put: a root that has its
// marker but lost a file (the character sets, say) fails at every notice.
bool raizPronta(const QString &pasta)
{
    if (!QFileInfo::exists(pasta + u'/' + Marca))
        return false;
    for (const char *nome : {"firebird.conf", "databases.conf", "fbtrace.conf", "plugins.conf", "firebird.msg",
                             "intl/fbintl.conf", "plugins", "lib", "UDF"}) {
        const QString original = RaizDebian + u'/' + QLatin1String(nome);
        if (QFileInfo::exists(original) && !QFileInfo::exists(pasta + u'/' + QLatin1String(nome)))
            return false;
    }
    const QFileInfo intl(pasta + QStringLiteral("/intl/libfbintl.so"));
    if (!intl.isFile() || intl.isSymLink() || intl.size() != QFileInfo(RaizDebian + QStringLiteral("/intl/libfbintl.so")).size())
        return false;
    QFile conf(pasta + QStringLiteral("/firebird.conf"));
    return conf.open(QIODevice::ReadOnly) && conf.readAll().contains("ServerMode = SuperClassic");
}

// Temporary folders of starts that were ended halfway. One younger than a
// few minutes may be another program's, being made right now.
void removeSobras(const QString &pasta)
{
    const QFileInfo alvo(pasta);
    const QDateTime limite = QDateTime::currentDateTimeUtc().addSecs(-5 * 60);
    for (const QFileInfo &sobra : QDir(alvo.path()).entryInfoList({alvo.fileName() + QStringLiteral(".tmp-*"),
                                                                    alvo.fileName() + QStringLiteral(".velha-*")},
                                                                   QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (sobra.lastModified().toUTC() < limite)
            QDir(sobra.filePath()).removeRecursively();
}

// Builds the root in a temporary folder beside the target and moves it into
// place, so that two programs starting together never see half a root. A
// damaged root is moved aside first and removed.
} // namespace

bool preparaRaizEm(const QString &pasta)
{
    removeSobras(pasta);
    if (raizPronta(pasta))
        return true;
    const QString sufixo = QUuid::createUuid().toString(QUuid::Id128);
    const QString temporaria = pasta + QStringLiteral(".tmp-") + sufixo;
    if (!montaRaiz(temporaria)) {
        QDir(temporaria).removeRecursively();
        return false;
    }
    if (QFileInfo::exists(pasta) && !raizPronta(pasta)) {
        const QString velha = pasta + QStringLiteral(".velha-") + sufixo;
        if (QDir().rename(pasta, velha))
            QDir(velha).removeRecursively();
    }
    if (!QDir().rename(temporaria, pasta))
        QDir(temporaria).removeRecursively(); // another program put its own in place first
    return raizPronta(pasta);
}

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
    if (!preparaRaizEm(pasta)) {
        pasta = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/firebird");
        if (!preparaRaizEm(pasta))
            return QString(); // the engine's own configuration applies
    }
    qputenv("FIREBIRD", QFile::encodeName(pasta));
    return pasta;
}

} // namespace bancodados
