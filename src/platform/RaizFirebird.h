#pragma once
#include <QString>

namespace bancodados {

// The program's own Firebird configuration: a private Firebird root whose
// engine runs in shared mode (SuperClassic), so that an embedded database file
// stays open to the sales system and to other workstation programs while this
// one reads it. Prepared once, before the Firebird client is first used; a
// FIREBIRD root already set in the environment is respected.
QString preparaRaizFirebird();

// Where the root is made: the "firebird" folder beside the program, or the
// user's cache folder when the program folder cannot be written.
QString pastaRaizFirebird();

// Makes sure the root at pasta is whole, making it again when a file is
// missing or changed, and removes the temporary folders that starts ended
// halfway left beside it. False when it cannot be made there.
bool preparaRaizEm(const QString &pasta);

} // namespace bancodados
