#include "startup/LinhaDeComando.h"

#include <QCommandLineParser>
#include <cstdio>

namespace linhadecomando {

namespace {
void escreve(FILE *saida, const QString &texto)
{
    std::fputs(texto.toLocal8Bit().constData(), saida);
    std::fflush(saida);
}
} // namespace

std::optional<int> interpreta(const QStringList &argumentos, const QString &versao)
{
    QCommandLineParser leitor;
    leitor.setApplicationDescription(QStringLiteral("Aviso das contas a receber e a pagar que vencem hoje."));
    const QCommandLineOption ajuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Mostra esta ajuda e termina."));
    const QCommandLineOption mostraVersao({QStringLiteral("v"), QStringLiteral("version")},
                                          QStringLiteral("Mostra a versão do programa e termina."));
    leitor.addOption(ajuda);
    leitor.addOption(mostraVersao);
    // The window toolkit's own options ("-platform offscreen") are its to read.
    leitor.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *nome : {"platform", "platformpluginpath", "platformtheme", "display", "style", "stylesheet",
                             "qwindowgeometry", "qwindowtitle", "qwindowicon", "plugin", "session", "qmljsdebugger"}) {
        QCommandLineOption doToolkit(QString::fromLatin1(nome), QString(), QStringLiteral("valor"));
        doToolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        leitor.addOption(doToolkit);
    }
    for (const char *nome : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption doToolkit(QString::fromLatin1(nome));
        doToolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        leitor.addOption(doToolkit);
    }

    if (!leitor.parse(argumentos)) {
        const QStringList desconhecidas = leitor.unknownOptionNames();
        escreve(stderr, desconhecidas.isEmpty()
                            ? QStringLiteral("OrvoAviso: linha de comando inválida.\n")
                            : QStringLiteral("OrvoAviso: opção desconhecida: %1\n").arg(desconhecidas.join(QStringLiteral(", "))));
        escreve(stderr, QStringLiteral("Use \"orvoaviso --help\" para ver as opções.\n"));
        return 2;
    }
    if (leitor.isSet(ajuda)) {
        escreve(stdout, QStringLiteral("Uso: orvoaviso [opções]\n\n")
                            + leitor.applicationDescription()
                            + QStringLiteral("\nLê o arquivo orvo.ini da pasta do programa e abre a janela de aviso."
                                             "\nUma segunda execução na mesma sessão traz o aviso de volta e termina.\n\n"
                                             "Opções:\n"
                                             "  -h, --help     Mostra esta ajuda e termina.\n"
                                             "  -v, --version  Mostra a versão do programa e termina.\n"));
        return 0;
    }
    if (leitor.isSet(mostraVersao)) {
        escreve(stdout, QStringLiteral("OrvoAviso %1\n").arg(versao));
        return 0;
    }
    if (!leitor.positionalArguments().isEmpty()) {
        escreve(stderr, QStringLiteral("OrvoAviso: argumento inesperado: %1\n").arg(leitor.positionalArguments().join(u' ')));
        return 2;
    }
    return std::nullopt;
}

} // namespace linhadecomando
