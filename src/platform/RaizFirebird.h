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

} // namespace bancodados
