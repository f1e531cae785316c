#pragma once
#include <QString>
#include <QStringList>

// Where orvo.ini is looked for, in this order: the program's own folder (so
// that a copy run from its folder keeps its file beside it), the user's
// configuration folder ($XDG_CONFIG_HOME, by default ~/.config) and then each
// folder of the workstation's configuration ($XDG_CONFIG_DIRS, by default
// /etc/xdg), each with orvoaviso/orvo.ini. The first file found is read.
QStringList caminhosConfiguracao();

// The first of the paths that is a file, or the empty text.
QString primeiraConfiguracaoExistente(const QStringList &caminhos);
