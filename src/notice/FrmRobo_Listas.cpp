// Printing and saving the notice's lists. The designed window has no room for
// buttons: a context menu on the grids and the window's shortcuts carry them.
#include "notice/FrmRobo.h"
#include "notice/AparenciaAviso.h"
#include "notice/ConsultasContas.h"
#include "listas/DialogosListagem.h"
#include "toolkit/Toolkit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>

void FrmRobo::montaListas()
{
    mnuImprimir = new QAction(QStringLiteral("Imprimir…"), this);
    mnuImprimir->setObjectName(QStringLiteral("mnuImprimir"));
    mnuImprimir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuExportar = new QAction(QStringLiteral("Exportar…"), this);
    mnuExportar->setObjectName(QStringLiteral("mnuExportar"));
    mnuExportar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    for (QAction *acao : {mnuImprimir, mnuExportar}) {
        // Whichever control has the focus, the delay box included.
        acao->setShortcutContext(Qt::WindowShortcut);
        addAction(acao);
    }
    connect(mnuImprimir, &QAction::triggered, this,
            [this] { toolkit::executaManipulador([this] { mnuImprimir_Click(); }); });
    connect(mnuExportar, &QAction::triggered, this,
            [this] { toolkit::executaManipulador([this] { mnuExportar_Click(); }); });

    // The menu pops up and the handler returns: the window's thread never
    // waits on it.
    for (QTableWidget *tabela : {tabelaRec, tabelaPag}) {
        tabela->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tabela, &QWidget::customContextMenuRequested, this, [this, tabela](const QPoint &onde) {
            auto *menu = new QMenu(this);
            menu->setObjectName(QStringLiteral("mnuListas"));
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addAction(mnuImprimir);
            menu->addAction(mnuExportar);
            menu->popup(tabela->viewport()->mapToGlobal(onde));
        });
    }
}

listas::Listagem FrmRobo::listagem() const
{
    listas::Listagem l;
    l.titulo = windowTitle();
    l.lidaEm = lidaEm_;
    l.prefixoArquivo = QStringLiteral("contas");
    l.lados = {
        {QStringLiteral("Receber"), Label1->text(), listas::tabelaDaGrade(grdRec, aparencia::ColunaValor), Label3[0]->text(),
         lblTotalAberto->text()},
        {QStringLiteral("Pagar"), Label2->text(), listas::tabelaDaGrade(grdPag, aparencia::ColunaValor), Label3[1]->text(),
         lblTotalPago->text()},
    };
    l.resumo = {{lblTotalGeral1->text(), lblTotalGeral->text()}};
    return l;
}

void FrmRobo::mnuImprimir_Click() { listas::abreImpressao(this, listagem()); }

void FrmRobo::mnuExportar_Click() { listas::abreExportacao(this, listagem(), consultas::hoje()); }
