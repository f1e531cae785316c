// The notice window's line about instalments of earlier days still open, the
// button that opens their window and the one that opens the coming days'.
// They sit in the free strip under the grids, beside the designed layout.
#include "base/ErroCorrente.h"
#include "errors/MostraErro.h"
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasContas.h"
#include "notice/ConsultasVencidas.h"
#include "notice/FrmRobo.h"
#include "database/BancoDados.h"
#include "toolkit/Fontes.h"
#include "regional/Formatacao.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"

#include <QLabel>
#include <QPushButton>
#include <QPointer>

#include <array>
#include <memory>

namespace {
const QString MascaraValor = QStringLiteral("#,###,###,##0.00");

struct Resumo {
    long long quantidade = 0;
    double total = 0;
};

// Adds up the rows of a summary statement (one per half of a union).
void soma(Resumo &r, bancodados::Registros &rs)
{
    while (!rs.eof()) {
        r.quantidade += rs.campo(QStringLiteral("Quantidade")).toLongLong();
        const QVariant total = rs.campo(QStringLiteral("Total"));
        if (!total.isNull())
            r.total += total.toDouble();
        rs.moveNext();
    }
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
    // Under it, in the corner left free below the payables total.
    cmdProximos = new QPushButton(QStringLiteral("Próximos dias"), this);
    cmdProximos->setObjectName(QStringLiteral("cmdProximos"));
    cmdProximos->setGeometry(QRect(926, 575, 70, 28));
    cmdProximos->setFont(toolkit::fonteDoSistema(7.5));
    connect(cmdProximos, &QPushButton::clicked, this,
            [this] { toolkit::executaManipulador([this] { cmdProximos_Click(); }); });
}

void FrmRobo::cmdVencidas_Click() { emit vencidasPedidas(); }

void FrmRobo::cmdProximos_Click() { emit aVencerPedidas(); }

void FrmRobo::CarregaResumoVencidas(bancodados::Conexao &conexao, const QDate &dia)
{
    auto resumos = std::make_shared<std::array<Resumo, 2>>();
    const QPointer<FrmRobo> janela(this);
    bancodados::Pedido pedido;
    for (const consultas::Consulta &consulta : {vencidas::resumoReceber(dia), vencidas::resumoPagar(dia)})
        pedido.instrucoes.push_back({consulta.sql, consulta.parametros});
    pedido.aoLer = [resumos](int lado, const QStringList &colunas, std::deque<bancodados::Linha> &linhas) {
        bancodados::Registros rs(colunas, linhas);
        soma((*resumos)[lado], rs);
    };
    pedido.aoConcluir = [janela, resumos] {
        if (!janela)
            return;
        janela->resumoPendente_ = false;
        const Resumo &receber = (*resumos)[0];
        const Resumo &pagar = (*resumos)[1];
        Rotulo(janela->lblVencidas)
            .defineCaption(receber.quantidade + pagar.quantidade == 0
                               ? QString()
                               : QStringLiteral("Vencidas em aberto: %1 a receber (%2) · %3 a pagar (%4)")
                                     .arg(receber.quantidade)
                                     .arg(formatacao::formataNumero(receber.total, MascaraValor))
                                     .arg(pagar.quantidade)
                                     .arg(formatacao::formataNumero(pagar.total, MascaraValor)));
        emit janela->avisoTerminou();
    };
    // As a failed refresh: no line that was not read, and the next notice
    // opens the connection again; the grids read before stay.
    pedido.aoFalhar = [janela](const bancodados::Falha &falha) {
        if (!janela)
            return;
        janela->resumoPendente_ = false;
        janela->conexaoSuspeita_ = true;
        Rotulo(janela->lblVencidas).defineCaption(QString());
        emit janela->avisoTerminou();
        const ErroSistema erro(falha.numero, falha.descricao, falha.detalhe);
        MostraErro(QStringLiteral("ORVO(CarregaResumoVencidas)"));
    };
    resumoPendente_ = true;
    conexao.envia(std::move(pedido));
}
