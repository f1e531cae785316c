#include "startup/FrmAcesso.h"
#include "notice/FrmRobo.h"
#include "toolkit/Fontes.h"
#include "toolkit/Janela.h"
#include "toolkit/Toolkit.h"
#include "startup/IniciaSistema.h"

namespace {
int mostrada = 0;
}

FrmAcesso::FrmAcesso() : QWidget(nullptr)
{
    setObjectName(QStringLiteral("FrmAcesso"));
    toolkit::registraJanela(this);
}

void FrmAcesso::carrega()
{
    auto *janela = new FrmAcesso;
    toolkit::executaManipulador([janela] { janela->Form_Load(); });
}

int FrmAcesso::vezesMostrada() { return mostrada; }

void FrmAcesso::showEvent(QShowEvent *evento)
{
    ++mostrada;
    QWidget::showEvent(evento);
}

void FrmAcesso::Form_Load()
{
    toolkit::defineApontador(toolkit::ApontadorAmpulheta);
    // The notice window's fonts are looked up while the connection opens.
    toolkit::antecipaFontes();
    IniciaSistema();
    // Unloaded before the notice window is shown; the program lives on
    // because the notice window is loaded right after.
    toolkit::descarregaJanela(this);
    toolkit::mostraJanela(&FrmRobo::instancia());
    toolkit::defineApontador(toolkit::ApontadorNormal);
}
