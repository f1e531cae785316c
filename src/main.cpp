#include "database/BancoDados.h"
#include "toolkit/Toolkit.h"
#include "startup/Aplicacao.h"
#include "startup/FrmAcesso.h"
#include "startup/IniciaSistema.h"
#include "desktop/InstanciaUnica.h"
#include "startup/LinhaDeComando.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Ending at once, the process waits first for the embedded engine to be
    // left, so that no other process on this machine is left waiting on it.
    toolkit::encerraComPedidoDoSistema([] { bancodados::fechaParaEncerrar(2000); });
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    if (const auto status = linhadecomando::interpreta(argumentos, QStringLiteral(ORVO_VERSAO)))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrvoAviso"));
    QApplication::setApplicationVersion(QStringLiteral(ORVO_VERSAO));
    // A copy already running in this session brings its notice back instead.
    if (InstanciaUnica::avisaPrimeira())
        return 0;
    auto *unica = new InstanciaUnica(&Aplicacao::instancia());
    unica->escuta([] { Aplicacao::instancia().avisaAgora(); });

    FrmAcesso::carrega();
    const int status = app.exec();
    // The connection is let go while the toolkit is still up; left to the
    // toolkit's own clean-up, the embedded engine does not come back.
    descartaConexaoCompartilhada();
    return status;
}
