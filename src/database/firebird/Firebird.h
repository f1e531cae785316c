#pragma once
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <ibase.h>

#include <memory>
#include <vector>

// The Firebird client library's own API, wrapped so that every handle is
// released by its owner and every failure raises ErroSistema with Firebird's
// SQL code and the client's description. The attachment sends and receives
// bytes untouched (lc_ctype NONE): each text column is decoded by its own
// character set, so a NONE database written by the sales system in
// Windows-1252 keeps its accents and texts arrive whole up to their length.
namespace bancodados::firebird {

// Raises the error a status vector holds.
[[noreturn]] void lancaErro(const ISC_STATUS *status);

// While a call is inside it, the embedded engine may hold the lock table it
// shares with every process on this machine that opens the same file: a
// process ended at that moment leaves the table locked, and those processes
// then wait for ever. Calls on a local file pass a gate that the program's end
// closes. Calls to a server do not: they hold nothing of this machine's.
class NoMotor {
public:
    explicit NoMotor(bool local);
    ~NoMotor();
    NoMotor(const NoMotor &) = delete;
    NoMotor &operator=(const NoMotor &) = delete;

private:
    bool local_;
};
// Closes the gate: waits up to `ms` for the calls inside to leave (false when
// some are still there); calls that come after wait until it opens again.
bool fechaMotor(int ms);
void reabreMotor();

// From any thread: the operation running on the attachment fails at once
// with Firebird's "operation was cancelled"; the attachment stays usable.
// A handle no longer attached only makes the call fail.
void cancelaOperacao(isc_db_handle handle);

class Anexo {
public:
    // "path" opens the file with the embedded engine, "host[/port]:path" asks
    // a server. A positive esperaSegundos bounds the connect to a server.
    Anexo(const QString &banco, const QString &usuario, const QString &senha, int esperaSegundos = 0);
    ~Anexo();
    Anexo(const Anexo &) = delete;
    Anexo &operator=(const Anexo &) = delete;

    isc_db_handle *handle() { return &handle_; }
    // A file of this machine, read by the embedded engine.
    bool local() const { return local_; }
    // From any thread: the operation running on this attachment fails at once
    // with Firebird's "operation was cancelled"; the attachment stays usable.
    void cancelaOperacao();

private:
    isc_db_handle handle_ = 0;
    bool local_ = false;
};

// A read-only, read-committed transaction: every reading sees what others
// committed before it started and can never write. Rolled back unless
// confirmed; either way the transaction ends with its owner.
class Transacao {
public:
    explicit Transacao(Anexo &anexo);
    ~Transacao();
    Transacao(const Transacao &) = delete;
    Transacao &operator=(const Transacao &) = delete;

    isc_tr_handle *handle() { return &handle_; }
    void confirma();

private:
    isc_tr_handle handle_ = 0;
    bool local_;
};

using Linha = QVector<QVariant>;

// One statement, prepared and run with its parameters (dates, numbers, texts,
// nulls), read forward row by row.
class Comando {
public:
    Comando(Anexo &anexo, Transacao &transacao, const QString &sql, const QVariantList &parametros = {});
    ~Comando();
    Comando(const Comando &) = delete;
    Comando &operator=(const Comando &) = delete;

    // Column names as the statement gives them (aliases where it names them).
    const QStringList &colunas() const { return colunas_; }
    // The next row into `linha`; false at the end.
    bool proxima(Linha &linha);

private:
    struct Area; // an XSQLDA with room for its values
    QVariant valor(int coluna);
    QVariant texto(const char *dados, int tamanho, int charset, int declarado);
    QVariant textoLongo(const ISC_QUAD &id, int charset);

    // The statement handle, dropped even when the constructor fails half-way.
    struct Sentenca {
        isc_stmt_handle valor = 0;
        bool local = false;
        ~Sentenca();
    };

    Anexo &anexo_;
    Transacao &transacao_;
    Sentenca sentenca_;
    isc_stmt_handle &handle_ = sentenca_.valor;
    QStringDecoder windows1252_{"windows-1252", QStringDecoder::Flag::Stateless};
    std::unique_ptr<Area> saida_;
    std::unique_ptr<Area> entrada_;
    QStringList colunas_;
    bool cursor_ = false;
};

} // namespace bancodados::firebird
