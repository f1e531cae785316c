#include "toolkit/PreVisualizacaoTeclas.h"

#include "toolkit/Controle.h"
#include "toolkit/Toolkit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

// The Qt key that types a key code, for a replaced key.
int teclaDoCodigo(int codigo, Qt::KeyboardModifiers &modificadores)
{
    modificadores = Qt::NoModifier;
    switch (codigo) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    case 27: return Qt::Key_Escape;
    default: break;
    }
    if (codigo >= 1 && codigo <= 26) {
        modificadores = Qt::ControlModifier;
        return Qt::Key_A + codigo - 1;
    }
    const QChar c = QChar(codigo).toUpper();
    return c.unicode() >= 0x20 && c.unicode() < 0x7f ? int(c.unicode()) : int(Qt::Key_unknown);
}

class PreVisualizacao : public QObject {
public:
    PreVisualizacao(QWidget *janela, std::function<int(Controle &, int)> manipulador)
        : QObject(janela), janela_(janela), manipulador_(std::move(manipulador))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() != QEvent::KeyPress || repassando_ || !objeto->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(objeto);
        // Only the active control of this window, not the parents that an
        // ignored key travels on to.
        if (widget != janela_->focusWidget())
            return false;
        auto *tecla = static_cast<QKeyEvent *>(evento);
        const int codigo = codigoDaTecla(*tecla);
        if (codigo < 0)
            return false;

        int resultado = 0;
        bool respondeu = false;
        QPointer<QWidget> alvo(widget);
        toolkit::executaManipulador([&] {
            Controle controle(widget);
            resultado = manipulador_(controle, codigo);
            respondeu = true;
        });
        if (!respondeu || resultado == 0 || !alvo)
            return true; // swallowed, or the program has ended
        if (resultado == codigo)
            return false;

        // Another character: the control takes it as if it had been typed.
        Qt::KeyboardModifiers modificadores;
        const int chave = teclaDoCodigo(resultado, modificadores);
        QKeyEvent substituta(QEvent::KeyPress, chave, modificadores, QString(QChar(resultado)));
        repassando_ = true;
        QCoreApplication::sendEvent(widget, &substituta);
        repassando_ = false;
        return true;
    }

private:
    QWidget *janela_;
    std::function<int(Controle &, int)> manipulador_;
    bool repassando_ = false;
};

} // namespace

int codigoDaTecla(const QKeyEvent &evento)
{
    const Qt::KeyboardModifiers mods = evento.modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    switch (evento.key()) {
    case Qt::Key_Backspace: return alt ? -1 : 8;
    case Qt::Key_Tab: return ctrl || alt ? -1 : 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return alt ? -1 : 13;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    // Alt alone makes menu mnemonics, not characters.
    if (alt && !ctrl)
        return -1;
    if (ctrl && !alt) {
        if (evento.key() >= Qt::Key_A && evento.key() <= Qt::Key_Z)
            return evento.key() - Qt::Key_A + 1;
        return -1;
    }
    const QString texto = evento.text();
    if (texto.size() != 1)
        return -1;
    const QChar c = texto.at(0);
    if (c.unicode() < 32 || c.unicode() == 127 || c.isSurrogate())
        return -1;
    return c.unicode();
}

void instalaPreVisualizacaoTeclas(QWidget *janela, std::function<int(Controle &, int)> manipulador)
{
    new PreVisualizacao(janela, std::move(manipulador));
}
