#include "platform/BuscaIcu.h"

#include <dirent.h>
#include <dlfcn.h>
#include <glob.h>
#include <link.h>
#include <sys/auxv.h>

#include <cstring>
#include <fstream>
#include <memory>

namespace bancodados::icu {
namespace {

using Dlopen = void *(*)(const char *, int);

Dlopen dlopenDoSistema()
{
    static const auto proprio = reinterpret_cast<Dlopen>(dlsym(RTLD_NEXT, "dlopen"));
    return proprio;
}

bool comeca(const char *texto, const char *prefixo) { return std::strncmp(texto, prefixo, std::strlen(prefixo)) == 0; }

void acrescenta(std::vector<std::string> &pastas, std::string pasta)
{
    while (pasta.size() > 1 && pasta.back() == '/')
        pasta.pop_back();
    for (const std::string &ja : pastas)
        if (ja == pasta)
            return;
    pastas.push_back(std::move(pasta));
}

// The names a folder holds; none when it does not exist.
std::vector<std::string> entradas(const std::string &pasta)
{
    std::vector<std::string> nomes;
    if (DIR *dir = opendir(pasta.c_str())) {
        while (const dirent *entrada = readdir(dir))
            if (entrada->d_name[0] != '.')
                nomes.emplace_back(entrada->d_name);
        closedir(dir);
    }
    return nomes;
}

// The folders of a loader configuration file and of the files it includes.
void pastasDaConfiguracao(const std::string &arquivo, std::vector<std::string> &pastas, int profundidade = 0)
{
    std::ifstream entrada(arquivo);
    std::string linha;
    while (profundidade < 8 && std::getline(entrada, linha)) {
        linha = linha.substr(0, linha.find('#'));
        const auto inicio = linha.find_first_not_of(" \t");
        if (inicio == std::string::npos)
            continue;
        linha = linha.substr(inicio, linha.find_last_not_of(" \t\r") - inicio + 1);
        // Blanks at the line's end are gone, so a blank after "include" is
        // followed by its pattern.
        if (linha.size() > 7 && comeca(linha.c_str(), "include") && (linha[7] == ' ' || linha[7] == '\t')) {
            const std::string padrao = linha.substr(linha.find_first_not_of(" \t", 7));
            glob_t achados{};
            if (glob(padrao.c_str(), 0, nullptr, &achados) == 0)
                for (size_t i = 0; i < achados.gl_pathc; ++i)
                    pastasDaConfiguracao(achados.gl_pathv[i], pastas, profundidade + 1);
            globfree(&achados);
        } else if (linha[0] == '/') {
            acrescenta(pastas, linha);
        }
    }
}

} // namespace

bool nomeDoIcu(const char *nome)
{
    return nome && !std::strchr(nome, '/') && (comeca(nome, "libicuuc.so.") || comeca(nome, "libicui18n.so."));
}

std::vector<std::string> pastasDoCarregador()
{
    std::vector<std::string> pastas;
    // The loader's own list for the program: LD_LIBRARY_PATH, the program's
    // run path and the system's folders.
    if (void *programa = dlopenDoSistema()(nullptr, RTLD_LAZY)) {
        Dl_serinfo tamanho;
        if (dlinfo(programa, RTLD_DI_SERINFOSIZE, &tamanho) == 0) {
            std::unique_ptr<char[]> memoria(new char[tamanho.dls_size]);
            auto *lista = reinterpret_cast<Dl_serinfo *>(memoria.get());
            *lista = tamanho;
            if (dlinfo(programa, RTLD_DI_SERINFO, lista) == 0)
                for (unsigned i = 0; i < lista->dls_cnt; ++i)
                    acrescenta(pastas, lista->dls_serpath[i].dls_name);
        }
        dlclose(programa);
    }
    pastasDaConfiguracao("/etc/ld.so.conf", pastas);

    // Each folder's subfolders for this machine's processor, which the loader
    // tries first.
    std::vector<std::string> doProcessador;
    const char *plataforma = reinterpret_cast<const char *>(getauxval(AT_PLATFORM));
    for (const std::string &pasta : pastas) {
        for (const char *grupo : {"/glibc-hwcaps/", "/tls/"})
            for (const std::string &sub : entradas(pasta + grupo))
                doProcessador.push_back(pasta + grupo + sub);
        doProcessador.push_back(pasta + "/tls");
        for (const char *nome : {plataforma, "haswell", "xeon_phi"})
            if (nome)
                doProcessador.push_back(pasta + '/' + nome);
    }
    for (std::string &pasta : doProcessador)
        acrescenta(pastas, std::move(pasta));
    return pastas;
}

const std::unordered_set<std::string> &nomesPresentes()
{
    static const std::unordered_set<std::string> nomes = [] {
        std::unordered_set<std::string> achados;
        for (const std::string &pasta : pastasDoCarregador())
            for (std::string &nome : entradas(pasta))
                if (comeca(nome.c_str(), "libicu"))
                    achados.insert(std::move(nome));
        return achados;
    }();
    return nomes;
}

} // namespace bancodados::icu

// Every dlopen of the process comes here first. The common case is a jump to
// the loader's own, which then sees the original caller (whose run path it
// searches).
extern "C" void *dlopen(const char *arquivo, int modo)
{
    using namespace bancodados::icu;
    if (nomeDoIcu(arquivo) && !nomesPresentes().count(arquivo)) {
        // Refused by the loader itself, from a folder known not to hold it, so
        // that its error message is the usual one.
        const std::string ausente = "/lib/" + std::string(arquivo);
        return dlopenDoSistema()(ausente.c_str(), modo);
    }
    return dlopenDoSistema()(arquivo, modo);
}
