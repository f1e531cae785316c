#pragma once
#include <QSqlError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The thread a connection lives on. A Qt SQL connection belongs to the thread
// that opened it, so it is opened, queried and closed there, one task after
// the other in the order sent; the window's thread meanwhile writes the rows
// already read.
namespace bancodados {

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

private:
    void laco();

    std::mutex mutex_;
    std::condition_variable aviso_;
    std::deque<std::function<void()>> tarefas_;
    bool fim_ = false;
    std::thread thread_;
};

using Linha = QVector<QVariant>;

// One statement's result: run and read on the connection's thread, taken on
// the caller's thread as the rows arrive.
class Leitura {
public:
    explicit Leitura(QString sql, QVariantList parametros = {})
        : sql_(std::move(sql)), parametros_(std::move(parametros)) {}
    const QString &sql() const { return sql_; }
    const QVariantList &parametros() const { return parametros_; }
    // The same statement with the same values for its "?" marks.
    bool mesma(const QString &sql, const QVariantList &parametros) const
    {
        return sql_ == sql && parametros_ == parametros;
    }

    // On the connection's thread: runs the statement and reads every row,
    // unless cancelled first.
    void executa(const QString &nomeConexao);

    // On the caller's thread. Waits until the statement has run; false, with
    // the provider's error, when it was refused.
    bool esperaExecucao(QSqlError &erro);
    QStringList colunas() const;
    // Waits for rows not yet taken and moves them into `linhas`; nothing moved
    // means the end. False, with the error, when reading failed at that point.
    bool recebe(std::deque<Linha> &linhas, QSqlError &erro);
    // True while the statement is still waiting, running or being read.
    bool emAndamento() const;
    // The rows are no longer wanted: reading stops and the result is released.
    void cancela();

private:
    enum class Estado { Aguardando, Recusada, Executada, Terminada };
    // Hands the rows over; `fim` when they are the last.
    void entrega(std::deque<Linha> &lote, bool fim = false);

    const QString sql_;
    const QVariantList parametros_; // bound to the "?" marks in order
    mutable std::mutex mutex_;
    std::condition_variable aviso_;
    Estado estado_ = Estado::Aguardando;
    QSqlError erro_;
    QStringList colunas_;
    std::deque<Linha> prontas_;
    std::atomic<bool> cancelada_{false};
};

} // namespace bancodados
