#include "startup/FrmAcesso.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrvoAviso"));
    FrmAcesso::carrega();
    return app.exec();
}
