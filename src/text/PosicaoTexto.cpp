#include "text/PosicaoTexto.h"

#include "base/ErroCorrente.h"
#include "regional/Formatacao.h"

#include <cmath>

namespace {
int posicao(const QString &onde, const QString &procurado, int inicio)
{
    if (procurado.isEmpty())
        return 0;
    if (inicio > onde.size())
        return 0;
    return int(onde.indexOf(procurado, inicio - 1)) + 1;
}
} // namespace

int PosicaoTexto(const QString &primeiro, const QString &segundo, const QVariant &terceiro)
{
    if (!terceiro.isValid())
        return posicao(primeiro, segundo, 1);

    // The start is read as a 16-bit integer: halves go to the even neighbour.
    double numero = 0;
    if (!formatacao::paraNumero(primeiro, numero))
        throw ErroSistema(13, QStringLiteral("Tipos incompatíveis"));
    numero = std::nearbyint(numero);
    if (numero < -32768 || numero > 32767)
        throw ErroSistema(6, QStringLiteral("Estouro"));
    const int inicio = int(numero);
    if (inicio < 1)
        throw ErroSistema(5, QStringLiteral("Chamada de procedimento ou argumento inválido"));
    return posicao(segundo, terceiro.toString(), inicio);
}
