#pragma once
#include <QString>
#include <functional>

class QLabel;
class QTimer;
class QWidget;

// Label caption, for the window logic.
class Rotulo {
public:
    explicit Rotulo(QLabel *rotulo) : rotulo_(rotulo) {}
    QString caption() const;
    void defineCaption(const QString &texto);

private:
    QLabel *rotulo_;
};

// A window timer: interval in milliseconds and enabled flag; one tick per
// interval while enabled.
class Temporizador {
public:
    // aoMudar, when given, is told after each change whether the timer now
    // counts (started or restarted) or stopped.
    explicit Temporizador(QTimer *timer = nullptr, std::function<void(bool contando)> aoMudar = {})
        : timer_(timer), aoMudar_(std::move(aoMudar)) {}
    int intervalo() const;
    void defineIntervalo(int milissegundos);
    bool ativo() const;
    void defineAtivo(bool ativo);

private:
    QTimer *timer_;
    std::function<void(bool)> aoMudar_;
};

namespace toolkit {
// Shows a window modeless with no owner: visible and active again if hidden.
void mostraJanela(QWidget *janela);
void escondeJanela(QWidget *janela);
// What changed in a shown window is painted now, not at the toolkit's next
// update; a window not shown or not yet on screen paints when it gets there.
void pintaAgora(QWidget *janela);
// Loaded windows: the program ends when the last one is unloaded.
void registraJanela(QWidget *janela);
void descarregaJanela(QWidget *janela);
int janelasCarregadas();
bool programaTerminouNormalmente(); // for tests: the last window was unloaded
} // namespace toolkit
