// The notice window on a screen too small for its design (a scaled screen):
// the design is kept and scrolled inside a window that fits the screen.
#include "notice/FrmRobo.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// Room left for the window manager's title bar and borders.
const QSize MolduraDaJanela(16, 48);
}

void FrmRobo::ajustaATela()
{
    QScreen *tela = QGuiApplication::primaryScreen();
    if (!tela)
        return;
    const QSize projetado = size();
    const QSize cabe = tela->availableGeometry().size() - MolduraDaJanela;
    if (projetado.width() <= cabe.width() && projetado.height() <= cabe.height())
        return; // the designed geometry, exactly

    // Every designed control moves, at its designed place, onto a sheet of the
    // designed size that scrolls inside the window.
    auto *folha = new QWidget;
    folha->setObjectName(QStringLiteral("folhaProjetada"));
    folha->setFixedSize(projetado);
    folha->setAutoFillBackground(true);
    folha->setPalette(palette());
    const QList<QWidget *> controles = findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *controle : controles) {
        const QRect onde = controle->geometry();
        controle->setParent(folha);
        controle->setGeometry(onde);
        controle->show();
    }
    auto *rolagem = new QScrollArea(this);
    rolagem->setObjectName(QStringLiteral("rolagem"));
    rolagem->setFrameShape(QFrame::NoFrame);
    rolagem->setFocusPolicy(Qt::NoFocus);
    rolagem->setWidget(folha);
    auto *disposicao = new QVBoxLayout(this);
    disposicao->setContentsMargins(0, 0, 0, 0);
    disposicao->addWidget(rolagem);

    setMinimumSize(0, 0);
    setMaximumSize(projetado + QSize(rolagem->verticalScrollBar()->sizeHint().width(),
                                     rolagem->horizontalScrollBar()->sizeHint().height()));
    resize(cabe.boundedTo(maximumSize()));

    // Moving controls drops them from the tab order: the designed one again.
    setTabOrder(cmdAvisar, tabelaRec);
    setTabOrder(tabelaRec, tabelaPag);
    setTabOrder(tabelaPag, cmdFechar);
    setTabOrder(cmdFechar, txtHora);
    setTabOrder(txtHora, cmdVencidas);
    setTabOrder(cmdVencidas, cmdProximos);
    setTabOrder(cmdProximos, cmdAvisar);
    cmdAvisar->setFocus();
    // The control that takes the focus is scrolled into view.
    connect(qApp, &QApplication::focusChanged, rolagem, [rolagem, folha](QWidget *, QWidget *agora) {
        if (agora && folha->isAncestorOf(agora))
            rolagem->ensureWidgetVisible(agora);
    });
}
