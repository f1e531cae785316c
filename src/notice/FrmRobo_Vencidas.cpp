// The notice window's line about instalments of earlier days still open, and
// the button that opens their window. Both sit in the free strip under the
// grids, beside the designed layout.
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmRobo.h"
#include "notice/FrmVencidas.h"
#include "errors/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "platform/BancoDados.h"
#include "platform/Fontes.h"
#include "platform/Formatacao.h"
#include "platform/Janela.h"
#include "platform/Toolkit.h"
#include "startup/IniciaSistema.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
const QString MascaraValor = QStringLiteral("#,###,###,##0.00");

struct Resumo {
    long long quantidade = 0;
    double total = 0;
};

// Adds up the rows of a summary statement (one per half of a union).
Resumo le(bancodados::Registros &rs)
{
    Resumo r;
    while (!rs.eof()) {
        r.quantidade += rs.campo(QStringLiteral("Quantidade")).toLongLong();
        const QVariant total = rs.campo(QStringLiteral("Total"));
        if (!total.isNull())
            r.total += total.toDouble();
        rs.moveNext();
    }
    rs.fecha();
    return r;
}
} // namespace

void FrmRobo::montaVencidas()
{
    using namespace aparencia;
    // Between the bottom of the grids (y 540) and the totals row (y 554),
    // across the window; the button in the free corner right of the payables
    // total.
    lblVencidas = rotulo(this, QString(), QRect(6, 541, 916, 13), 8.25);
    lblVencidas->setObjectName(QStringLiteral("lblVencidas"));
    // No accessible name of its own: screen readers read the whole line.
    cmdVencidas = new QPushButton(QStringLiteral("Ver vencidas"), this);
    cmdVencidas->setObjectName(QStringLiteral("cmdVencidas"));
    cmdVencidas->setGeometry(QRect(926, 543, 68, 30));
    cmdVencidas->setFont(toolkit::fonteDoSistema(7.5));
    connect(cmdVencidas, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdVencidas_Click(); }); });

    // Looks every few milliseconds whether the summaries have been read.
    trmVencidas = new QTimer(this);
    trmVencidas->setInterval(10);
    connect(trmVencidas, &QTimer::timeout, this, [this] {
        toolkit::executaManipulador([this] {
            if (vencidas::resumosEmAndamento(*conexaoDoResumo_, diaDoResumo_))
                return;
            try {
                concluiResumoVencidas();
            } catch (const ErroSistema &) {
                MostraErro(QStringLiteral("ORVO(CarregaResumoVencidas)"));
            }
        });
    });
}

void FrmRobo::aguardaResumoVencidas(bancodados::Conexao &conexao, const QDate &dia)
{
    diaDoResumo_ = dia;
    conexaoDoResumo_ = &conexao;
    vencidas::antecipaResumos(conexao, dia);
    trmVencidas->start();
}

bool FrmRobo::resumoVencidasPendente() const { return trmVencidas->isActive(); }

void FrmRobo::concluiResumoVencidas()
{
    if (!trmVencidas->isActive())
        return;
    trmVencidas->stop();
    try {
        const bancodados::PrazoDeLeitura prazo(*conexaoDoResumo_);
        CarregaResumoVencidas(*conexaoDoResumo_, diaDoResumo_);
    } catch (const ErroSistema &) {
        // As a failed refresh: no line that was not read, and the next notice
        // opens the connection again.
        conexaoSuspeita_ = true;
        Rotulo(lblVencidas).defineCaption(QString());
        throw;
    }
}

void FrmRobo::cmdVencidas_Click() { FrmVencidas::abre(); }

void FrmRobo::CarregaResumoVencidas(bancodados::Conexao &conexao, const QDate &dia)
{
    bancodados::Registros rs;
    const consultas::Consulta resumoReceber = vencidas::resumoReceber(dia);
    rs.abre(resumoReceber.sql, conexao, 0, 1, -1, resumoReceber.parametros);
    const Resumo receber = le(rs);
    const consultas::Consulta resumoPagar = vencidas::resumoPagar(dia);
    rs.abre(resumoPagar.sql, conexao, 0, 1, -1, resumoPagar.parametros);
    const Resumo pagar = le(rs);
    Rotulo(lblVencidas).defineCaption(
        receber.quantidade + pagar.quantidade == 0
            ? QString()
            : QStringLiteral("Vencidas em aberto: %1 a receber (%2) · %3 a pagar (%4)")
                  .arg(receber.quantidade)
                  .arg(formatacao::formataNumero(receber.total, MascaraValor))
                  .arg(pagar.quantidade)
                  .arg(formatacao::formataNumero(pagar.total, MascaraValor)));
}
