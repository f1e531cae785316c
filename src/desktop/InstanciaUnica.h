#pragma once
#include <QObject>
#include <functional>

class QLocalServer;

// One copy of the program per user session: the first listens on a local
// socket; a later start finds it there, asks it to bring the notice now and
// ends.
class InstanciaUnica : public QObject {
    Q_OBJECT
public:
    explicit InstanciaUnica(QObject *pai = nullptr);

    // True when a running copy was found and told; this one then ends.
    static bool avisaPrimeira();
    // Becomes the running copy: each later start calls aoPedirAviso.
    bool escuta(std::function<void()> aoPedirAviso);

    // The socket's name: in the session's runtime folder when there is one.
    static QString nome();

private:
    QLocalServer *servidor_;
    std::function<void()> aoPedirAviso_;
};
