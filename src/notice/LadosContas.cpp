#include "notice/LadosContas.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"

const std::array<LadoContas, 2> &ladosContas()
{
    static const std::array<LadoContas, 2> lados{{
        {consultas::sqlContasReceber, &FrmRobo::grdRec, &FrmRobo::lblTotalAberto, "a receber"},
        {consultas::sqlContasPagar, &FrmRobo::grdPag, &FrmRobo::lblTotalPago, "a pagar"},
    }};
    return lados;
}
