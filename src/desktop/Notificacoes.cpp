#include "desktop/Notificacoes.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

namespace {
const QString Servico = QStringLiteral("org.freedesktop.Notifications");

// Running now, or started by the bus on the first call.
bool servicoPresente(QDBusConnection &sessao)
{
    QDBusConnectionInterface *bus = sessao.interface();
    if (!bus)
        return false;
    if (bus->isServiceRegistered(Servico).value())
        return true;
    const QDBusReply<QStringList> ativaveis = sessao.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
    return ativaveis.isValid() && ativaveis.value().contains(Servico);
}
} // namespace

namespace notificacoes {

bool envia(const QString &aplicacao, const QString &icone, const QString &resumo, const QString &corpo)
{
    QDBusConnection sessao = QDBusConnection::sessionBus();
    if (!sessao.isConnected() || !servicoPresente(sessao))
        return false;
    QDBusMessage chamada = QDBusMessage::createMethodCall(Servico, QStringLiteral("/org/freedesktop/Notifications"),
                                                          Servico, QStringLiteral("Notify"));
    // app name, id to replace (none), icon, summary, body, actions, hints,
    // expiry (the server's default).
    chamada << aplicacao << quint32(0) << icone << resumo << corpo << QStringList() << QVariantMap() << qint32(-1);
    return sessao.send(chamada);
}

} // namespace notificacoes
