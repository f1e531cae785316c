#include "toolkit/Acessibilidade.h"

#include <QLabel>
#include <QVariant>

namespace {

const char *const PropriedadeTitulo = "orvoTituloDoValor";

void nomeia(QLabel *valor, const QString &titulo)
{
    const QString texto = valor->text();
    const QString nome = texto.isEmpty() ? titulo : titulo + QStringLiteral(": ") + texto;
    // Each new name is announced to screen readers: only a real change.
    if (valor->accessibleName() != nome)
        valor->setAccessibleName(nome);
}

} // namespace

namespace acessibilidade {

void rotuloDeValor(QLabel *valor, const QString &titulo)
{
    valor->setProperty(PropriedadeTitulo, titulo);
    nomeia(valor, titulo);
}

void textoMudou(QLabel *rotulo)
{
    const QVariant titulo = rotulo->property(PropriedadeTitulo);
    if (titulo.isValid())
        nomeia(rotulo, titulo.toString());
}

} // namespace acessibilidade
