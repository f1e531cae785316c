#pragma once
#include "listas/Listagem.h"

#include <QString>

class QPrinter;

// A list on paper: the window's title, when it was read, each side with its
// rows and total, the lines after them and the extra table when there is one;
// the headings of a table repeated on every page it runs over, and "Página N
// de M" at the foot of each page.
namespace listas {

// Prints on the printer as it is set (a PDF file with QPrinter::PdfFormat);
// false when the printer could not be started.
bool imprime(const Listagem &listagem, QPrinter &impressora);

QString mensagemNaoImprimiu();

} // namespace listas
