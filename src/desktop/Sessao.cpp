#include "desktop/Sessao.h"

#include <QDBusConnection>
#include <QObject>

namespace {

// Receives logind's signal; lives as a child of the caller's object.
class OuvinteSuspensao : public QObject {
    Q_OBJECT
public:
    OuvinteSuspensao(QObject *pai, std::function<void()> aoRetomar)
        : QObject(pai), aoRetomar_(std::move(aoRetomar)) {}

public slots:
    void preparaSuspensao(bool indo)
    {
        if (!indo)
            aoRetomar_();
    }

private:
    std::function<void()> aoRetomar_;
};

} // namespace

namespace sessao {

bool aoRetomar(QObject *contexto, std::function<void()> aoRetomar)
{
    QDBusConnection sistema = QDBusConnection::systemBus();
    if (!sistema.isConnected())
        return false;
    auto *ouvinte = new OuvinteSuspensao(contexto, std::move(aoRetomar));
    return sistema.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                           QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                           ouvinte, SLOT(preparaSuspensao(bool)));
}

} // namespace sessao

#include "Sessao.moc"
