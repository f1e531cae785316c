#include "database/firebird/RaizFirebird.h"
#include "base/ErroCorrente.h"
#include "database/firebird/ClienteFirebird.h"
#include "toolkit/Toolkit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bancodados {
namespace {

// Named after the layout of the root: a root made by an earlier version of
// the program has another marker and is made again.
const QString Marca = QStringLiteral("orvoaviso-superclassic-5");

bool copiaArquivo(const QString &origem, const QString &destino)
{
    // Symbolic links of the Debian root are copied as the files they point to.
    const QString real = QFileInfo(origem).canonicalFilePath();
    return !real.isEmpty() && QFile::copy(real, destino);
}

bool montaRaiz(const QString &pasta, const QString &raizMotor)
{
    QDir dir;
    if (!dir.mkpath(pasta + QStringLiteral("/intl")))
        return false;
    for (const char *nome : {"databases.conf", "fbtrace.conf", "plugins.conf", "firebird.msg"})
        copiaArquivo(raizMotor + u'/' + QLatin1String(nome), pasta + u'/' + QLatin1String(nome));
    // The character sets must be real files in the root: reached through a link
    // the engine does not find WIN1252.
    copiaArquivo(raizMotor + QStringLiteral("/intl/libfbintl.so"), pasta + QStringLiteral("/intl/libfbintl.so"));
    copiaArquivo(raizMotor + QStringLiteral("/intl/fbintl.conf"), pasta + QStringLiteral("/intl/fbintl.conf"));
    for (const char *nome : {"plugins", "lib", "UDF"})
        QFile::link(raizMotor + u'/' + QLatin1String(nome), pasta + u'/' + QLatin1String(nome));

    // Firebird 4 refuses a plugin reached through a link ("Actual module name
    // does not match requested"): each one is named at its real path.
    // Those the engine's own plugins.conf names (Firebird 4's ChaCha64, UDR)
    // are in its plugins folder, read at its real path too.
    const QString pastaPlugins = QFileInfo(raizMotor + QStringLiteral("/plugins")).canonicalFilePath();
    QFile plugins(pasta + QStringLiteral("/plugins.conf"));
    if (!plugins.open(QIODevice::ReadWrite | QIODevice::Text))
        return false;
    QByteArray configuracao = plugins.readAll();
    configuracao.replace("$(dir_plugins)", QFile::encodeName(pastaPlugins));
    plugins.resize(0);
    plugins.write(configuracao);
    plugins.write("\n# OrvoAviso: the engine's plugins at their real paths.\n");
    for (const QFileInfo &modulo : QDir(raizMotor + QStringLiteral("/plugins"))
                                        .entryInfoList({QStringLiteral("lib*.so")}, QDir::Files)) {
        const QString real = modulo.canonicalFilePath();
        plugins.write(QStringLiteral("Plugin = %1 {\n\tModule = %2\n}\n")
                          .arg(modulo.completeBaseName().mid(3), real.left(real.size() - 3))
                          .toUtf8());
    }
    plugins.close();

    QFile conf(pasta + QStringLiteral("/firebird.conf"));
    if (!conf.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    conf.write("# Firebird configuration of OrvoAviso: shared (SuperClassic) embedded engine,\n"
               "# so that the sales system and other programs keep using the same file.\n"
               "ServerMode = SuperClassic\n"
               "# Nothing traces a reminder's readings: the trace plugin and its shared memory\n"
               "# are not set up at every start.\n"
               "TracePlugin =\n"
               "# Values in the types the program reads: Firebird 4 would give a sum of\n"
               "# NUMERIC(18,2) as a 128-bit integer. Earlier engines have no such types.\n"
               "DataTypeCompatibility = 3.0\n");
    conf.close();

    QFile marca(pasta + u'/' + Marca);
    return marca.open(QIODevice::WriteOnly) && QFileInfo::exists(pasta + QStringLiteral("/intl/libfbintl.so"));
}

// Every file the engine needs is there, as it was put: a root that has its
// marker but lost a file (the character sets, say) fails at every notice.
bool raizPronta(const QString &pasta, const QString &raizMotor)
{
    if (!QFileInfo::exists(pasta + u'/' + Marca))
        return false;
    // Made for the engine that is installed now, not for one the system replaced.
    if (QFileInfo(pasta + QStringLiteral("/plugins")).symLinkTarget() != QFileInfo(raizMotor + QStringLiteral("/plugins")).absoluteFilePath())
        return false;
    for (const char *nome : {"firebird.conf", "databases.conf", "fbtrace.conf", "plugins.conf", "firebird.msg",
                             "intl/fbintl.conf", "plugins", "lib", "UDF"}) {
        const QString original = raizMotor + u'/' + QLatin1String(nome);
        if (QFileInfo::exists(original) && !QFileInfo::exists(pasta + u'/' + QLatin1String(nome)))
            return false;
    }
    const QFileInfo intl(pasta + QStringLiteral("/intl/libfbintl.so"));
    if (!intl.isFile() || intl.isSymLink() || intl.size() != QFileInfo(raizMotor + QStringLiteral("/intl/libfbintl.so")).size())
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
bool preparaRaizEm(const QString &pasta) { return preparaRaizEm(pasta, motorInstalado()); }

bool preparaRaizEm(const QString &pasta, const MotorFirebird &motor)
{
    const QString &raizMotor = motor.raiz;
    removeSobras(pasta);
    if (raizPronta(pasta, raizMotor))
        return true;
    const QString sufixo = QUuid::createUuid().toString(QUuid::Id128);
    const QString temporaria = pasta + QStringLiteral(".tmp-") + sufixo;
    if (!montaRaiz(temporaria, raizMotor)) {
        QDir(temporaria).removeRecursively();
        return false;
    }
    if (QFileInfo::exists(pasta) && !raizPronta(pasta, raizMotor)) {
        const QString velha = pasta + QStringLiteral(".velha-") + sufixo;
        if (QDir().rename(pasta, velha))
            QDir(velha).removeRecursively();
    }
    if (!QDir().rename(temporaria, pasta))
        QDir(temporaria).removeRecursively(); // another program put its own in place first
    return raizPronta(pasta, raizMotor);
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
    // Without the client nothing is read: that failure is told before any other.
    firebird::cliente();
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

namespace {
// The folder of the client library loaded in this process: the file it was
// loaded from, or, when the system's search found it by name, where the
// loader found it.
QString pastaDoCliente()
{
    const QFileInfo arquivo(firebird::cliente().arquivo);
    if (arquivo.isAbsolute())
        return QFileInfo(arquivo.canonicalFilePath()).path();
    QString pasta;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *dados) {
            const QString nome = QFile::decodeName(info->dlpi_name ? info->dlpi_name : "");
            if (!QFileInfo(nome).fileName().startsWith(QLatin1String("libfbclient.so")))
                return 0;
            *static_cast<QString *>(dados) = QFileInfo(QFileInfo(nome).canonicalFilePath()).path();
            return 1;
        },
        &pasta);
    return pasta;
}
} // namespace

QStringList raizesDoMotor(const QString &pastaCliente, int maior, int menor)
{
    if (pastaCliente.isEmpty())
        return {};
    return {QDir::cleanPath(pastaCliente + QStringLiteral("/firebird/%1.%2").arg(maior).arg(menor)),
            QDir::cleanPath(pastaCliente + QStringLiteral("/..")), QDir::cleanPath(pastaCliente)};
}

MotorFirebird motorEm(const QStringList &raizes)
{
    static const QRegularExpression plugin(QStringLiteral("^lib(Engine(\\d+))\\.so$"));
    for (const QString &raiz : raizes) {
        MotorFirebird motor;
        int versao = -1;
        for (const QString &nome : QDir(raiz + QStringLiteral("/plugins")).entryList({QStringLiteral("libEngine*.so")},
                                                                                   QDir::Files)) {
            const QRegularExpressionMatch m = plugin.match(nome);
            if (m.hasMatch() && m.captured(2).toInt() > versao) {
                versao = m.captured(2).toInt();
                motor = {raiz, m.captured(1)};
            }
        }
        if (versao >= 0)
            return motor;
    }
    return {};
}

const MotorFirebird &motorInstalado()
{
    // Only the version is asked of the client: anything that reads its
    // configuration would fix its root before FIREBIRD names the program's own.
    // isc_get_client_major_version answers the InterBase version (6); the
    // text ends with Firebird's own ("LI-V6.3.… Firebird M.m").
    static const MotorFirebird motor = [] {
        char texto[256] = {};
        firebird::cliente().isc_get_client_version(texto);
        static const QRegularExpression versao(QStringLiteral("Firebird (\\d+)\\.(\\d+)"));
        const QRegularExpressionMatch m = versao.match(QString::fromLatin1(texto));
        if (!m.hasMatch())
            return MotorFirebird{};
        return motorEm(raizesDoMotor(pastaDoCliente(), m.captured(1).toInt(), m.captured(2).toInt()));
    }();
    return motor;
}

QByteArray provedoresLocais()
{
    const QString &provedor = motorInstalado().provedor;
    return (provedor.isEmpty() ? QStringLiteral("Loopback") : provedor + QStringLiteral(", Loopback")).toLatin1();
}

} // namespace bancodados
