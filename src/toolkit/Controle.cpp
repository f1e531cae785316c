#include "toolkit/Controle.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

namespace {
QLineEdit *caixaDeTexto(QWidget *widget)
{
    if (auto *linha = qobject_cast<QLineEdit *>(widget))
        return linha;
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->lineEdit(); // null for a drop-down list
    return nullptr;
}
} // namespace

QString Controle::Text() const
{
    if (auto *combo = qobject_cast<QComboBox *>(widget_))
        return combo->currentText();
    if (auto *linha = qobject_cast<QLineEdit *>(widget_))
        return linha->text();
    if (auto *botao = qobject_cast<QAbstractButton *>(widget_))
        return botao->text();
    if (auto *rotulo = qobject_cast<QLabel *>(widget_))
        return rotulo->text();
    return QString();
}

void Controle::setText(const QString &texto)
{
    if (texto == Text())
        return;
    if (auto *combo = qobject_cast<QComboBox *>(widget_)) {
        if (combo->isEditable())
            combo->setEditText(texto);
        else
            combo->setCurrentIndex(combo->findText(texto));
    } else if (auto *linha = qobject_cast<QLineEdit *>(widget_)) {
        linha->setText(texto);
    } else if (auto *botao = qobject_cast<QAbstractButton *>(widget_)) {
        botao->setText(texto);
    } else if (auto *rotulo = qobject_cast<QLabel *>(widget_)) {
        rotulo->setText(texto);
    }
}

int Controle::SelStart() const
{
    QLineEdit *linha = caixaDeTexto(widget_);
    if (!linha)
        return 0;
    return linha->hasSelectedText() ? linha->selectionStart() : linha->cursorPosition();
}

void Controle::setSelStart(int posicao)
{
    if (QLineEdit *linha = caixaDeTexto(widget_)) {
        linha->deselect();
        linha->setCursorPosition(qBound(0, posicao, int(linha->text().size())));
    }
}

int Controle::SelLength() const
{
    QLineEdit *linha = caixaDeTexto(widget_);
    return linha ? int(linha->selectedText().size()) : 0;
}

void Controle::setSelLength(int tamanho)
{
    if (QLineEdit *linha = caixaDeTexto(widget_)) {
        const int inicio = SelStart();
        linha->setSelection(inicio, qBound(0, tamanho, int(linha->text().size()) - inicio));
    }
}

QString Controle::SelText() const
{
    QLineEdit *linha = caixaDeTexto(widget_);
    return linha ? linha->selectedText() : QString();
}

QString Controle::Tag() const
{
    return widget_ ? widget_->property("Tag").toString() : QString();
}

void Controle::setTag(const QString &tag)
{
    if (widget_)
        widget_->setProperty("Tag", tag);
}

bool Controle::ehCombo() const { return qobject_cast<QComboBox *>(widget_) != nullptr; }

int Controle::Style() const
{
    auto *combo = qobject_cast<QComboBox *>(widget_);
    return combo && !combo->isEditable() ? ListaSimples : ListaEditavel;
}

int Controle::ListCount() const
{
    auto *combo = qobject_cast<QComboBox *>(widget_);
    return combo ? combo->count() : 0;
}

QString Controle::List(int indice) const
{
    auto *combo = qobject_cast<QComboBox *>(widget_);
    return combo ? combo->itemText(indice) : QString();
}

int Controle::ListIndex() const
{
    auto *combo = qobject_cast<QComboBox *>(widget_);
    return combo ? combo->currentIndex() : -1;
}

void Controle::setListIndex(int indice)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget_))
        combo->setCurrentIndex(indice);
}
