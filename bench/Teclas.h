#pragma once
#include <QString>

class QLineEdit;

// FormataTecla called as the window's key preview calls it, key by key, on a
// box that starts empty each round; a key it hands back is inserted as the
// box itself would. The mean microseconds per key; the box must end each
// round holding the text expected.
double microssegundosPorTecla(QLineEdit *caixa, const QString &teclas, const QString &esperado, int rodadas);
