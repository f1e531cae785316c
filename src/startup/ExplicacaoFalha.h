#pragma once
#include <QString>

// A plain Portuguese explanation, for the failed-connection message, of a
// failure whose cause the engine's own text does not make clear; the empty
// text when the failure is not one of those.
//
// Recognised: the embedded Firebird engine refused its lock folder
// (/tmp/firebird, shared by every program that opens Firebird files on the
// workstation and open only to the group "firebird"): the user must belong to
// that group, and the group counts from the next session on. The file held
// by a Firebird server in Super mode, which the local server's login (the
// "Usuario=" and "Senha=" lines) or the server named in line 1 reaches.
// Also told apart: a server that did not answer within the deadline
// (semResposta), one that refused the connection (nothing listens there),
// and one that refused the login.
QString explicacaoDaFalha(const QString &descricao, const QString &usuario, bool semResposta = false);

// The name the user logged in with.
QString nomeDoUsuario();
