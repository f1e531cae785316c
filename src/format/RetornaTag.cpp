#include "format/RetornaTag.h"

#include "toolkit/Controle.h"

namespace {
// Upper-cases one character at a time, so positions in the result are the
// positions in the Tag as stored.
QString maiusculasPosicionais(const QString &texto)
{
    QString resultado = texto;
    for (QChar &c : resultado)
        c = c.toUpper();
    return resultado;
}
} // namespace

QString grupoDaTag(const QString &letra, const QString &tag)
{
    const QString maiusculas = maiusculasPosicionais(tag);
    const int inicio = int(maiusculas.indexOf(letra + QLatin1Char('(')));
    if (inicio < 0)
        return QString();
    // The ")" is looked for after the group's "(": for a key letter of ")"
    // the first ")" at the key itself would give a negative length.
    const int conteudo = inicio + int(letra.size()) + 1;
    const int fim = int(maiusculas.indexOf(QLatin1Char(')'), conteudo));
    if (fim < 0)
        return QString(); // an unclosed group counts as absent
    return tag.mid(conteudo, fim - conteudo).toUpper();
}

QString RetornaTag(const QString &letra, const Controle &controle)
{
    return grupoDaTag(letra, controle.Tag());
}
