#include "platform/BancoDados.h"
#include "errors/ErroCorrente.h"
#include "platform/Firebird.h"
#include "platform/LinhaDoBanco.h"
#include "platform/RaizFirebird.h"
#include "platform/Sessoes.h"
#include "platform/Toolkit.h"

#include <QFileInfo>
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

// A wait on the database is cut in slices this long; between two of them the
// window paints and takes the user's input.
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

Conexao::Via Conexao::novaVia()
{
    Via via;
    via.nome = novoNome();
    via.sessao = std::make_shared<std::unique_ptr<Sessao>>();
    via.linha = std::make_unique<LinhaDoBanco>();
    return via;
}

Conexao::Conexao() : principal_(novaVia()), auxiliar_(novaVia()) {}

Conexao::~Conexao()
{
    descartaAntecipadas();
    // Both close at once; each thread ends once its session is closed.
    fechaSessao(principal_);
    fechaSessao(auxiliar_);
}

void Conexao::fechaSessao(Via &via)
{
    via.linha->envia([lugar = via.sessao] { lugar->reset(); });
}

void Conexao::abre(const QString &stringConexao, const QString &usuario, const QString &senha, int)
{
    stringConexao_ = stringConexao;
    usuario_ = usuario;
    senha_ = senha;
    Destino destino = interpretaStringConexao(stringConexao);
    if (!usuario.isEmpty())
        destino.usuario = usuario;
    if (!senha.isEmpty())
        destino.senha = senha;

    if (destino.driver == QLatin1String("QIBASE"))
        preparaRaizFirebird();
    else if (!QSqlDatabase::isDriverAvailable(destino.driver))
        throw ErroSistema(ErroProvedorNaoEncontrado,
                          QStringLiteral("O driver de banco de dados %1 não está instalado neste computador.")
                              .arg(destino.driver));

    descartaAntecipadas();
    aberta_ = false;
    // The client's own bound, in whole seconds, a little past the program's.
    const int esperaDoCliente = (SegundosParaConectar * msPorSegundo + 999) / 1000 + FolgaDoClienteSegundos;
    const auto envia = [&destino, esperaDoCliente](Via &via) {
        via.ultima.reset();
        via.recusada = std::make_shared<std::atomic<bool>>(false);
        auto abertura = std::make_shared<Abertura>();
        via.linha->envia([lugar = via.sessao, recusada = via.recusada, abertura, destino, nome = via.nome,
                          esperaDoCliente] {
            lugar->reset();
            std::unique_ptr<Sessao> sessao;
            std::optional<ErroSistema> erro;
            try {
                sessao = abreSessao(destino, nome, esperaDoCliente);
            } catch (const ErroSistema &e) {
                erro = e;
            }
            *lugar = std::move(sessao);
            *recusada = bool(erro);
            std::lock_guard<std::mutex> trava(abertura->mutex);
            abertura->erro = erro;
            abertura->feita = true;
            abertura->aviso.notify_all();
        });
        return abertura;
    };
    // The second attachment of the last open closes meanwhile.
    auxiliar_.aberta = false;
    fechaSessao(auxiliar_);
    const std::shared_ptr<Abertura> abertura = envia(principal_);
    const QDeadlineTimer prazo = prazoDe(SegundosParaConectar);
    {
        toolkit::Espera espera;
        while (!abertura->espera(FatiaMs)) {
            if (prazo.hasExpired()) {
                // A server that took the connection and never answers: its
                // client may sit there long after; new threads open the next.
                abandona();
                throw ErroSistema(ErroSemResposta, textoSemResposta(SegundosParaConectar));
            }
            espera.passo();
        }
    }
    std::optional<ErroSistema> erro = abertura->erro;
    aberta_ = !erro;
    if (aberta_) {
        // The second attachment opens while the first reads: only once the
        // first is in, so that a site allowing one connection still gets it.
        envia(auxiliar_);
        auxiliar_.aberta = true;
        arquivo_ = destino.arquivo;
        identidade_ = identidadeArquivo(arquivo_);
        return;
    }

    if (stringConexao.toLower().contains(ProvedorJet)) {
        throw ErroSistema(ErroProvedorNaoEncontrado,
                          QStringLiteral("Não há neste computador um driver ODBC capaz de abrir o banco "
                                         "Access \"%1\" (%2).")
                              .arg(destino.arquivo, erro->descricao()));
    }
    DetalheErro detalhe = erro->detalhe();
    detalhe.naAbertura = true;
    throw ErroSistema(erro->numero(), erro->descricao(), detalhe);
}

bool Conexao::arquivoSubstituido() const
{
    return aberta_ && !arquivo_.isEmpty() && identidadeArquivo(arquivo_) != identidade_;
}

void Conexao::reabre()
{
    abre(stringConexao_, usuario_, senha_);
}

void Conexao::antecipa(const QString &sql, const QVariantList &parametros)
{
    if (!aberta_)
        return;
    for (const auto &antecipada : antecipadas_)
        if (antecipada->serve(sql, parametros))
            return;
    // The second attachment takes it when the first is still busy and it is not.
    const auto ocupada = [](const Via &via) {
        const std::shared_ptr<Leitura> ultima = via.ultima.lock();
        return ultima && ultima->emAndamento();
    };
    const bool auxiliar = auxiliar_.aberta && !*auxiliar_.recusada;
    Via &via = auxiliar && ocupada(principal_) && !ocupada(auxiliar_) ? auxiliar_ : principal_;
    antecipadas_.push_back(inicia(via, sql, parametros));
}

bool Conexao::emAndamento(const QString &sql, const QVariantList &parametros) const
{
    for (const auto &antecipada : antecipadas_)
        if (antecipada->serve(sql, parametros))
            return antecipada->emAndamento();
    return false;
}

std::shared_ptr<Leitura> Conexao::inicia(Via &via, const QString &sql, const QVariantList &parametros)
{
    auto leitura = std::make_shared<Leitura>(sql, parametros, via.sessao);
    // Tasks run in the order sent, and the session is let go only by a task.
    via.linha->envia([leitura] { leitura->executa(); });
    via.ultima = leitura;
    return leitura;
}

PrazoDeLeitura::PrazoDeLeitura(Conexao &conexao) : conexao_(conexao), anterior_(conexao.prazoDeLeitura_)
{
    // Inside another one, the earlier end of the two holds.
    conexao_.prazoDeLeitura_ = std::min(anterior_, prazoDe(SegundosParaLer));
}

PrazoDeLeitura::~PrazoDeLeitura() { conexao_.prazoDeLeitura_ = anterior_; }

void Conexao::desiste(const std::shared_ptr<Leitura> &leitura)
{
    descartaAntecipadas();
    leitura->cancela();
    // The session the reading runs on was in place before the reading ran,
    // and only a task of its own thread lets it go: it stays while it is
    // asked to cancel.
    Sessao *sessao = leitura->sessao();
    if (sessao && sessao->cancela()) {
        const QDeadlineTimer prazo = prazoDe(SegundosParaCancelar);
        toolkit::Espera espera;
        while (!leitura->acabou(FatiaMs)) {
            if (prazo.hasExpired())
                break;
            espera.passo();
        }
        if (leitura->acabou(0))
            return;
    }
    abandona();
}

void Conexao::abandona()
{
    descartaAntecipadas();
    aberta_ = false;
    abandona(principal_);
    abandona(auxiliar_);
}

void Conexao::abandona(Via &via)
{
    LinhaDoBanco::abandona(std::move(via.linha), [lugar = via.sessao] { lugar->reset(); });
    // The abandoned session lets its name go when it ends; the next one has its own.
    via = novaVia();
}

std::shared_ptr<Leitura> Conexao::leitura(const QString &sql, const QVariantList &parametros)
{
    // Taken by the first record set that opens the same statement with the
    // same parameters; those started before it and not taken are not wanted any more.
    for (auto it = antecipadas_.begin(); it != antecipadas_.end(); ++it) {
        if (!(*it)->serve(sql, parametros))
            continue;
        std::shared_ptr<Leitura> tomada = std::move(*it);
        for (auto anterior = antecipadas_.begin(); anterior != it; ++anterior)
            (*anterior)->cancela();
        antecipadas_.erase(antecipadas_.begin(), it + 1);
        return tomada;
    }
    return inicia(principal_, sql, parametros);
}

void Conexao::descartaAntecipadas()
{
    for (const auto &antecipada : antecipadas_)
        antecipada->cancela();
    antecipadas_.clear();
}

Registros::Registros() = default;
Registros::~Registros() { fecha(); }

void Registros::abre(const QString &sql, Conexao &conexao, int, int, int, const QVariantList &parametros)
{
    fecha();
    if (!conexao.aberta())
        throw ErroSistema(ErroOperacaoNaoPermitida,
                          QStringLiteral("A operação não é permitida quando a conexão está fechada."));
    conexao_ = &conexao;
    prazo_ = conexao.prazoDeLeitura_;
    std::shared_ptr<Leitura> leitura = conexao.leitura(sql, parametros);
    aguarda(leitura, &Leitura::executou);
    Falha falha;
    bool executada = leitura->esperaExecucao(falha);
    if (!executada && !leitura->sessao() && conexao.aberta()) {
        // Started in advance on the second attachment, which could not be
        // opened: the first reads it.
        leitura = conexao.inicia(conexao.principal_, sql, parametros);
        aguarda(leitura, &Leitura::executou);
        executada = leitura->esperaExecucao(falha);
    }
    if (!executada)
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
    if (!leitura_) {
        eof_ = true;
        return;
    }
    if (recebidas_.empty()) {
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
    toolkit::Espera espera;
    do {
        if (prazo_.hasExpired()) {
            const std::shared_ptr<Leitura> parada = leitura; // fecha() below lets leitura_ go
            fecha();
            conexao_->desiste(parada);
            throw ErroSistema(ErroSemResposta, textoSemResposta(SegundosParaLer));
        }
        espera.passo();
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
