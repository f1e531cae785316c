#pragma once
#include <QString>

class QWidget;

// A window's control as the formatting routines see it: its properties by name.
// Text boxes (and the edit part of an editable combo box) have text, selection
// and tag; combo boxes also have their style and list. Any other widget has an
// empty text and no selection, but still its tag.
class Controle {
public:
    explicit Controle(QWidget *widget) : widget_(widget) {}

    QWidget *widget() const { return widget_; }

    QString Text() const;
    // Writing the text it already holds leaves caret and selection alone.
    void setText(const QString &texto);

    // 0-based caret position, or start of the selection.
    int SelStart() const;
    // Places the caret (clamped to the text) and clears the selection.
    void setSelStart(int posicao);
    int SelLength() const;
    void setSelLength(int tamanho);
    QString SelText() const;

    // The widget's "Tag" property.
    QString Tag() const;
    void setTag(const QString &tag);

    // Combo boxes.
    enum Estilo { ListaEditavel = 0, ListaSimples = 2 };
    bool ehCombo() const;
    int Style() const;
    int ListCount() const;
    QString List(int indice) const;
    int ListIndex() const;
    void setListIndex(int indice);

private:
    QWidget *widget_;
};
