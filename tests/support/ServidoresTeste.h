#pragma once
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QSqlDatabase>
#include <QString>

// The private database servers the test command starts before the tests
// (scripts/servidores/inicia-todos.sh, then ". PASTA/ambiente.sh"): a Firebird
// server on 127.0.0.1 and a PostgreSQL cluster behind the ODBC data source
// "SQLVendas". Everything is found through the variables ambiente.sh exports.
namespace servidoresteste {

// ORVO_SERVIDORES, ORVO_FB_PASTA, ORVO_FB_PORTA, ORVO_PG_PASTA, ORVO_PG_PORTA,
// ODBCINI and ODBCSYSINI are all set.
bool disponiveis();

// The variable CI is set: a test that cannot reach its server fails instead of
// being skipped.
bool emCI();

// Why a server cannot be used (a variable missing, the port not answering);
// empty when it can.
QString faltaFirebird();
QString faltaPostgres();
QString faltaServidores();

// Something accepts connections on 127.0.0.1:porta.
bool portaResponde(int porta);

// Firebird server -----------------------------------------------------------

int portaFirebird();
QString pastaFirebird();

// The name QIBASE and isql-fb reach a database file by through the server:
// "127.0.0.1/PORT:" followed by the file's absolute path.
QString nomeNoServidor(const QString &caminhoArquivo);

// The environment for an embedded Firebird process (isql-fb, gfix) that opens a
// file while the server may have it open: the server's root (shared mode) and
// its lock folder (processes with another lock folder would not see the
// server's locks), and a UTF-8 locale so that isql-fb keeps accented text.
QProcessEnvironment ambienteFirebirdCompartilhado();

// Stops / starts the server through its script and waits until its port is
// closed / answers. False, with the script's output as a warning, on failure.
[[nodiscard]] bool paraFirebird();
[[nodiscard]] bool iniciaFirebird();

// PostgreSQL server ---------------------------------------------------------

int portaPostgres();
QString pastaPostgres();

// Drops the database vendas (closing every connection to it) and makes it
// again, empty, from the schema; the read-only role leitor gets SELECT again.
[[nodiscard]] bool recriaBancoPostgres(const QString &esquema = QStringLiteral(ORVO_SCHEMA));

// An open read-write QODBC connection to vendas as user postgres, without the
// data source, for putting fixture rows in. Check isOpen() before use.
QSqlDatabase conexaoEscritaPostgres(const QString &nomeConexao);

[[nodiscard]] bool paraPostgres();
[[nodiscard]] bool iniciaPostgres();

// A server that hangs (a dropped link looks the same: no reset, no answer):
// SIGSTOP to the server's processes, the main one and every child (the
// PostgreSQL backends and Firebird's workers keep running otherwise), then
// SIGCONT. The port still takes connections meanwhile; nothing answers.
[[nodiscard]] bool suspendeFirebird();
[[nodiscard]] bool suspendePostgres();
// Both servers go on; safe to call when nothing is stopped.
void retomaServidores();

// A port on 127.0.0.1 that nobody answers on: bound, and listening when asked
// (the system then completes every handshake and nothing is ever read), or
// only bound (the system refuses every connection). Closed when destroyed.
class PortaMuda {
public:
    explicit PortaMuda(bool escuta = true);
    ~PortaMuda();
    PortaMuda(const PortaMuda &) = delete;
    PortaMuda &operator=(const PortaMuda &) = delete;
    bool pronta() const { return porta_ > 0; }
    int porta() const { return porta_; }
    // Someone connected and waits for an answer.
    bool chegouConexao() const;

private:
    int socket_ = -1;
    int porta_ = 0;
};

// A Firebird server of one test's own, in a folder of its own, set up as a
// site's may be: its ServerMode ("Super" holds every open file for itself)
// and SYSDBA's password. Port 0 picks a free one. Stopped when destroyed.
class ServidorFirebirdProprio {
public:
    ServidorFirebirdProprio(const QString &modo, const QString &senha, int porta = 0);
    ~ServidorFirebirdProprio();
    ServidorFirebirdProprio(const ServidorFirebirdProprio &) = delete;
    ServidorFirebirdProprio &operator=(const ServidorFirebirdProprio &) = delete;

    bool pronto() const { return pronto_; }
    QString motivo() const { return motivo_; }
    int porta() const { return porta_; }
    // "127.0.0.1/PORT:" and the file's absolute path.
    QString nome(const QString &arquivo) const;
    // Runs an isql-fb script on the file through this server (SYSDBA unless told).
    [[nodiscard]] bool isql(const QString &arquivo, const QString &script,
                            const QString &usuario = QStringLiteral("SYSDBA"), const QString &senha = QString());
    // Keeps an attachment to the file open until the server is stopped.
    [[nodiscard]] bool mantemAberto(const QString &arquivo);

private:
    QTemporaryDir pasta_;
    QString senha_;
    int porta_ = 0;
    bool pronto_ = false;
    QString motivo_;
    QList<QProcess *> sessoes_;
};

} // namespace servidoresteste

// Makes the current test function need a server: without it the test is
// skipped with the reason, or fails when CI is set.
#define SERVIDORES_EXIGE(falta)                                                       \
    do {                                                                              \
        const QString faltaServidor_ = (falta);                                       \
        if (!faltaServidor_.isEmpty()) {                                              \
            if (servidoresteste::emCI())                                              \
                QFAIL(qPrintable(faltaServidor_));                                    \
            QSKIP(qPrintable(faltaServidor_));                                        \
        }                                                                             \
    } while (false)

#define EXIGE_FIREBIRD() SERVIDORES_EXIGE(servidoresteste::faltaFirebird())
#define EXIGE_POSTGRES() SERVIDORES_EXIGE(servidoresteste::faltaPostgres())
#define EXIGE_SERVIDORES() SERVIDORES_EXIGE(servidoresteste::faltaServidores())
