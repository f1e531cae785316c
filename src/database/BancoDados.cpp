#include "database/BancoDados.h"
#include "base/ErroCorrente.h"
#include "database/firebird/Firebird.h"
#include "database/LinhaDoBanco.h"
#include "database/firebird/RaizFirebird.h"
#include "database/Sessoes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <QSqlDatabase>
#include <QHash>
#include <QUuid>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace bancodados {
namespace {

const QString ProvedorFirebird = QStringLiteral("lcpi.ibprovider.1");
const QString ProvedorFirebirdAlternativo = QStringLiteral("ibole.provider.v4");
const QString ProvedorJet = QStringLiteral("microsoft.jet.oledb.4.0");

// "key=value;key=value" with keys compared without regard to case and blanks
// around keys and values dropped, as providers read them.
QHash<QString, QString> pares(const QString &stringConexao)
{
    QHash<QString, QString> resultado;
    for (const QString &parte : stringConexao.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype igual = parte.indexOf(u'=');
        if (igual < 0)
            continue;
        resultado.insert(parte.left(igual).trimmed().toLower(), parte.mid(igual + 1).trimmed());
    }
    return resultado;
}

// The data source of a connection string, cut out of it. The start-up writes
// the data folder as it stands in orvo.ini followed by the database file, so
// the value runs from "data source=" to the last ".fdb" or ".mdb": a folder
// holding ";", "=" or quotes stays whole and can never add keys to the string.
// Strings without such a file end the value at the next ";".
QString separaFonte(QString &stringConexao)
{
    const QString chave = QStringLiteral("data source=");
    const qsizetype inicio = stringConexao.indexOf(chave, 0, Qt::CaseInsensitive);
    if (inicio < 0)
        return QString();
    const qsizetype valor = inicio + chave.size();
    qsizetype fim = -1;
    for (const QLatin1String arquivo : {QLatin1String(".fdb"), QLatin1String(".mdb")}) {
        const qsizetype achado = stringConexao.lastIndexOf(arquivo, -1, Qt::CaseInsensitive);
        if (achado >= valor)
            fim = std::max(fim, achado + arquivo.size());
    }
    if (fim < 0) {
        fim = stringConexao.indexOf(u';', valor);
        if (fim < 0)
            fim = stringConexao.size();
    }
    const QString fonte = stringConexao.mid(valor, fim - valor).trimmed();
    stringConexao.remove(inicio, fim - inicio);
    return fonte;
}

// The start-up joins folder and file with "\"; the Linux Firebird engine and
// file systems want "/".
QString barrasNormais(QString fonte)
{
    return fonte.replace(u'\\', u'/');
}

// A value of an ODBC connection string: in braces when it holds ";" or braces,
// so that the driver manager reads it whole.
QString valorOdbc(QString valor)
{
    if (!valor.contains(u';') && !valor.contains(u'{') && !valor.contains(u'}'))
        return valor;
    return u'{' + valor.replace(QStringLiteral("}"), QStringLiteral("}}")) + u'}';
}

// A record set waits on the database in slices this long, to see its deadline.
constexpr int FatiaMs = 50;
// After a cancel, how long the reading may take to end before its connection
// is abandoned.
constexpr int SegundosParaCancelar = 2;
// The client's own bound on a connect is a little longer than the program's,
// so that the program's tells that the server did not answer; the client's
// then ends a connect given up on.
constexpr int FolgaDoClienteSegundos = 5;

int msPorSegundo = 1000;

QDeadlineTimer prazoDe(int segundos)
{
    return QDeadlineTimer(qint64(segundos) * msPorSegundo);
}

QString novoNome()
{
    return QStringLiteral("orvo-") + QUuid::createUuid().toString(QUuid::Id128);
}

// The open of a connection, handed from its thread to the caller.
struct Abertura {
    std::mutex mutex;
    std::condition_variable aviso;
    bool feita = false;
    std::optional<ErroSistema> erro;
    bool espera(int ms)
    {
        std::unique_lock<std::mutex> trava(mutex);
        return aviso.wait_for(trava, std::chrono::milliseconds(ms), [this] { return feita; });
    }
};

} // namespace

void fechaParaEncerrar(int ms) { firebird::fechaMotor(ms); }

int milissegundosPorSegundo() { return msPorSegundo; }
void defineMilissegundosPorSegundo(int ms) { msPorSegundo = ms; }

QString textoSemResposta(int segundos)
{
    return QStringLiteral("O banco de dados não respondeu em %1 segundos.").arg(segundos);
}

Destino interpretaStringConexao(const QString &stringConexao)
{
    Destino destino;
    if (!stringConexao.contains(u'=')) {
        // An ODBC data source name, set up on the workstation.
        destino.driver = QStringLiteral("QODBC");
        destino.banco = stringConexao.trimmed();
        destino.opcoes = QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY");
        return destino;
    }
    QString resto = stringConexao;
    const QString fonte = separaFonte(resto);
    const QHash<QString, QString> p = pares(resto);
    const QString provedor = p.value(QStringLiteral("provider")).toLower();
    if (provedor == ProvedorFirebird || provedor == ProvedorFirebirdAlternativo) {
        destino.driver = QStringLiteral("QIBASE");
        destino.banco = barrasNormais(fonte);
        if (caminhoLocal(destino.banco)) {
            destino.banco = caminhoExistente(destino.banco, 1);
            destino.arquivo = destino.banco;
        }
        destino.usuario = p.value(QStringLiteral("user id"));
        destino.senha = p.value(QStringLiteral("password"));
        return destino;
    }
    if (provedor == ProvedorJet) {
        destino.driver = QStringLiteral("QODBC");
        destino.arquivo = caminhoExistente(barrasNormais(fonte), 2);
        destino.banco = QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=")
            + valorOdbc(destino.arquivo) + QStringLiteral(";ReadOnly=1");
        destino.opcoes = QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY");
        return destino;
    }
    throw ErroSistema(ErroProvedorNaoEncontrado,
                      QStringLiteral("Provedor de banco de dados não encontrado: \"%1\". "
                                     "Verifique a configuração do orvo.ini.")
                          .arg(p.value(QStringLiteral("provider"))));
}

// The request under way, shared by the window's thread and the connection's.
struct Conexao::EstadoDoPedido {
    Pedido pedido;                       // its handlers: window's thread only
    std::atomic<bool> cancelado{false};  // the window wants nothing more
    bool descartado = false;             // window's thread: answers still on their way are dropped
    bool abrindo = false;                // window's thread: the open is still awaited
};

namespace {
// The object the connection's threads post their answers to: it lives on the
// window's thread for as long as the program, so an answer of a thread given
// up never reaches something already gone.
QObject *receptor()
{
    static QObject *r = [] {
        auto *o = new QObject;
        if (QCoreApplication::instance())
            o->moveToThread(QCoreApplication::instance()->thread());
        return o;
    }();
    return r;
}

// Carries a call from the connection's thread to the window's; dropped there
// once the window has stopped listening to its request.
template <class Estado, class Chamada>
void naJanela(const std::shared_ptr<Estado> &estado, Chamada chamada)
{
    QMetaObject::invokeMethod(
        receptor(),
        [estado, chamada = std::move(chamada)]() mutable {
            if (!estado->descartado)
                chamada();
        },
        Qt::QueuedConnection);
}
} // namespace

Conexao::Conexao()
    : nome_(novoNome()), sessao_(std::make_shared<std::unique_ptr<Sessao>>()), linha_(std::make_unique<LinhaDoBanco>()),
      prazo_(std::make_unique<QTimer>())
{
    receptor();
    prazo_->setSingleShot(true);
    prazo_->setTimerType(Qt::PreciseTimer);
}

Conexao::~Conexao()
{
    if (pedido_) {
        // A request still under way may be held by a server that does not
        // answer: the program does not wait for it to end.
        pedido_->descartado = true;
        pedido_->cancelado = true;
        if (Sessao *sessao = sessao_->get())
            sessao->cancela();
        LinhaDoBanco::abandona(std::move(linha_), [lugar = sessao_] { lugar->reset(); });
        return;
    }
    // The thread ends once its session is closed.
    linha_->envia([lugar = sessao_] { lugar->reset(); });
}

Destino Conexao::destino() const
{
    Destino destino = interpretaStringConexao(stringConexao_);
    if (!usuario_.isEmpty())
        destino.usuario = usuario_;
    if (!senha_.isEmpty())
        destino.senha = senha_;
    return destino;
}

std::optional<ErroSistema> Conexao::abreNaLinha(const Destino &destino, const LugarDaSessao &lugar, const QString &nome)
{
    // The client's own bound, in whole seconds, a little past the program's.
    const int esperaDoCliente = (SegundosParaConectar * msPorSegundo + 999) / 1000 + FolgaDoClienteSegundos;
    lugar->reset();
    try {
        *lugar = abreSessao(destino, nome, esperaDoCliente);
    } catch (const ErroSistema &erro) {
        return erro;
    }
    return std::nullopt;
}

ErroSistema Conexao::erroDeAbertura(const ErroSistema &erro, const Destino &destino) const
{
    if (stringConexao_.toLower().contains(ProvedorJet))
        return ErroSistema(ErroProvedorNaoEncontrado,
                           QStringLiteral("Não há neste computador um driver ODBC capaz de abrir o banco "
                                          "Access \"%1\" (%2).")
                               .arg(destino.arquivo, erro.descricao()));
    DetalheErro detalhe = erro.detalhe();
    detalhe.naAbertura = true;
    return ErroSistema(erro.numero(), erro.descricao(), detalhe);
}

void Conexao::abre(const QString &stringConexao, const QString &usuario, const QString &senha, int)
{
    stringConexao_ = stringConexao;
    usuario_ = usuario;
    senha_ = senha;
    const Destino destino = this->destino();
    if (destino.driver == QLatin1String("QIBASE"))
        preparaRaizFirebird();
    else if (!QSqlDatabase::isDriverAvailable(destino.driver))
        throw ErroSistema(ErroProvedorNaoEncontrado,
                          QStringLiteral("O driver de banco de dados %1 não está instalado neste computador.")
                              .arg(destino.driver));

    aberta_ = false;
    auto abertura = std::make_shared<Abertura>();
    linha_->envia([lugar = sessao_, abertura, destino, nome = nome_] {
        const std::optional<ErroSistema> erro = abreNaLinha(destino, lugar, nome);
        std::lock_guard<std::mutex> trava(abertura->mutex);
        abertura->erro = erro;
        abertura->feita = true;
        abertura->aviso.notify_all();
    });
    if (!abertura->espera(SegundosParaConectar * msPorSegundo)) {
        // A server that took the connection and never answers: its client may
        // sit there long after; a new thread opens the next.
        abandona();
        throw ErroSistema(ErroSemResposta, textoSemResposta(SegundosParaConectar));
    }
    if (abertura->erro)
        throw erroDeAbertura(*abertura->erro, destino);
    aberta_ = true;
    arquivo_ = destino.arquivo;
    identidade_ = identidadeArquivo(arquivo_);
}

bool Conexao::arquivoSubstituido() const
{
    return aberta_ && !arquivo_.isEmpty() && identidadeArquivo(arquivo_) != identidade_;
}

void Conexao::envia(Pedido pedido)
{
    if (pedido_) {
        // Never two at once: the caller's queue sees to it. Refused rather
        // than mixed into the one under way.
        const Falha falha{ErroOperacaoNaoPermitida, QStringLiteral("Já há uma leitura em andamento."), {}};
        if (pedido.aoFalhar)
            QMetaObject::invokeMethod(
                receptor(), [aoFalhar = pedido.aoFalhar, falha] { aoFalhar(falha); }, Qt::QueuedConnection);
        return;
    }
    auto estado = std::make_shared<EstadoDoPedido>();
    estado->pedido = std::move(pedido);
    pedido_ = estado;
    const bool reabre = estado->pedido.reabre || !aberta_;
    std::optional<Destino> destino;
    if (reabre) {
        aberta_ = false;
        try {
            if (stringConexao_.isEmpty())
                throw ErroSistema(ErroOperacaoNaoPermitida,
                                  QStringLiteral("A operação não é permitida quando a conexão está fechada."));
            destino = this->destino();
            if (destino->driver == QLatin1String("QIBASE"))
                preparaRaizFirebird();
        } catch (const ErroSistema &erro) {
            Falha falha{erro.numero(), erro.descricao(), erro.detalhe()};
            falha.detalhe.naAbertura = true;
            naJanela(estado, [this, estado, falha] {
                terminaPedido(estado);
                if (estado->pedido.aoFalhar)
                    estado->pedido.aoFalhar(falha);
            });
            return;
        }
        estado->abrindo = true;
    }
    QObject::disconnect(prazo_.get(), nullptr, nullptr, nullptr);
    QObject::connect(prazo_.get(), &QTimer::timeout, receptor(), [this, estado] { venceuOPrazo(estado); });
    prazo_->start((reabre ? SegundosParaConectar : SegundosParaLer) * msPorSegundo);

    std::vector<Instrucao> instrucoes = estado->pedido.instrucoes;
    linha_->envia([this, estado, lugar = sessao_, destino, nome = nome_, instrucoes = std::move(instrucoes)] {
        if (destino) {
            const std::optional<ErroSistema> erro = abreNaLinha(*destino, lugar, nome);
            naJanela(estado, [this, estado, erro] { abriu(estado, erro); });
            if (erro)
                return;
        }
        Sessao *sessao = lugar->get();
        for (int indice = 0; indice < int(instrucoes.size()) && !estado->cancelado; ++indice) {
            std::shared_ptr<const QStringList> colunas;
            std::deque<Linha> lote;
            // Rows read are handed over before the error that stopped the reading.
            const auto entrega = [&] {
                auto linhas = std::make_shared<std::deque<Linha>>(std::move(lote));
                lote.clear();
                naJanela(estado, [estado, indice, colunas, linhas] {
                    if (estado->pedido.aoLer)
                        estado->pedido.aoLer(indice, *colunas, *linhas);
                });
            };
            try {
                if (!sessao)
                    throw ErroSistema(ErroOperacaoNaoPermitida,
                                      QStringLiteral("A operação não é permitida quando a conexão está fechada."));
                std::unique_ptr<Cursor> cursor = sessao->executa(instrucoes[indice].sql, instrucoes[indice].parametros);
                colunas = std::make_shared<const QStringList>(cursor->colunas());
                bool primeira = true;
                Linha linha;
                while (!estado->cancelado && cursor->proxima(linha)) {
                    lote.push_back(std::move(linha));
                    linha = Linha();
                    // The first row at once, so the window can start; then in batches.
                    if (primeira || lote.size() >= TamanhoDoLote)
                        entrega();
                    primeira = false;
                }
                if (!lote.empty())
                    entrega();
            } catch (const ErroSistema &erro) {
                if (!lote.empty())
                    entrega();
                const Falha falha{erro.numero(), erro.descricao(), erro.detalhe()};
                naJanela(estado, [this, estado, falha] {
                    terminaPedido(estado);
                    if (estado->pedido.aoFalhar)
                        estado->pedido.aoFalhar(falha);
                });
                return;
            }
            naJanela(estado, [estado, indice] {
                if (estado->pedido.aoTerminar)
                    estado->pedido.aoTerminar(indice);
            });
        }
        naJanela(estado, [this, estado] {
            terminaPedido(estado);
            if (estado->pedido.aoConcluir)
                estado->pedido.aoConcluir();
        });
    });
}

void Conexao::abriu(const std::shared_ptr<EstadoDoPedido> &estado, const std::optional<ErroSistema> &erro)
{
    estado->abrindo = false;
    if (erro) {
        terminaPedido(estado);
        const ErroSistema relatado = erroDeAbertura(*erro, destino());
        if (estado->pedido.aoFalhar)
            estado->pedido.aoFalhar({relatado.numero(), relatado.descricao(), relatado.detalhe()});
        return;
    }
    aberta_ = true;
    arquivo_ = destino().arquivo;
    identidade_ = identidadeArquivo(arquivo_);
    // Open: the statements have their own deadline from now.
    prazo_->start(SegundosParaLer * msPorSegundo);
}

void Conexao::terminaPedido(const std::shared_ptr<EstadoDoPedido> &estado)
{
    estado->descartado = true;
    if (pedido_ == estado) {
        pedido_.reset();
        prazo_->stop();
    }
}

void Conexao::venceuOPrazo(const std::shared_ptr<EstadoDoPedido> &estado)
{
    if (pedido_ != estado)
        return;
    const int segundos = estado->abrindo ? SegundosParaConectar : SegundosParaLer;
    estado->cancelado = true;
    terminaPedido(estado);
    // The running statement fails at once where the client can cancel it;
    // either way the thread is given up and the next request opens a fresh
    // connection, so nothing waits here for a server that does not answer.
    if (Sessao *sessao = sessao_->get(); sessao && !estado->abrindo)
        sessao->cancela();
    abandona();
    if (estado->pedido.aoFalhar)
        estado->pedido.aoFalhar({ErroSemResposta, textoSemResposta(segundos), {}});
}

PrazoDeLeitura::PrazoDeLeitura(Conexao &conexao) : conexao_(conexao), anterior_(conexao.prazoDeLeitura_)
{
    // Inside another one, the earlier end of the two holds.
    conexao_.prazoDeLeitura_ = std::min(anterior_, prazoDe(SegundosParaLer));
}

PrazoDeLeitura::~PrazoDeLeitura() { conexao_.prazoDeLeitura_ = anterior_; }

std::shared_ptr<Leitura> Conexao::inicia(const QString &sql, const QVariantList &parametros)
{
    auto leitura = std::make_shared<Leitura>(sql, parametros, sessao_);
    linha_->envia([leitura] { leitura->executa(); });
    return leitura;
}

void Conexao::desiste(const std::shared_ptr<Leitura> &leitura)
{
    leitura->cancela();
    // The session the reading runs on was in place before the reading ran,
    // and only a task of its own thread lets it go: it stays while it is
    // asked to cancel.
    Sessao *sessao = leitura->sessao();
    if (sessao && sessao->cancela() && leitura->acabou(SegundosParaCancelar * msPorSegundo))
        return;
    abandona();
}

void Conexao::abandona()
{
    aberta_ = false;
    LinhaDoBanco::abandona(std::move(linha_), [lugar = sessao_] { lugar->reset(); });
    // The abandoned session lets its name go when it ends; the next one has its own.
    nome_ = novoNome();
    sessao_ = std::make_shared<std::unique_ptr<Sessao>>();
    linha_ = std::make_unique<LinhaDoBanco>();
}

Registros::Registros() = default;

Registros::Registros(QStringList colunas, std::deque<Linha> &linhas)
    : recebidas_(std::move(linhas)), colunas_(std::move(colunas))
{
    linhas.clear();
    moveNext();
}
Registros::~Registros() { fecha(); }

void Registros::abre(const QString &sql, Conexao &conexao, int, int, int, const QVariantList &parametros)
{
    fecha();
    if (!conexao.aberta())
        throw ErroSistema(ErroOperacaoNaoPermitida,
                          QStringLiteral("A operação não é permitida quando a conexão está fechada."));
    conexao_ = &conexao;
    prazo_ = conexao.prazoDeLeitura_;
    std::shared_ptr<Leitura> leitura = conexao.inicia(sql, parametros);
    aguarda(leitura, &Leitura::executou);
    Falha falha;
    if (!leitura->esperaExecucao(falha))
        throw ErroSistema(falha.numero, falha.descricao, falha.detalhe);
    leitura_ = std::move(leitura);
    colunas_ = leitura_->colunas();
    moveNext();
}

int Registros::posicao(const QString &nome) const
{
    auto conhecida = posicoes_.constFind(nome);
    if (conhecida != posicoes_.cend())
        return *conhecida;
    int indice = -1; // the first of equal names wins
    for (int i = 0; i < colunas_.size() && indice < 0; ++i)
        if (colunas_.at(i).compare(nome, Qt::CaseInsensitive) == 0)
            indice = i;
    posicoes_.insert(nome, indice);
    return indice;
}

QVariant Registros::campo(const QString &nome) const
{
    const int indice = posicao(nome);
    if (indice < 0 || eof_)
        throw ErroSistema(ErroItemNaoEncontrado,
                          QStringLiteral("Item não encontrado na coleção correspondente ao nome "
                                         "solicitado: %1.").arg(nome));
    return atual_.at(indice);
}

void Registros::moveNext()
{
    if (leitura_ && recebidas_.empty()) {
        aguarda(leitura_, &Leitura::temLinhas);
        Falha falha;
        if (!leitura_->recebe(recebidas_, falha)) {
            fecha();
            throw ErroSistema(falha.numero, falha.descricao, falha.detalhe);
        }
    }
    eof_ = recebidas_.empty();
    if (eof_) {
        atual_.clear();
        return;
    }
    atual_ = std::move(recebidas_.front());
    recebidas_.pop_front();
}

void Registros::aguarda(const std::shared_ptr<Leitura> &leitura, bool (Leitura::*pronta)(int) const)
{
    if (((*leitura).*pronta)(FatiaMs))
        return;
    do {
        if (prazo_.hasExpired()) {
            const std::shared_ptr<Leitura> parada = leitura; // fecha() below lets leitura_ go
            fecha();
            conexao_->desiste(parada);
            throw ErroSistema(ErroSemResposta, textoSemResposta(SegundosParaLer));
        }
    } while (!((*leitura).*pronta)(FatiaMs));
}

void Registros::fecha()
{
    if (leitura_) {
        leitura_->cancela();
        leitura_.reset();
    }
    recebidas_.clear();
    atual_.clear();
    colunas_.clear();
    posicoes_.clear();
    eof_ = true;
}

} // namespace bancodados
