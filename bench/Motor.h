#pragma once
#include "notice/ConsultasContas.h"
#include "database/firebird/Firebird.h"

#include <QDate>
#include <QString>

// The fastest the database engine gives the notice's two statements: through
// the same client library as the program (Firebird's own), each in its
// read-only transaction, every field of every row fetched and nothing else
// done with it; and through the engine's own command-line client.
class Piso {
public:
    explicit Piso(const QString &arquivo);

    // Runs one statement and reads it to the end; the number of rows.
    int executa(const consultas::Consulta &consulta);
    // Both statements of the day; the rows of each.
    void executaAmbos(const QDate &dia, int &receber, int &pagar);
    // The two summaries of the instalments due before the day (counts and sums).
    void executaResumos(const QDate &dia);

    // The floor of a start-up: milliseconds from opening a new connection
    // (which reads the tables' definitions afresh) to the end of both statements.
    static double comConexaoNova(const QString &arquivo, const QDate &dia);

private:
    bancodados::firebird::Anexo anexo_;
};

// Milliseconds isql-fb takes, from its start to its end, for a script whose
// output is discarded.
double tempoIsql(const QString &arquivo, const QByteArray &script);
QByteArray scriptDosComandos(const QDate &dia);
