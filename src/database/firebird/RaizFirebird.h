#pragma once
#include <QString>
#include <QStringList>

namespace bancodados {

// The program's own Firebird configuration: a private Firebird root whose
// engine runs in shared mode (SuperClassic), so that an embedded database file
// stays open to the sales system and to other workstation programs while this
// one reads it. Prepared once, before the Firebird client is first used; a
// FIREBIRD root already set in the environment is respected. Made in the first
// of lugaresDaRaizFirebird() where it can be; when it can be made nowhere it
// raises ErroSemRaizFirebird (the engine's own configuration would open the
// file exclusively). Loads the client first: without one it raises
// ErroSemClienteFirebird.
QString preparaRaizFirebird();

// The places tried for the root, in order: where it belongs, the user's cache,
// the user's runtime folder ($XDG_RUNTIME_DIR/orvoaviso/firebird) and a
// folder of this user's alone in the temporary folder
// (/tmp/orvoaviso-UID/firebird).
QStringList lugaresDaRaizFirebird();

enum : long { ErroSemRaizFirebird = 3751 };

// Where the root is made: the "firebird" folder beside a program run from its
// build or copy folder; the user's cache for an installed program, which
// writes nothing beside itself. The cache is also the fallback when the
// program's folder cannot be written after all.
QString pastaRaizFirebird();

// The root in the user's cache: $XDG_CACHE_HOME/orvoaviso/firebird (by
// default ~/.cache/orvoaviso/firebird).
QString pastaCacheFirebird();

// An installed program: under /usr, laid out with its share/orvoaviso folder
// beside its bin folder, or in a folder it cannot write.
bool programaInstalado(const QString &pastaPrograma);

// Makes sure the root at pasta is whole, making it again when a file is
// missing or changed, and removes the temporary folders that starts ended
// halfway left beside it. False when it cannot be made there.
bool preparaRaizEm(const QString &pasta);

// The Firebird engine this program's client library goes with: its root
// (configuration, plugins, character sets) and its provider, named after the
// engine plugin found there (plugins/libEngineNN.so: "EngineNN"). Both empty
// when no engine is installed.
struct MotorFirebird {
    QString raiz;
    QString provedor;
};

// The engine installed for the loaded client, found once: the client tells
// its version, the root follows from the client's own folder.
const MotorFirebird &motorInstalado();

// The first of raizes holding an engine plugin; the newest plugin when a root
// holds more than one.
MotorFirebird motorEm(const QStringList &raizes);

// Where the engine of a client library in pastaCliente, of version
// maior.menor, may be, in order: Debian's layout (pastaCliente/firebird/M.m),
// then a Firebird folder of its own (/opt/firebird/lib: /opt/firebird).
QStringList raizesDoMotor(const QString &pastaCliente, int maior, int menor);

// The providers a file on this machine is opened with: the installed engine,
// then a local server holding the file.
QByteArray provedoresLocais();

// preparaRaizEm for a given engine: a root made for another engine (the
// system upgraded its Firebird) is made again.
bool preparaRaizEm(const QString &pasta, const MotorFirebird &motor);

} // namespace bancodados
