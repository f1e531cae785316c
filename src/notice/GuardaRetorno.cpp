#include "notice/GuardaRetorno.h"

#include <QAbstractButton>
#include <QEvent>
#include <QWidget>

namespace guardaretorno {
namespace {
int duracao = 1500;
}
int milissegundos() { return duracao; }
void defineMilissegundos(int ms) { duracao = ms; }
} // namespace guardaretorno

GuardaRetorno::GuardaRetorno(QWidget *janela, const QList<QAbstractButton *> &botoes)
    : QObject(janela), janela_(janela)
{
    janela->installEventFilter(this);
    for (QAbstractButton *botao : botoes)
        botao->installEventFilter(this);
}

bool GuardaRetorno::guardando() const
{
    return desdeQueVoltou_.isValid() && desdeQueVoltou_.elapsed() < guardaretorno::milissegundos();
}

bool GuardaRetorno::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == janela_) {
        if (evento->type() == QEvent::Hide && !evento->spontaneous())
            escondida_ = true;
        else if (evento->type() == QEvent::Show && escondida_) {
            // The window comes back: the guard starts.
            escondida_ = false;
            desdeQueVoltou_.start();
        }
        return false;
    }
    switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return guardando();
    default:
        return false;
    }
}
