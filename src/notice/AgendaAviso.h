#pragma once
#include <QDateTime>
#include <QObject>
#include <functional>

class QTimer;

// The notice's schedule: when the window comes back. The typed delay is kept
// as a point on the wall clock, checked every little while and when the
// machine wakes from suspend (a timer alone counts no time spent suspended);
// a timer of the full delay bounds the wait should the clock be set back.
class AgendaAviso : public QObject {
    Q_OBJECT
public:
    explicit AgendaAviso(QObject *pai = nullptr);

    // The timer the window knows as trmEsconde.
    QTimer *temporizador() const { return temporizador_; }
    // Told by the window's timer whenever it starts counting or stops.
    void temporizadorMudou(bool contando);
    // When the notice is due on the wall clock; invalid when none is pending.
    QDateTime prazo() const { return prazo_; }
    // Compares the clock with the deadline: a deadline passed brings the
    // notice back now.
    void verifica();

signals:
    // The notice is due: once per armed delay.
    void venceu();
    // A delay was armed or let go.
    void prazoMudou();

private:
    QTimer *temporizador_;
    QTimer *verificacao_;
    QDateTime prazo_;
    bool ouvindoSessao_ = false;
};

// The clock the notice counts on and the pace of its checks; tests set others.
namespace agendamento {
QDateTime agora();
void defineRelogio(std::function<QDateTime()> relogio); // empty: the system clock
int milissegundosEntreVerificacoes();
void defineMilissegundosEntreVerificacoes(int ms);
} // namespace agendamento
