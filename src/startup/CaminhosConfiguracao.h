#pragma once
#include <QString>
#include <QStringList>

// Where orvo.ini is looked for, in this order: the program's own folder (so
// that a copy run from its folder keeps its file beside it), then the user's
// and the workstation's configuration folders. The first file found is read.
QStringList caminhosConfiguracao();

// The user's and then the workstation's orvo.ini, as the platform keeps
// configuration:
// - POSIX: $XDG_CONFIG_HOME (by default ~/.config), then each folder of
//   $XDG_CONFIG_DIRS (by default /etc/xdg), each with orvoaviso/orvo.ini;
// - Windows: %APPDATA%, then %PROGRAMDATA% (where a variable is missing, the
//   folder Windows records for it), each with OrvoAviso\orvo.ini.
QStringList configuracoesDoUsuarioEDaEstacao();

// The first of the paths that is a file, or the empty text.
QString primeiraConfiguracaoExistente(const QStringList &caminhos);
