#include "desktop/InstanciaUnica.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <unistd.h>

namespace {
const QByteArray PedidoDeAviso = "avisar\n";
}

InstanciaUnica::InstanciaUnica(QObject *pai) : QObject(pai), servidor_(new QLocalServer(this)) {}

QString InstanciaUnica::nome()
{
    const QString sessao = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString pasta = !sessao.isEmpty() && QDir(sessao).exists() ? sessao : QDir::tempPath();
    return pasta + QStringLiteral("/orvoaviso-%1.sock").arg(getuid());
}

bool InstanciaUnica::avisaPrimeira()
{
    QLocalSocket socket;
    socket.connectToServer(nome());
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(PedidoDeAviso);
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(2000);
    return true;
}

bool InstanciaUnica::escuta(std::function<void()> aoPedirAviso)
{
    aoPedirAviso_ = std::move(aoPedirAviso);
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!servidor_->listen(nome())) {
        // Left behind by a copy that did not end cleanly: nobody answered on it.
        QLocalServer::removeServer(nome());
        if (!servidor_->listen(nome()))
            return false;
    }
    connect(servidor_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = servidor_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            // The request is only handed on from here: it is carried out from
            // the event loop, never while this handler still reads the socket.
            auto le = [this, socket = QPointer<QLocalSocket>(socket)] {
                while (socket && socket->canReadLine())
                    if (socket->readLine() == PedidoDeAviso && aoPedirAviso_)
                        QMetaObject::invokeMethod(this, aoPedirAviso_, Qt::QueuedConnection);
            };
            connect(socket, &QLocalSocket::readyRead, this, le);
            le();
        }
    });
    return true;
}
