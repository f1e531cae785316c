#pragma once
#include "base/ErroCorrente.h"

#include <QDateTime>
#include <QString>
#include <functional>

struct Configuracao;

// What the user is told about a failure, in the program's own words: one
// Portuguese sentence first, saying what happened and what the site can do,
// then the engine's or the driver's own words. Every text of these messages
// is in ExplicacaoFalha.cpp, beside the conditions that choose it.

// What the explanation may need to know of the workstation.
struct ContextoFalha {
    QString usuario;                      // the name the user logged in with
    std::function<bool()> servidorLocal;  // a Firebird server answers on this computer
    QString odbcIni;                      // $ODBCINI: the user's data sources file, when set
    QString odbcSysIni;                   // $ODBCSYSINI: the folder of the workstation's odbc.ini, when set

    // The running program's user and environment.
    static ContextoFalha doSistema();
};

struct Explicacao {
    QString frase{};     // the first line; empty for a failure the program does not know
    QString complemento{}; // lines shown after the engine's words (the group's command)
};

Explicacao explicaFalha(const ErroCorrente &erro, const ContextoFalha &contexto);
Explicacao explicaFalha(const ErroSistema &erro, const ContextoFalha &contexto);

// The database could not be reached or the connection was lost: opening it
// failed, the server did not answer or went away. False when the database
// answered a statement with an error (a column or a table it does not have).
bool falhaDeConexao(const ErroCorrente &erro);
bool falhaDeConexao(const ErroSistema &erro);

// The notice's status line after a failed reading.
QString textoDaSituacao(const ErroSistema &erro, const QDateTime &quando);

// The tray's line while the connection stays lost.
QString textoSemConexaoDesde(const QDateTime &desde);

// The whole message of a start-up whose connection failed.
QString mensagemAberturaFalhou(const ErroSistema &erro, const ContextoFalha &contexto);

// orvo.ini found nowhere, far too big to be it, or not readable.
QString mensagemSemConfiguracao();
QString mensagemConfiguracaoGrandeDemais(const QString &caminho);
QString mensagemConfiguracaoIlegivel(const QString &motivo);

// The problem of orvo.ini's line 1 that keeps the database from being found
// (empty, or a Windows path), as the message to show; empty when there is none.
QString problemaDaLinha1(const Configuracao &configuracao);

// The name the user logged in with.
QString nomeDoUsuario();
