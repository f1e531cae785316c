#pragma once
#include <QString>
#include <sys/types.h>

// The database file of a connection that opens a local file (the embedded
// Firebird engine, an Access file): found whatever the case of its name, and
// recognised when another file has taken its place on disk.
namespace bancodados {

// The path with its last `componentes` names looked up without regard to case
// when the path as written does not exist (a file copied from Windows keeps
// its name in another case: "vendas.fdb" for "VENDAS.FDB"). The folders
// before them are taken exactly. Unchanged when nothing matches.
QString caminhoExistente(const QString &caminho, int componentes);

// The path is a file on this machine, not "host:path" on a server.
bool caminhoLocal(const QString &banco);

// Which file a path names now: device and inode, zero when it names none.
struct IdentidadeArquivo {
    dev_t dispositivo = 0;
    ino_t inode = 0;
    bool operator==(const IdentidadeArquivo &o) const { return dispositivo == o.dispositivo && inode == o.inode; }
    bool operator!=(const IdentidadeArquivo &o) const { return !(*this == o); }
};
IdentidadeArquivo identidadeArquivo(const QString &caminho);

} // namespace bancodados
