#include "platform/BancoDados.h"
#include "errors/ErroCorrente.h"
#include "platform/LinhaDoBanco.h"
#include "platform/RaizFirebird.h"

#include <QFileInfo>
#include <algorithm>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

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

[[noreturn]] void lancaErroSql(const QSqlError &erro, const QString &contexto)
{
    bool numerico = false;
    const long numero = erro.nativeErrorCode().toLong(&numerico);
    QString descricao = erro.databaseText().trimmed();
    if (descricao.isEmpty())
        descricao = erro.driverText().trimmed();
    if (descricao.isEmpty())
        descricao = contexto;
    throw ErroSistema(numerico && numero != 0 ? numero : ErroGenericoProvedor, descricao);
}

// A value of an ODBC connection string: in braces when it holds ";" or braces,
// so that the driver manager reads it whole.
QString valorOdbc(QString valor)
{
    if (!valor.contains(u';') && !valor.contains(u'{') && !valor.contains(u'}'))
        return valor;
    return u'{' + valor.replace(QStringLiteral("}"), QStringLiteral("}}")) + u'}';
}

// On the connection's thread: lets go of the named connection, if there is one.
void removeConexao(const QString &nome)
{
    if (QSqlDatabase::contains(nome)) {
        QSqlDatabase::database(nome, false).close();
        QSqlDatabase::removeDatabase(nome);
    }
}

} // namespace

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

Conexao::Conexao()
    : nome_(QStringLiteral("orvo-") + QUuid::createUuid().toString(QUuid::Id128)),
      linha_(std::make_unique<LinhaDoBanco>())
{
}

Conexao::~Conexao()
{
    descartaAntecipadas();
    linha_->executa([this] { removeConexao(nome_); });
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
    if (!QSqlDatabase::isDriverAvailable(destino.driver))
        throw ErroSistema(ErroProvedorNaoEncontrado,
                          QStringLiteral("O driver de banco de dados %1 não está instalado neste computador.")
                              .arg(destino.driver));

    descartaAntecipadas();
    QSqlError erro;
    linha_->executa([&] {
        aberta_ = false;
        removeConexao(nome_);
        QSqlDatabase db = QSqlDatabase::addDatabase(destino.driver, nome_);
        db.setDatabaseName(destino.banco);
        db.setUserName(destino.usuario);
        db.setPassword(destino.senha);
        db.setConnectOptions(destino.opcoes);
        aberta_ = db.open();
        if (!aberta_)
            erro = db.lastError();
    });
    if (aberta_) {
        arquivo_ = destino.arquivo;
        identidade_ = identidadeArquivo(arquivo_);
        return;
    }

    if (stringConexao.toLower().contains(ProvedorJet)) {
        throw ErroSistema(ErroProvedorNaoEncontrado,
                          QStringLiteral("Não há neste computador um driver ODBC capaz de abrir o banco "
                                         "Access \"%1\" (%2).")
                              .arg(destino.arquivo,
                                   erro.databaseText().trimmed()));
    }
    lancaErroSql(erro, QStringLiteral("Não foi possível abrir o banco de dados."));
}

bool Conexao::arquivoSubstituido() const
{
    return aberta_ && !arquivo_.isEmpty() && identidadeArquivo(arquivo_) != identidade_;
}

void Conexao::reabre()
{
    abre(stringConexao_, usuario_, senha_);
}

void Conexao::antecipa(const QString &sql)
{
    if (!aberta_)
        return;
    for (const auto &antecipada : antecipadas_)
        if (antecipada->sql() == sql)
            return;
    antecipadas_.push_back(inicia(sql));
}

std::shared_ptr<Leitura> Conexao::inicia(const QString &sql)
{
    auto leitura = std::make_shared<Leitura>(sql);
    linha_->envia([leitura, nome = nome_] { leitura->executa(nome); });
    return leitura;
}

std::shared_ptr<Leitura> Conexao::leitura(const QString &sql)
{
    // Taken by the first record set that opens the same statement; those
    // started before it and not taken are not wanted any more.
    for (auto it = antecipadas_.begin(); it != antecipadas_.end(); ++it) {
        if ((*it)->sql() != sql)
            continue;
        std::shared_ptr<Leitura> tomada = std::move(*it);
        for (auto anterior = antecipadas_.begin(); anterior != it; ++anterior)
            (*anterior)->cancela();
        antecipadas_.erase(antecipadas_.begin(), it + 1);
        return tomada;
    }
    return inicia(sql);
}

void Conexao::descartaAntecipadas()
{
    for (const auto &antecipada : antecipadas_)
        antecipada->cancela();
    antecipadas_.clear();
}

Registros::Registros() = default;
Registros::~Registros() { fecha(); }

void Registros::abre(const QString &sql, Conexao &conexao, int, int, int)
{
    fecha();
    if (!conexao.aberta())
        throw ErroSistema(ErroOperacaoNaoPermitida,
                          QStringLiteral("A operação não é permitida quando a conexão está fechada."));
    std::shared_ptr<Leitura> leitura = conexao.leitura(sql);
    QSqlError erro;
    if (!leitura->esperaExecucao(erro))
        lancaErroSql(erro, QStringLiteral("O comando foi recusado pelo banco de dados."));
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
        QSqlError erro;
        if (!leitura_->recebe(recebidas_, erro)) {
            fecha();
            lancaErroSql(erro, QStringLiteral("Falha ao ler o resultado do banco de dados."));
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
