#pragma once
#include "listas/Listagem.h"

class QPrinter;
class QWidget;

// "Imprimir…" and "Exportar…" of a window: the system's print dialog and file
// dialog, opened over the window and returned from at once (the window's
// thread never waits on them); the list given is printed or saved when the
// user confirms, and a failure is told in a message box.
namespace listas {

void abreImpressao(QWidget *janela, const Listagem &listagem);
// The file dialog starts on the user's documents folder with the default
// name of `dia`.
void abreExportacao(QWidget *janela, const Listagem &listagem, const QDate &dia);

// What the user chose in the dialogs, done: tests call these with a printer
// or a path of their own.
void imprimeEscolhida(const Listagem &listagem, QPrinter &impressora);
void salvaEscolhido(const Listagem &listagem, const QString &caminho);

} // namespace listas
