#include "database/firebird/RaizFirebird.h"
#include "base/ErroCorrente.h"
#include "toolkit/Toolkit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace bancodados {
namespace {

const QString RaizDebian = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");
// Named after the layout of the root: a root made by an earlier version of
// the program has another marker and is made again.
const QString Marca = QStringLiteral("orvoaviso-superclassic-2");

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

} // namespace

// Builds the root in a temporary folder beside the target and moves it into
// place, so that two programs starting together never see half a root. A
// damaged root is moved aside first and removed.
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

bool programaInstalado(const QString &pastaPrograma)
{
    const QString pasta = QDir::cleanPath(pastaPrograma);
    if (pasta == QLatin1String("/usr") || pasta.startsWith(QLatin1String("/usr/")))
        return true;
    if (QFileInfo::exists(pasta + QStringLiteral("/../share/orvoaviso")))
        return true;
    return !QFileInfo(pasta).isWritable();
}

QString pastaCacheFirebird()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/orvoaviso/firebird");
}

QString pastaRaizFirebird()
{
    const QString programa = toolkit::pastaDoPrograma();
    if (programaInstalado(programa))
        return pastaCacheFirebird();
    return programa + QStringLiteral("/firebird");
}

namespace {
QString pastaExecucaoFirebird()
{
    const QString execucao = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (execucao.isEmpty() || !QDir::isAbsolutePath(execucao))
        return QString();
    return execucao + QStringLiteral("/orvoaviso/firebird");
}

QString pastaTemporariaFirebird()
{
    return QDir::tempPath() + QStringLiteral("/orvoaviso-%1/firebird").arg(geteuid());
}

// The temporary folder is shared by every user: its folder for this user must
// be this user's alone, or another could put there a configuration that loads
// a library of their choosing into this program.
bool pastaPrivada(const QString &pasta)
{
    const QByteArray nome = QFile::encodeName(pasta);
    if (::mkdir(nome.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat dados {};
    return ::lstat(nome.constData(), &dados) == 0 && S_ISDIR(dados.st_mode) && dados.st_uid == geteuid()
        && (dados.st_mode & 077) == 0;
}
} // namespace

QStringList lugaresDaRaizFirebird()
{
    QStringList lugares{pastaRaizFirebird(), pastaCacheFirebird(), pastaExecucaoFirebird(), pastaTemporariaFirebird()};
    lugares.removeAll(QString());
    lugares.removeDuplicates();
    return lugares;
}

QString preparaRaizFirebird()
{
    const QString existente = qEnvironmentVariable("FIREBIRD");
    if (!existente.isEmpty())
        return existente;
    // Without its own root the engine would hold the file for itself and lock
    // out every other program that opens it: the next place the user can
    // write is taken instead, and no open is tried without one.
    const QStringList lugares = lugaresDaRaizFirebird();
    for (const QString &pasta : lugares) {
        if (pasta == pastaTemporariaFirebird() && !pastaPrivada(QFileInfo(pasta).path()))
            continue;
        if (preparaRaizEm(pasta)) {
            qputenv("FIREBIRD", QFile::encodeName(pasta));
            return pasta;
        }
    }
    throw ErroSistema(ErroSemRaizFirebird, QStringLiteral("Pastas tentadas: ") + lugares.join(QStringLiteral(", ")));
}

} // namespace bancodados
