#include "platform/LinhaDoBanco.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace bancodados {

LinhaDoBanco::LinhaDoBanco() : thread_([this] { laco(); }) {}

LinhaDoBanco::~LinhaDoBanco()
{
    {
        std::lock_guard<std::mutex> trava(mutex_);
        fim_ = true;
    }
    aviso_.notify_one();
    thread_.join();
}

void LinhaDoBanco::envia(std::function<void()> tarefa)
{
    {
        std::lock_guard<std::mutex> trava(mutex_);
        tarefas_.push_back(std::move(tarefa));
    }
    aviso_.notify_one();
}

void LinhaDoBanco::executa(const std::function<void()> &tarefa)
{
    std::mutex mutex;
    std::condition_variable feita;
    bool pronta = false;
    envia([&] {
        tarefa();
        std::lock_guard<std::mutex> trava(mutex);
        pronta = true;
        feita.notify_one();
    });
    std::unique_lock<std::mutex> trava(mutex);
    feita.wait(trava, [&] { return pronta; });
}

void LinhaDoBanco::laco()
{
    for (;;) {
        std::function<void()> tarefa;
        {
            std::unique_lock<std::mutex> trava(mutex_);
            aviso_.wait(trava, [this] { return fim_ || !tarefas_.empty(); });
            if (tarefas_.empty())
                return;
            tarefa = std::move(tarefas_.front());
            tarefas_.pop_front();
        }
        tarefa();
    }
}

namespace {
// Rows are handed over in batches: a wake-up per row would cost more than the row.
constexpr std::size_t TamanhoDoLote = 64;
} // namespace

void Leitura::executa(const QString &nomeConexao)
{
    std::deque<Linha> lote;
    if (!cancelada_) {
        QSqlQuery consulta(QSqlDatabase::database(nomeConexao, false));
        consulta.setForwardOnly(true);
        consulta.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        // A statement with "?" marks is prepared and gets its values bound in
        // order, typed (a day goes as a date, never as text to be read).
        bool executada = false;
        if (parametros_.isEmpty()) {
            executada = consulta.exec(sql_);
        } else if (consulta.prepare(sql_)) {
            for (const QVariant &valor : parametros_)
                consulta.addBindValue(valor);
            executada = consulta.exec();
        }
        if (!executada) {
            std::lock_guard<std::mutex> trava(mutex_);
            erro_ = consulta.lastError();
            estado_ = Estado::Recusada;
            aviso_.notify_all();
            return;
        }
        const QSqlRecord registro = consulta.record();
        QStringList colunas;
        for (int i = 0; i < registro.count(); ++i)
            colunas << registro.fieldName(i);
        {
            std::lock_guard<std::mutex> trava(mutex_);
            colunas_ = colunas;
            estado_ = Estado::Executada;
            aviso_.notify_all();
        }
        const int n = colunas.size();
        bool primeira = true;
        while (!cancelada_ && consulta.next()) {
            Linha linha(n);
            for (int i = 0; i < n; ++i)
                linha[i] = consulta.value(i);
            lote.push_back(std::move(linha));
            // The first row at once, so the caller can start; then in batches.
            if (primeira || lote.size() >= TamanhoDoLote)
                entrega(lote);
            primeira = false;
        }
        const QSqlError erro = consulta.lastError();
        consulta.finish();
        if (erro.isValid() && !cancelada_) {
            std::lock_guard<std::mutex> trava(mutex_);
            erro_ = erro;
        }
    }
    entrega(lote, true);
}

void Leitura::entrega(std::deque<Linha> &lote, bool fim)
{
    std::lock_guard<std::mutex> trava(mutex_);
    for (Linha &linha : lote)
        prontas_.push_back(std::move(linha));
    lote.clear();
    if (fim)
        estado_ = Estado::Terminada;
    aviso_.notify_all();
}

bool Leitura::esperaExecucao(QSqlError &erro)
{
    std::unique_lock<std::mutex> trava(mutex_);
    aviso_.wait(trava, [this] { return estado_ != Estado::Aguardando; });
    if (estado_ != Estado::Recusada)
        return true;
    erro = erro_;
    return false;
}

QStringList Leitura::colunas() const
{
    std::lock_guard<std::mutex> trava(mutex_);
    return colunas_;
}

bool Leitura::recebe(std::deque<Linha> &linhas, QSqlError &erro)
{
    std::unique_lock<std::mutex> trava(mutex_);
    aviso_.wait(trava, [this] { return !prontas_.empty() || estado_ == Estado::Terminada || estado_ == Estado::Recusada; });
    for (Linha &linha : prontas_)
        linhas.push_back(std::move(linha));
    prontas_.clear();
    // An error while reading counts once every row read before it is taken.
    if (linhas.empty() && erro_.isValid()) {
        erro = erro_;
        return false;
    }
    return true;
}

bool Leitura::emAndamento() const
{
    std::lock_guard<std::mutex> trava(mutex_);
    return estado_ == Estado::Aguardando || estado_ == Estado::Executada;
}

void Leitura::cancela() { cancelada_ = true; }

} // namespace bancodados
