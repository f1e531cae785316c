#include "desktop/Bandeja.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
bool forcada = false;
}

bool Bandeja::disponivel() { return forcada || QSystemTrayIcon::isSystemTrayAvailable(); }
void Bandeja::forcaDisponivel(bool forcar) { forcada = forcar; }

Bandeja::Bandeja(const QIcon &icone, QObject *pai)
    : QObject(pai), icone_(new QSystemTrayIcon(icone, this)), menu_(new QMenu)
{
    icone_->setContextMenu(menu_);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        icone_->show();
}

Bandeja::~Bandeja()
{
    icone_->hide();
    delete menu_;
}

void Bandeja::defineDica(const QString &dica) { icone_->setToolTip(dica); }
QString Bandeja::dica() const { return icone_->toolTip(); }

void Bandeja::adicionaItem(const QString &texto, std::function<void()> aoEscolher)
{
    QAction *acao = menu_->addAction(texto);
    connect(acao, &QAction::triggered, this, [aoEscolher = std::move(aoEscolher)] { aoEscolher(); });
}
