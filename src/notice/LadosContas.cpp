#include "notice/LadosContas.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"

const std::array<LadoContas, 2> &ladosContas()
{
    static const std::array<LadoContas, 2> lados{{
        {consultas::contasReceber, &FrmRobo::grdRec, &FrmRobo::lblTotalAberto, "a receber"},
        {consultas::contasPagar, &FrmRobo::grdPag, &FrmRobo::lblTotalPago, "a pagar"},
    }};
    return lados;
}
