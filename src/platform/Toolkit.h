#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

// The operations the system needs from its window toolkit: the program folder,
// the mouse pointer, the immediate end of the process, modal message boxes, the
// beep, keystrokes sent to the focused control and the standard run-time error.
// Nothing else in the system shows a message box or ends the process.
namespace toolkit {

// Message box styles (icon and OK button).
enum EstiloMensagem { EstiloCritico = 16, EstiloExclamacao = 48, EstiloInformacao = 64 };

// Mouse pointer codes.
enum Apontador { ApontadorNormal = 0, ApontadorAmpulheta = 11 };

QString pastaDoPrograma();
void definePastaDoPrograma(const QString &pasta); // seam: a test's program folder

void defineApontador(int codigo);
int apontador();

// Modal message box. A carriage return alone is a line break on screen. Without
// a title the application title "OrvoAviso" is used; an empty title stays empty.
// The text also goes to standard error, followed there by noTerminal if given.
void caixaMensagem(const QString &texto, int estilo,
                   const std::optional<QString> &titulo = std::nullopt, const QString &noTerminal = QString());
void beep();

// Sends keys to the focused control without waiting: they are queued and arrive
// as key presses of their own after the current event has been handled.
void enviaTeclas(const QString &teclas);

// A request of the system to end the program (SIGTERM at logout, Ctrl+C) ends
// it at once, at every moment of its life. Called first thing in main, before
// any other thread starts: the database client takes these signals for itself
// when it loads and would otherwise keep the program running. `antesDoFim`
// runs right before every immediate end, this one's and encerraPrograma's.
void encerraComPedidoDoSistema(std::function<void()> antesDoFim = {});

// Ends the whole process at once with the given status.
[[noreturn]] void encerraPrograma(int status);

// While the program waits on the database the window stays alive: it keeps
// painting and shows the busy pointer; the user's input is taken and dropped,
// except a click on `saida` and the window's close, which end the program at
// once (nothing is written, so nothing is lost). Set by the window the waits
// belong to; without one (null) a wait only blocks.
void defineJanelaDaEspera(QWidget *janela, QWidget *saida);

// One wait on the database, from its start to its end, when the pointer it
// turned into the hourglass is put back.
class Espera {
public:
    Espera() = default;
    ~Espera();
    Espera(const Espera &) = delete;
    Espera &operator=(const Espera &) = delete;
    // Between two slices of the wait: the window paints and the user's input
    // is taken as above. Ends the program when the user asked for it.
    void passo();

private:
    bool ampulheta_ = false;
    int apontadorAntes_ = ApontadorNormal;
};

// Runs an event handler. An error it does not trap shows the toolkit's standard
// run-time error message and ends the process with a non-zero status.
void executaManipulador(const std::function<void()> &manipulador);

// Observation for tests: with it on, message boxes are recorded instead of shown,
// and the end of the process is recorded and unwinds the handler instead of ending.
struct MensagemMostrada {
    QString texto;   // as passed, carriage returns included
    int estilo = 0;
    QString titulo;  // as the user would see it
};
struct FimDoPrograma {
    int status;
};
void ativaObservacao(bool ativa);
std::vector<MensagemMostrada> &mensagensMostradas();
std::optional<int> &statusDeEncerramento();
int &beepsSoados();
void limpaObservacao();

} // namespace toolkit
