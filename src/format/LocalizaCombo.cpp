#include "format/LocalizaCombo.h"

#include "toolkit/Controle.h"

void LocalizaCombo(Controle &combo)
{
    if (combo.Style() != Controle::ListaEditavel)
        return;
    const QString texto = combo.Text();
    if (texto.isEmpty())
        return;

    // The length counts the blanks that the comparison drops.
    const int n = int(texto.size());
    const QString digitado = texto.trimmed().toUpper().left(n);
    for (int i = 0; i < combo.ListCount(); ++i) {
        if (combo.List(i).trimmed().toUpper().left(n) == digitado) {
            combo.setListIndex(i);
            return;
        }
    }
    combo.setListIndex(-1);
    combo.setText(QString());
}
