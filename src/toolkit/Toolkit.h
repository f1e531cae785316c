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

// A request of the system to end the program (SIGTERM at logout, Ctrl+C; on
// Windows the console's Ctrl+C, close and session end) ends it at once, at
// every moment of its life (PedidoDeFim_*.cpp). Called first thing in main,
// before any other thread starts: the database client takes these signals for
// itself when it loads and would otherwise keep the program running.
// `antesDoFim` runs right before every immediate end, this one's and
// encerraPrograma's.
void encerraComPedidoDoSistema(std::function<void()> antesDoFim = {});

// Ends the whole process at once with the given status.
[[noreturn]] void encerraPrograma(int status);

// While the window's reading runs (the program never waits for it) the
// window stays alive: it paints and shows the busy pointer; the user's input
// to it and to the windows it owns is taken and dropped, except a click on
// `saida` and the window's close, which end the program at once (nothing is
// written, so nothing is lost). While `guardando` says so, that click is
// dropped too. Set by the window the readings belong to.
void defineJanelaOcupavel(QWidget *janela, QWidget *saida, std::function<bool()> guardando = {});
void defineOcupado(bool ocupado);
bool ocupado();

// How many of the program's message boxes are open now.
int caixasAbertas();
// Told each time one of them closes.
void defineAoFecharCaixa(std::function<void()> aoFechar);

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
