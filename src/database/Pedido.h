#pragma once
#include "base/ErroCorrente.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// A request of the window to the database: the statements it wants read, one
// after the other, on the connection's thread. The window never waits for it:
// each batch of rows, each statement's end and the request's end or failure
// come back to the window's thread as queued calls, in the order they happened.
namespace bancodados {

using Linha = QVector<QVariant>;

// One statement and its parameters ("?" in the text, a QDate going as a date).
struct Instrucao {
    QString sql;
    QVariantList parametros;
};

// What the database said when it refused a statement, failed a reading or
// could not be reached.
struct Falha {
    long numero = 0;
    QString descricao;
    DetalheErro detalhe;
};

struct Pedido {
    // The connection is opened again first (its link was lost, or the
    // database file replaced).
    bool reabre = false;
    std::vector<Instrucao> instrucoes;

    // Everything below runs on the window's thread. Rows of statement
    // `indice` as they are read: the first at once, then in batches.
    std::function<void(int indice, const QStringList &colunas, std::deque<Linha> &linhas)> aoLer;
    // Statement `indice` has been read to its end.
    std::function<void(int indice)> aoTerminar;
    // Every statement has been read.
    std::function<void()> aoConcluir;
    // The request failed and nothing more comes: the connection could not be
    // opened, a statement was refused, a row could not be read, or the
    // database did not answer by the deadline.
    std::function<void(const Falha &falha)> aoFalhar;
};

} // namespace bancodados
