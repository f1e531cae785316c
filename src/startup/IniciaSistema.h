#pragma once
#include "database/BancoDados.h"

// The one database connection of the program, opened at start-up.
bancodados::Conexao &conexaoCompartilhada();
bool haConexaoCompartilhada();
void descartaConexaoCompartilhada(); // for tests that start the system more than once

// Reads orvo.ini from the program's folder, builds the connection string and
// opens the shared connection. On any failure the user is told why and the
// process ends.
void IniciaSistema();

// Exit statuses of a start-up that could not go on.
enum { SaidaSemConfiguracao = 1, SaidaSemBanco = 2 };
