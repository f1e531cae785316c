// What screen readers read of the notice window.
#include "notice/FrmRobo.h"
#include "toolkit/Acessibilidade.h"

#include <QLabel>
#include <QLineEdit>

void FrmRobo::montaAcessibilidade()
{
    // Each amount is read with the heading printed beside it.
    acessibilidade::rotuloDeValor(lblTotalAberto, Label3[0]->text());
    acessibilidade::rotuloDeValor(lblTotalPago, Label3[1]->text());
    acessibilidade::rotuloDeValor(lblTotalGeral, lblTotalGeral1->text());
    // The delay box is named by the label in front of it.
    txtHora->setAccessibleName(lblaviso->text());
}
