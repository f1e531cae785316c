#pragma once
#include <QString>

class QLabel;

// What assistive technology reads of the window's controls.
namespace acessibilidade {

// An amount label, read with the heading printed beside it: its accessible
// name is "Total Receber: 5.990,45" (the heading alone while it shows
// nothing). Qt's AT-SPI bridge carries a label's name but never a value, and
// Qt 6.4 gives labels no Text interface, so the amount has to be in the name.
void rotuloDeValor(QLabel *valor, const QString &titulo);
// A label's text changed: an amount label's name follows it.
void textoMudou(QLabel *rotulo);

} // namespace acessibilidade
