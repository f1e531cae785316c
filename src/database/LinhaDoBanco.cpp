#include "database/LinhaDoBanco.h"

#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "database/firebird/Portao.h"

#include <chrono>
#include <cstdlib>

namespace bancodados {

namespace {
// Closed at the process's end, for the lines given up only.
Portao &fimDoProcesso()
{
    static Portao *p = new Portao;
    return *p;
}
// Whether the line of this thread was given up.
thread_local const std::atomic<bool> *linhaAbandonada = nullptr;
} // namespace

void iniciaFimDoProcesso() { fimDoProcesso().fecha(1000); }

TrechoDoCliente::TrechoDoCliente() : conta_(linhaAbandonada && *linhaAbandonada)
{
    if (conta_)
        fimDoProcesso().entra();
}

TrechoDoCliente::~TrechoDoCliente()
{
    if (conta_)
        fimDoProcesso().sai();
}

LinhaDoBanco::LinhaDoBanco() : thread_([this] { laco(); }) {}

LinhaDoBanco::~LinhaDoBanco()
{
    if (!thread_.joinable())
        return; // an abandoned line freeing itself on its own thread
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

void LinhaDoBanco::abandona(std::unique_ptr<LinhaDoBanco> linha, std::function<void()> ultima)
{
    LinhaDoBanco *solta = linha.release();
    {
        std::lock_guard<std::mutex> trava(solta->mutex_);
        // What was waiting behind the hung task is not wanted any more.
        solta->tarefas_.clear();
        solta->tarefas_.push_back(std::move(ultima));
        solta->fim_ = true;
        solta->abandonada_ = true;
    }
    solta->thread_.detach();
    solta->aviso_.notify_one();
    // Registered once the database clients are set up, so it runs before
    // their clean-up at the process's end.
    static std::once_flag vigia;
    std::call_once(vigia, [] { std::atexit(iniciaFimDoProcesso); });
}

void LinhaDoBanco::laco()
{
    linhaAbandonada = &abandonada_;
    for (;;) {
        std::function<void()> tarefa;
        {
            std::unique_lock<std::mutex> trava(mutex_);
            aviso_.wait(trava, [this] { return fim_ || !tarefas_.empty(); });
            if (tarefas_.empty()) {
                if (!abandonada_)
                    return;
                trava.unlock();
                delete this; // nobody else holds an abandoned line
                return;
            }
            tarefa = std::move(tarefas_.front());
            tarefas_.pop_front();
        }
        tarefa();
    }
}

void Leitura::executa()
{
    Sessao *sessao = lugar_->get();
    std::deque<Linha> lote;
    if (!cancelada_) {
        std::unique_ptr<Cursor> cursor;
        try {
            if (!sessao)
                throw ErroSistema(ErroOperacaoNaoPermitida,
                                  QStringLiteral("A operação não é permitida quando a conexão está fechada."));
            cursor = sessao->executa(sql_, parametros_);
        } catch (const ErroSistema &erro) {
            falhou({erro.numero(), erro.descricao(), erro.detalhe()}, Estado::Recusada);
            return;
        }
        {
            std::lock_guard<std::mutex> trava(mutex_);
            colunas_ = cursor->colunas();
            estado_ = Estado::Executada;
            aviso_.notify_all();
        }
        try {
            bool primeira = true;
            Linha linha;
            while (!cancelada_ && cursor->proxima(linha)) {
                lote.push_back(std::move(linha));
                linha = Linha();
                // The first row at once, so the caller can start; then in batches.
                if (primeira || lote.size() >= TamanhoDoLote)
                    entrega(lote);
                primeira = false;
            }
        } catch (const ErroSistema &erro) {
            if (!cancelada_) {
                std::lock_guard<std::mutex> trava(mutex_);
                erro_ = {erro.numero(), erro.descricao(), erro.detalhe()};
                comErro_ = true;
            }
        }
    }
    entrega(lote, true);
}

void Leitura::falhou(const Falha &falha, Estado estado)
{
    std::lock_guard<std::mutex> trava(mutex_);
    erro_ = falha;
    comErro_ = true;
    estado_ = estado;
    aviso_.notify_all();
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

bool Leitura::executou(int ms) const
{
    std::unique_lock<std::mutex> trava(mutex_);
    return aviso_.wait_for(trava, std::chrono::milliseconds(ms), [this] { return estado_ != Estado::Aguardando; });
}

bool Leitura::temLinhas(int ms) const
{
    std::unique_lock<std::mutex> trava(mutex_);
    return aviso_.wait_for(trava, std::chrono::milliseconds(ms), [this] {
        return !prontas_.empty() || estado_ == Estado::Terminada || estado_ == Estado::Recusada;
    });
}

bool Leitura::acabou(int ms) const
{
    std::unique_lock<std::mutex> trava(mutex_);
    return aviso_.wait_for(trava, std::chrono::milliseconds(ms),
                           [this] { return estado_ == Estado::Terminada || estado_ == Estado::Recusada; });
}

bool Leitura::esperaExecucao(Falha &erro)
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

bool Leitura::recebe(std::deque<Linha> &linhas, Falha &erro)
{
    std::unique_lock<std::mutex> trava(mutex_);
    aviso_.wait(trava, [this] { return !prontas_.empty() || estado_ == Estado::Terminada || estado_ == Estado::Recusada; });
    for (Linha &linha : prontas_)
        linhas.push_back(std::move(linha));
    prontas_.clear();
    // An error while reading counts once every row read before it is taken.
    if (linhas.empty() && comErro_) {
        erro = erro_;
        return false;
    }
    return true;
}

void Leitura::cancela() { cancelada_ = true; }

} // namespace bancodados
