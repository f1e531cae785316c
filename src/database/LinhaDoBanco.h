#pragma once
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "database/Pedido.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// The thread a connection lives on. A connection (a Firebird attachment or a
// Qt SQL connection) is used by the thread that opened it only, so it is
// opened, queried and closed there, one task after the other in the order
// sent; the window's thread meanwhile writes the rows already read.
namespace bancodados {

// Rows are handed over in batches: a wake-up per row would cost more than the row.
constexpr std::size_t TamanhoDoLote = 64;

class LinhaDoBanco {
public:
    LinhaDoBanco();
    // Runs what was already sent, then ends the thread.
    ~LinhaDoBanco();
    LinhaDoBanco(const LinhaDoBanco &) = delete;
    LinhaDoBanco &operator=(const LinhaDoBanco &) = delete;

    void envia(std::function<void()> tarefa);
    // Sends the task and waits until it has run.
    void executa(const std::function<void()> &tarefa);

    // A line whose task hangs (a server that never answers) is given up: it is
    // never joined nor sent anything again. Once the hung task returns (if it
    // ever does), `ultima` runs there (it lets the connection go) and the line
    // ends and frees itself.
    static void abandona(std::unique_ptr<LinhaDoBanco> linha, std::function<void()> ultima);

private:
    void laco();

    std::mutex mutex_;
    std::condition_variable aviso_;
    std::deque<std::function<void()>> tarefas_;
    bool fim_ = false;
    std::atomic<bool> abandonada_{false};
    std::thread thread_;
};

// A stretch of a connection's thread that uses a database client right after
// a call that may have hung. A line given up while hung may come back only
// when the process is already ending, its client's libraries being torn down:
// there it stops for good at the start of the stretch, before touching them.
// Anywhere else it returns at once; the process's end waits (a second at
// most) for such lines' stretches under way. Other lines pass untouched.
class TrechoDoCliente {
public:
    TrechoDoCliente();
    ~TrechoDoCliente();
    TrechoDoCliente(const TrechoDoCliente &) = delete;
    TrechoDoCliente &operator=(const TrechoDoCliente &) = delete;

private:
    const bool conta_; // its line was given up
};

// What the process's end does once a line has been given up (the seam for tests).
void iniciaFimDoProcesso();

// A statement running on an open connection, read forward. Failures raise
// ErroSistema on the connection's thread.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual QStringList colunas() const = 0;
    // The next row into `linha`; false at the end (and the reading is over).
    virtual bool proxima(Linha &linha) = 0;
};

// An open connection, used on its thread only.
class Sessao {
public:
    virtual ~Sessao() = default;
    // Runs the statement, with its parameters, in a read-only transaction.
    virtual std::unique_ptr<Cursor> executa(const QString &sql, const QVariantList &parametros) = 0;
    // From the caller's thread: the statement running now fails at once, where
    // the client can do it; false where it cannot (the connection must then
    // be abandoned).
    virtual bool cancela() { return false; }
};

// One statement's result: run and read on the connection's thread, taken on
// the caller's thread as the rows arrive.
class Leitura {
public:
    // Run on the session `lugar` holds, by the thread of that session's connection.
    Leitura(QString sql, QVariantList parametros, LugarDaSessao lugar)
        : sql_(std::move(sql)), parametros_(std::move(parametros)), lugar_(std::move(lugar))
    {
    }
    // On the connection's thread: runs the statement and reads every row,
    // unless cancelled first. No session: the connection is not open.
    void executa();
    // The session it runs on (on the caller's thread: to cancel it).
    Sessao *sessao() const { return lugar_->get(); }

    // On the caller's thread. Wait up to `ms` for the statement to have run /
    // for rows not yet taken or the end; true when the calls below will not wait.
    bool executou(int ms) const;
    bool temLinhas(int ms) const;
    // Waits up to `ms`; true once the connection's thread is done with this reading.
    bool acabou(int ms) const;

    // Waits until the statement has run; false, with
    // the provider's error, when it was refused.
    bool esperaExecucao(Falha &falha);
    QStringList colunas() const;
    // Waits for rows not yet taken and moves them into `linhas`; nothing moved
    // means the end. False, with the error, when reading failed at that point.
    bool recebe(std::deque<Linha> &linhas, Falha &falha);
    // The rows are no longer wanted: reading stops and the result is released.
    void cancela();

private:
    enum class Estado { Aguardando, Recusada, Executada, Terminada };
    // Hands the rows over; `fim` when they are the last.
    void entrega(std::deque<Linha> &lote, bool fim = false);

    void falhou(const Falha &falha, Estado estado);

    const QString sql_;
    const QVariantList parametros_;
    const LugarDaSessao lugar_;
    mutable std::mutex mutex_;
    mutable std::condition_variable aviso_;
    Estado estado_ = Estado::Aguardando;
    Falha erro_;
    bool comErro_ = false;
    QStringList colunas_;
    std::deque<Linha> prontas_;
    std::atomic<bool> cancelada_{false};
};

} // namespace bancodados
