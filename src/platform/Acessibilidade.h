#pragma once
#include <QString>

class QLabel;

// What assistive technology reads of the window's controls.
namespace acessibilidade {

// An amount label: named by its heading, with the amount it shows as its
// value, so that a screen reader says "Total Receber, 5.990,45".
void rotuloDeValor(QLabel *valor, const QString &titulo);
// Tells assistive technology that a label's text changed.
void textoMudou(QLabel *rotulo);

} // namespace acessibilidade
