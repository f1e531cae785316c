#pragma once
#include <QString>
#include <QStringList>

#include <ibase.h>

#include <functional>

// The Firebird client library is not linked: the site's own (fbclient.dll on
// Windows, libfbclient.so.2 here) is loaded when it is first needed, and the
// functions the program calls are resolved from it once. ibase.h gives their
// types and the API's constants only.
namespace bancodados::firebird {

// Every function of the client the program calls.
#define ORVO_FUNCOES_DO_CLIENTE(F)                                                                                    \
    F(isc_attach_database)                                                                                            \
    F(isc_detach_database)                                                                                            \
    F(fb_cancel_operation)                                                                                            \
    F(isc_start_transaction)                                                                                          \
    F(isc_commit_transaction)                                                                                         \
    F(isc_rollback_transaction)                                                                                       \
    F(isc_dsql_allocate_statement)                                                                                    \
    F(isc_dsql_prepare)                                                                                               \
    F(isc_dsql_describe)                                                                                              \
    F(isc_dsql_describe_bind)                                                                                         \
    F(isc_dsql_execute)                                                                                               \
    F(isc_dsql_fetch)                                                                                                 \
    F(isc_dsql_free_statement)                                                                                        \
    F(isc_open_blob2)                                                                                                 \
    F(isc_get_segment)                                                                                                \
    F(isc_close_blob)                                                                                                 \
    F(isc_sqlcode)                                                                                                    \
    F(fb_interpret)                                                                                                   \
    F(isc_get_client_version)

// The loaded client: its functions, called as cliente().isc_attach_database(...).
struct ClienteFirebird {
#define ORVO_PONTEIRO_DO_CLIENTE(nome) decltype(&::nome) nome = nullptr;
    ORVO_FUNCOES_DO_CLIENTE(ORVO_PONTEIRO_DO_CLIENTE)
#undef ORVO_PONTEIRO_DO_CLIENTE
    // The file loaded: a full path when it was found in a folder, the bare
    // name when the system's own search found it.
    QString arquivo;
};

// The client, loaded at the first call and kept for the whole run (it is never
// unloaded: the engine it loads lives as long as the process). Raises
// ErroSemClienteFirebird when no usable library is found; the next call looks again.
const ClienteFirebird &cliente();

enum : long { ErroSemClienteFirebird = 3752 };

// --- The search, apart from the machine it runs on ---------------------------

enum class Plataforma { Linux, Windows };

Plataforma plataformaDestaMaquina();

// What loading a file gave.
struct Carga {
    bool carregou = false;
    QString problema; // why a file that is there was refused; empty when there is none
};

// Loads the client from arquivo (a full path, or a bare name for the system's
// own search) and resolves every function into `funcoes`. A library that lacks
// one is unloaded and refused.
Carga carregaCliente(const QString &arquivo, ClienteFirebird &funcoes);

// What the search asks of the machine.
struct BuscasDoCliente {
    std::function<Carga(const QString &arquivo)> carrega;
    std::function<QString()> instalacaoRegistrada; // Windows' DefaultInstance folder; empty when none
    std::function<QStringList()> pastasDoPath;
    std::function<QString()> pastaDoPrograma;

    // This machine's: carregaCliente into `funcoes`, the registry, PATH, the
    // program's folder.
    static BuscasDoCliente daMaquina(ClienteFirebird &funcoes);
};

struct BuscaDoCliente {
    QString achado;        // the file loaded; empty when none was
    QStringList procurados; // every place looked at, in order, with why a file there was refused
};

// The places in order: beside the program (fbclient.dll, libfbclient.so.2);
// on Windows the installation Windows records, then the PATH folders; here the
// system's own search for the library's name. The first that loads wins.
BuscaDoCliente procuraCliente(Plataforma plataforma, const BuscasDoCliente &buscas);

// The library's file name on the platform.
QString nomeDoCliente(Plataforma plataforma);

} // namespace bancodados::firebird
