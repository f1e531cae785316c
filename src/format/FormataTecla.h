#pragma once
#include <QVariant>

class Controle;

// Filters and formats a key typed into a control that carries a field
// descriptor in its Tag ("C(NU018#########0.00)"). Returns the key the control
// is to take: 0 swallows it. For numeric and masked-digit boxes with a mask the
// character is inserted here, the whole text is laid out again through the mask
// and the caret placed, and 0 is returned.
// modo says what a key does to a full box: 1 (or omitted) swallows it, 2 also
// moves the focus on with a Tab, 3 first shows a message.
int FormataTecla(Controle &controle, int tecla, const QVariant &modo = QVariant());

// The message of full-field mode 3.
QString mensagemCampoCheio();
