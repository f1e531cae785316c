#include "database/firebird/ClienteFirebird.h"
#include "base/ErroCorrente.h"
#include "toolkit/Toolkit.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QSettings>

#include <atomic>
#include <memory>
#include <mutex>

namespace bancodados::firebird {
namespace {

QChar separador(Plataforma plataforma) { return plataforma == Plataforma::Windows ? u'\\' : u'/'; }

QString junta(QString pasta, const QString &nome, Plataforma plataforma)
{
    if (plataforma == Plataforma::Windows)
        pasta.replace(u'/', u'\\');
    if (!pasta.endsWith(separador(plataforma)))
        pasta += separador(plataforma);
    return pasta + nome;
}

// Only a folder named in full: a relative PATH entry would take the library
// from whatever folder the program was started in.
bool pastaAbsoluta(const QString &pasta, Plataforma plataforma)
{
    if (plataforma == Plataforma::Linux)
        return pasta.startsWith(u'/');
    return (pasta.size() >= 3 && pasta.at(0).isLetter() && pasta.at(1) == u':'
            && (pasta.at(2) == u'\\' || pasta.at(2) == u'/'))
        || pasta.startsWith(QLatin1String("\\\\"));
}

// A bare name is the system's own search; anything else a file.
bool pelaBuscaDoSistema(const QString &arquivo)
{
    return !arquivo.contains(u'/') && !arquivo.contains(u'\\');
}

QString registrada()
{
#ifdef Q_OS_WIN
    const QSettings registro(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Firebird Project\\Firebird Server\\Instances"),
        QSettings::NativeFormat);
    return registro.value(QStringLiteral("DefaultInstance")).toString();
#else
    return QString();
#endif
}

QStringList pastasDoPathDaMaquina() { return qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts); }

} // namespace

Plataforma plataformaDestaMaquina()
{
#ifdef Q_OS_WIN
    return Plataforma::Windows;
#else
    return Plataforma::Linux;
#endif
}

QString nomeDoCliente(Plataforma plataforma)
{
    return plataforma == Plataforma::Windows ? QStringLiteral("fbclient.dll") : QStringLiteral("libfbclient.so.2");
}

BuscaDoCliente procuraCliente(Plataforma plataforma, const BuscasDoCliente &buscas)
{
    const QString nome = nomeDoCliente(plataforma);
    QStringList candidatos;
    const QString programa = buscas.pastaDoPrograma();
    if (!programa.isEmpty())
        candidatos << junta(programa, nome, plataforma);
    if (plataforma == Plataforma::Windows) {
        // Firebird 3 on keeps the client in the installation's root, 2.5 in its bin.
        const QString instalacao = buscas.instalacaoRegistrada();
        if (!instalacao.isEmpty())
            candidatos << junta(instalacao, nome, plataforma)
                       << junta(junta(instalacao, QStringLiteral("bin"), plataforma), nome, plataforma);
        for (QString pasta : buscas.pastasDoPath()) {
            if (pasta.size() > 1 && pasta.startsWith(u'"') && pasta.endsWith(u'"'))
                pasta = pasta.mid(1, pasta.size() - 2);
            if (pastaAbsoluta(pasta, plataforma))
                candidatos << junta(pasta, nome, plataforma);
        }
    } else {
        candidatos << nome;
    }
    candidatos.removeDuplicates();

    BuscaDoCliente busca;
    for (const QString &candidato : candidatos) {
        const Carga carga = buscas.carrega(candidato);
        QString lugar = pelaBuscaDoSistema(candidato)
            ? QStringLiteral("%1 (bibliotecas do sistema)").arg(candidato)
            : candidato;
        if (!carga.problema.isEmpty())
            lugar += QStringLiteral(" (%1)").arg(carga.problema);
        busca.procurados << lugar;
        if (carga.carregou) {
            busca.achado = candidato;
            break;
        }
    }
    return busca;
}

Carga carregaCliente(const QString &arquivo, ClienteFirebird &funcoes)
{
    const bool doSistema = pelaBuscaDoSistema(arquivo);
    if (!doSistema && !QFileInfo(arquivo).isFile())
        return {};
    // Never unloaded once taken (QLibrary's end leaves it loaded).
    QLibrary biblioteca(arquivo);
    if (!biblioteca.load())
        return {false, doSistema ? QString() : biblioteca.errorString()};
    ClienteFirebird resolvidas;
#define ORVO_RESOLVE(nome)                                                                                            \
    resolvidas.nome = reinterpret_cast<decltype(resolvidas.nome)>(biblioteca.resolve(#nome));                          \
    if (!resolvidas.nome) {                                                                                           \
        biblioteca.unload();                                                                                          \
        return {false, QStringLiteral("não tem a função " #nome)};                                                     \
    }
    ORVO_FUNCOES_DO_CLIENTE(ORVO_RESOLVE)
#undef ORVO_RESOLVE
    resolvidas.arquivo = arquivo;
    funcoes = resolvidas;
    return {true, QString()};
}

BuscasDoCliente BuscasDoCliente::daMaquina(ClienteFirebird &funcoes)
{
    return {[&funcoes](const QString &arquivo) { return carregaCliente(arquivo, funcoes); }, registrada,
            pastasDoPathDaMaquina, toolkit::pastaDoPrograma};
}

namespace {
std::mutex carregando;
std::atomic<const ClienteFirebird *> carregado{nullptr};
} // namespace

const ClienteFirebird &cliente()
{
    if (const ClienteFirebird *pronto = carregado.load(std::memory_order_acquire))
        return *pronto;
    const std::lock_guard<std::mutex> trava(carregando);
    if (const ClienteFirebird *pronto = carregado.load(std::memory_order_acquire))
        return *pronto;
    auto funcoes = std::make_unique<ClienteFirebird>();
    const BuscaDoCliente busca = procuraCliente(plataformaDestaMaquina(), BuscasDoCliente::daMaquina(*funcoes));
    if (busca.achado.isEmpty())
        throw ErroSistema(ErroSemClienteFirebird,
                          QStringLiteral("Procurado em: ") + busca.procurados.join(QStringLiteral(", ")));
    // Kept for the whole run: calls on other threads read it without a lock.
    carregado.store(funcoes.release(), std::memory_order_release);
    return *carregado.load(std::memory_order_acquire);
}

} // namespace bancodados::firebird
