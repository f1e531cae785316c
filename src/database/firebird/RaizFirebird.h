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
// file exclusively).
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

} // namespace bancodados
