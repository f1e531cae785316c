#include "platform/Acessibilidade.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

const char *const PropriedadeValor = "orvoRotuloDeValor";

// The label as assistive technology sees it: static text, the heading as
// name, the amount as value.
class RotuloDeValor : public QAccessibleWidget {
public:
    explicit RotuloDeValor(QLabel *rotulo) : QAccessibleWidget(rotulo, QAccessible::StaticText) {}

    QString text(QAccessible::Text tipo) const override
    {
        auto *rotulo = static_cast<QLabel *>(widget());
        switch (tipo) {
        case QAccessible::Name:
            return rotulo->accessibleName();
        case QAccessible::Value:
            return rotulo->text();
        default:
            return QAccessibleWidget::text(tipo);
        }
    }
};

QAccessibleInterface *fabrica(const QString &, QObject *objeto)
{
    auto *rotulo = qobject_cast<QLabel *>(objeto);
    if (rotulo && rotulo->property(PropriedadeValor).toBool())
        return new RotuloDeValor(rotulo);
    return nullptr;
}

} // namespace

namespace acessibilidade {

void rotuloDeValor(QLabel *valor, const QString &titulo)
{
    static const bool instalada = (QAccessible::installFactory(fabrica), true);
    Q_UNUSED(instalada);
    valor->setProperty(PropriedadeValor, true);
    valor->setAccessibleName(titulo);
}

void textoMudou(QLabel *rotulo)
{
    if (!QAccessible::isActive() || !rotulo->property(PropriedadeValor).toBool())
        return;
    QAccessibleValueChangeEvent evento(rotulo, rotulo->text());
    QAccessible::updateAccessibility(&evento);
}

} // namespace acessibilidade
