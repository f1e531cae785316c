#pragma once
#include "base/ErroCorrente.h"
#include "database/ArquivoBanco.h"
#include "database/Pedido.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <deque>
#include <memory>
#include <optional>

class QTimer;

// Database access: one connection opened with a connection string, and
// forward-only, read-only record sets read row by row with fields looked up by
// name. Every reading runs in a read-only transaction. Every failure raises ErroSistema with the provider's number and
// description; nothing returns a status.
namespace bancodados {

class LinhaDoBanco;
class Leitura;
class Sessao;
using LugarDaSessao = std::shared_ptr<std::unique_ptr<Sessao>>; // a session, on its connection's thread

// How long the database may take before the program gives up on it: opening
// a connection, and one reading of the program (a notice: both statements and
// every row). A server that stops answering (a hung server, a network cut)
// never freezes the program for longer.
constexpr int SegundosParaConectar = 15;
constexpr int SegundosParaLer = 60;
// Tests shorten the deadlines, as they shorten the notice's minute: the
// milliseconds one second of them lasts.
int milissegundosPorSegundo();
void defineMilissegundosPorSegundo(int ms);

// How a connection string is mapped onto a database client.
struct Destino {
    QString driver;       // "QIBASE": Firebird, through its client library; "QODBC": Qt's ODBC driver
    QString banco;        // Firebird database name, ODBC data source or ODBC connection string
    QString usuario;
    QString senha;
    QString opcoes;       // Qt connect options
    QString arquivo;      // the local database file, when the database is one
};

// Reads a connection string: the Firebird provider strings open QIBASE (a local
// path with the embedded engine, "host:path" or "host/port:path" on a server),
// a string without "=" is an ODBC data source, the Jet string asks for the Access
// ODBC driver. Any other provider raises an error.
Destino interpretaStringConexao(const QString &stringConexao);

class Conexao {
public:
    // Made on the window's thread, which the answers to its requests go to.
    Conexao();
    ~Conexao();
    Conexao(const Conexao &) = delete;
    Conexao &operator=(const Conexao &) = delete;

    // Cursors are always client-side here; the value is kept for completeness.
    void defineCursorLocation(int local) { cursorLocation_ = local; }
    int cursorLocation() const { return cursorLocation_; }

    // Opens the connection and returns once it is open, or raises the error.
    // For the start-up, before any window is up, and for tests; a window
    // re-opens it through a request instead.
    void abre(const QString &stringConexao, const QString &usuario = QString(),
              const QString &senha = QString(), int opcoes = -1);
    bool aberta() const { return aberta_; }
    // The local database file opened is no longer the one its path names (a
    // restore written to a new file and moved over the old one, or removed):
    // only a new open reads what the path names now.
    bool arquivoSubstituido() const;
    const QString &stringConexao() const { return stringConexao_; }

    // Hands the request to the connection's thread and returns at once; what
    // it reads comes back through its handlers. One request at a time: the
    // program's readings are queued before they get here. The connection
    // (SegundosParaConectar) and the statements with every row
    // (SegundosParaLer) have their deadlines: past one, the running statement
    // is cancelled, the connection given up (the next open makes a new one)
    // and the request fails with ErroSemResposta.
    void envia(Pedido pedido);
    // A request was sent and has not ended yet.
    bool lendo() const { return pedido_ != nullptr; }

private:
    friend class Registros;
    friend class PrazoDeLeitura;
    struct EstadoDoPedido;
    // Opens the session on the connection's thread; the error it raised, if any.
    static std::optional<ErroSistema> abreNaLinha(const Destino &destino, const LugarDaSessao &lugar,
                                                   const QString &nome);
    // The error the user reads when the connection could not be opened.
    ErroSistema erroDeAbertura(const ErroSistema &erro, const Destino &destino) const;
    Destino destino() const;
    // Run on the window's thread for the request under way.
    void abriu(const std::shared_ptr<EstadoDoPedido> &estado, const std::optional<ErroSistema> &erro);
    void venceuOPrazo(const std::shared_ptr<EstadoDoPedido> &estado);
    void terminaPedido(const std::shared_ptr<EstadoDoPedido> &estado);
    // A reading did not end by its deadline: the running statement is
    // cancelled where the client can do it, else the connection is abandoned.
    void desiste(const std::shared_ptr<Leitura> &leitura);
    // The thread and its session are given up (never joined, never used
    // again); the next open makes a new connection on a new thread.
    void abandona();
    std::shared_ptr<Leitura> inicia(const QString &sql, const QVariantList &parametros);

    QString stringConexao_;
    QString usuario_;
    QString senha_;
    QString arquivo_;
    IdentidadeArquivo identidade_;
    int cursorLocation_ = 2;
    std::atomic<bool> aberta_{false};
    QString nome_; // the Qt connection name of its session
    LugarDaSessao sessao_;
    std::unique_ptr<LinhaDoBanco> linha_;
    std::shared_ptr<EstadoDoPedido> pedido_; // the request under way
    std::unique_ptr<QTimer> prazo_;
    QDeadlineTimer prazoDeLeitura_{QDeadlineTimer::Forever};
};

// While it lives, the readings of record sets on the connection (every
// statement and every row) end within SegundosParaLer of its start: a record
// set that would wait longer gives up with ErroSemResposta. Without one
// readings are not bounded; one made inside another ends no later than the
// outer one.
class PrazoDeLeitura {
public:
    explicit PrazoDeLeitura(Conexao &conexao);
    ~PrazoDeLeitura();
    PrazoDeLeitura(const PrazoDeLeitura &) = delete;
    PrazoDeLeitura &operator=(const PrazoDeLeitura &) = delete;

private:
    Conexao &conexao_;
    QDeadlineTimer anterior_;
};

// A forward-only record set: fields looked up by name, row by row. Opened
// with abre() it reads a statement itself and waits for its rows (never on
// the window's thread: tests and tools use it); made from the rows a request
// delivered, it goes over those and waits for nothing.
class Registros {
public:
    Registros();
    Registros(QStringList colunas, std::deque<Linha> &linhas);
    ~Registros();
    Registros(const Registros &) = delete;
    Registros &operator=(const Registros &) = delete;

    // Runs the statement as given, each "?" taking the next parameter (a QDate
    // goes as a date, never as text), in a read-only transaction, and stands
    // on the first row (or at the end).
    void abre(const QString &sql, Conexao &conexao, int tipoCursor = 0, int tipoTrava = 1,
              int opcoes = -1, const QVariantList &parametros = {});
    bool eof() const { return eof_; }
    // Value of a column of the current row, by name without regard to case.
    QVariant campo(const QString &nome) const;
    void moveNext();
    // Releases the result, and with it the database transaction that read it.
    void fecha();

private:
    int posicao(const QString &nome) const;
    // Waits in short slices until `pronta` says so; at the connection's
    // reading deadline it gives up.
    void aguarda(const std::shared_ptr<Leitura> &leitura, bool (Leitura::*pronta)(int) const);

    Conexao *conexao_ = nullptr;
    QDeadlineTimer prazo_{QDeadlineTimer::Forever};
    std::shared_ptr<Leitura> leitura_;
    std::deque<Linha> recebidas_; // read, not yet reached
    Linha atual_;
    QStringList colunas_; // column names as the statement gives them
    // Column positions by the spelling asked for, so that reading a field of
    // every row does not compare names every time.
    mutable QHash<QString, int> posicoes_;
    bool eof_ = true;
};

// Error numbers raised by the layer itself.
enum : long {
    ErroProvedorNaoEncontrado = 3706,
    ErroItemNaoEncontrado = 3265,
    ErroOperacaoNaoPermitida = 3704,
    ErroGenericoProvedor = -2147467259,
    // The database did not answer within its deadline.
    ErroSemResposta = -2147217871
};

// Before the process ends at once: waits up to `ms` for the calls inside the
// embedded engine to leave, and lets no other one in (see firebird::NoMotor).
void fechaParaEncerrar(int ms);

// "O banco de dados não respondeu em N segundos."
QString textoSemResposta(int segundos);

} // namespace bancodados
