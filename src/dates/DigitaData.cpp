#include "dates/DigitaData.h"

#include "dates/RetornaFormatoData.h"
#include "base/ErroCorrente.h"
#include "text/FiltraNumero.h"
#include "text/PosicaoTexto.h"
#include "toolkit/Controle.h"
#include "regional/Formatacao.h"

namespace {
const QChar Preenchimento(255);

// A probe answer read as a 16-bit integer; an empty or non-numeric answer (an
// invalid date format) is a type mismatch.
int inteiroDaResposta(const QString &resposta)
{
    bool ok = false;
    const int valor = resposta.toInt(&ok);
    if (!ok)
        throw ErroSistema(13, QStringLiteral("Tipos incompatíveis"));
    return valor;
}

int digita(Controle &controle, int &tecla)
{
    if (tecla == 13 || tecla == 8)
        return tecla;
    if (tecla < '0' || tecla > '9')
        return 0;

    QString texto = controle.Text();
    int posicao = controle.SelStart();
    const int selecao = controle.SelLength();
    const int restante = int(texto.size()) - selecao;
    if (restante == inteiroDaResposta(RetornaFormatoData(QStringLiteral("L"))))
        return 0; // the date is complete

    texto = texto.left(posicao) + QChar(tecla) + texto.mid(posicao + selecao);
    tecla = 0;

    const QString mascara = RetornaFormatoData(QStringLiteral("M"));
    const int tamanhoAnterior = int(texto.size());
    const QString separador = RetornaFormatoData(QStringLiteral("S"));

    int quantos;
    if (separador == QLatin1String("-") || separador == QLatin1String("+")) {
        // A sign as date separator would survive the integer filter: keep the
        // digits alone and fill the mask's placeholders.
        texto = FiltraNumero(texto, QStringLiteral("I+"));
        quantos = int(mascara.count(QLatin1Char('@')));
    } else {
        quantos = inteiroDaResposta(RetornaFormatoData(QStringLiteral("T")));
        texto = FiltraNumero(texto, QStringLiteral("IN"));
    }
    texto = (texto + QString(quantos, Preenchimento)).left(quantos);
    texto = formatacao::formataTexto(texto, mascara);

    // Only the separators up to the last typed digit are shown.
    const int corte = PosicaoTexto(texto, QString(Preenchimento));
    if (corte > 0) {
        texto = texto.left(corte - 1);
        if (!texto.isEmpty() && texto.right(1) == separador)
            texto.chop(1);
    }

    if (!mascara.isEmpty()) {
        controle.setText(texto);
        if (tamanhoAnterior != texto.size())
            ++posicao;
        controle.setSelStart(posicao + 1);
    }
    return tecla;
}
} // namespace

int DigitaData(Controle &controle, int &tecla)
{
    try {
        return digita(controle, tecla);
    } catch (const ErroSistema &) {
        // A date that cannot be laid out refuses the key, without a message.
        limpaErroCorrente();
        tecla = 0;
        return 0;
    }
}
