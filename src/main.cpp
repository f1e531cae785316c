#include "platform/Toolkit.h"
#include "startup/FrmAcesso.h"
#include "startup/IniciaSistema.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {
// --version and --help answer before any window or display is needed; every
// other argument is left to the toolkit.
bool respondeLinhaDeComando(int argc, char *argv[])
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser linha;
    const QCommandLineOption versao({QStringLiteral("v"), QStringLiteral("version")},
                                    QStringLiteral("Mostra a versão do programa e termina."));
    const QCommandLineOption ajuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Mostra esta ajuda e termina."));
    linha.addOption(versao);
    linha.addOption(ajuda);
    linha.parse(argumentos); // options of the toolkit itself are not errors here
    if (linha.isSet(versao)) {
        std::printf("OrvoAviso %s\n", ORVO_VERSAO);
        return true;
    }
    if (linha.isSet(ajuda)) {
        std::printf("Uso: orvoaviso [opções]\n\n"
                    "Aviso das contas a receber e a pagar que vencem hoje.\n"
                    "A configuração é lida do arquivo orvo.ini (veja orvoaviso(1)).\n\n"
                    "Opções:\n"
                    "  -h, --help     %s\n"
                    "  -v, --version  %s\n",
                    qPrintable(ajuda.description()), qPrintable(versao.description()));
        return true;
    }
    return false;
}
} // namespace

int main(int argc, char *argv[])
{
    toolkit::encerraComPedidoDoSistema();
    if (respondeLinhaDeComando(argc, argv))
        return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrvoAviso"));
    FrmAcesso::carrega();
    const int status = app.exec();
    // The connection is let go while the toolkit is still up; left to the
    // toolkit's own clean-up, the embedded engine does not come back.
    descartaConexaoCompartilhada();
    return status;
}
