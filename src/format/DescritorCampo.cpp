#include "format/DescritorCampo.h"

namespace {
// Leading-number reading of the length field: "018" is 18, "" or "x1" is 0.
int numeroInicial(const QString &texto)
{
    int valor = 0;
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        valor = valor * 10 + (c.unicode() - '0');
    }
    return valor;
}
} // namespace

int classeNumerica(const QString &tipo)
{
    if (tipo == QLatin1String("IN") || tipo == QLatin1String("I+") || tipo == QLatin1String("I-"))
        return ClasseInteira;
    if (tipo == QLatin1String("NU") || tipo == QLatin1String("N+") || tipo == QLatin1String("N-"))
        return ClasseDecimal;
    return ClasseNaoNumerica;
}

QString normalizaMascara(const QString &mascara, int classe)
{
    QString resultado = mascara;
    if (classe == ClasseInteira) {
        for (int i = 0; i + 1 < resultado.size(); ++i)
            if (resultado.at(i) == QLatin1Char('0'))
                resultado[i] = QLatin1Char('#');
    } else if (classe == ClasseDecimal) {
        const int ponto = int(mascara.indexOf(QLatin1Char('.')));
        for (int i = 0; i < ponto; ++i)
            if (mascara.at(i) == QLatin1Char('0') && mascara.at(i + 1) != QLatin1Char('.'))
                resultado[i] = QLatin1Char('#');
    }
    return resultado;
}

DescritorCampo leDescritor(const QString &conteudo)
{
    DescritorCampo d;
    d.tipo = conteudo.left(2).toUpper();
    d.tamanho = numeroInicial(conteudo.mid(2, 3));
    d.mascara = conteudo.mid(5);
    d.tamanhoCampo = d.mascara.isEmpty() ? d.tamanho : int(d.mascara.size());
    d.classe = classeNumerica(d.tipo);
    d.mascaraNormalizada = normalizaMascara(d.mascara, d.classe);
    return d;
}
