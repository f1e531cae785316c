#pragma once
#include <QString>

// Desktop notifications (the freedesktop notification service on the session
// bus). Without the service nothing is sent and nothing fails.
namespace notificacoes {

// Sends one notification without waiting for the answer; false when no
// service was there to receive it.
bool envia(const QString &aplicacao, const QString &icone, const QString &resumo, const QString &corpo);

} // namespace notificacoes
