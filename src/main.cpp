#include "platform/Toolkit.h"
#include "startup/FrmAcesso.h"
#include "startup/IniciaSistema.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    toolkit::encerraComPedidoDoSistema();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrvoAviso"));
    FrmAcesso::carrega();
    const int status = app.exec();
    // The connection is let go while the toolkit is still up; left to the
    // toolkit's own clean-up, the embedded engine does not come back.
    descartaConexaoCompartilhada();
    return status;
}
