// The Tag reader and the field descriptor on any Tag text: a group is found by
// its key letter in any case and comes back upper-cased and without its ")";
// a group planted in surrounding text comes back as planted; the descriptor's
// fields and normalised mask keep the shape the formatter relies on.
#include "ApoioFuzz.h"
#include "format/DescritorCampo.h"
#include "format/RetornaTag.h"

namespace {

void confereDescritor(const QString &conteudo)
{
    const DescritorCampo d = leDescritor(conteudo);
    const QString caso = apoiofuzz::mostra(conteudo);
    PROPRIEDADE(d.tipo == conteudo.left(2).toUpper(), caso);
    PROPRIEDADE(d.tamanho >= 0 && d.tamanho <= 999, QStringLiteral("tamanho %1 de %2").arg(d.tamanho).arg(caso));
    PROPRIEDADE(d.mascara == conteudo.mid(5), caso);
    PROPRIEDADE(d.tamanhoCampo == (d.mascara.isEmpty() ? d.tamanho : int(d.mascara.size())), caso);
    PROPRIEDADE(d.classe == classeNumerica(d.tipo), caso);

    // Normalising only ever turns a '0' into a '#'.
    const QString &n = d.mascaraNormalizada;
    PROPRIEDADE(n.size() == d.mascara.size(), caso);
    for (int i = 0; i < n.size(); ++i) {
        const QChar antes = d.mascara.at(i);
        const QChar depois = n.at(i);
        PROPRIEDADE(antes == depois || (antes == u'0' && depois == u'#'),
                    QStringLiteral("posição %1 de %2 virou %3").arg(i).arg(caso, apoiofuzz::mostra(n)));
    }
    if (d.classe == ClasseNaoNumerica)
        PROPRIEDADE(n == d.mascara, caso);
    if (d.classe == ClasseInteira && !n.isEmpty()) {
        PROPRIEDADE(n.back() == d.mascara.back(), caso);
        PROPRIEDADE(!n.left(n.size() - 1).contains(u'0'), caso);
    }
    if (d.classe == ClasseDecimal) {
        // From the '.' on the mask is copied; before it a '0' stays only right before the '.'.
        const int ponto = int(d.mascara.indexOf(u'.'));
        PROPRIEDADE(ponto < 0 ? n == d.mascara : n.mid(ponto) == d.mascara.mid(ponto), caso);
        for (int i = 0; i < ponto; ++i)
            if (n.at(i) == u'0')
                PROPRIEDADE(i + 1 == ponto, caso);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t tamanho)
{
    FuzzedDataProvider dados(bytes, tamanho);
    const QString letras = QStringLiteral("CcZz");
    const QString letra = dados.ConsumeBool() ? QString(letras.at(dados.ConsumeIntegralInRange(0, 3))).toUpper()
                                              : QString(QChar(dados.ConsumeIntegral<uint8_t>())).toUpper();
    const QString antes = apoiofuzz::texto(dados, 40);
    const QString conteudo = apoiofuzz::texto(dados, 40);
    const QString tag = apoiofuzz::texto(dados, 120);

    // Any Tag: an empty answer, or an upper-cased group without its ")".
    const QString grupo = grupoDaTag(letra, tag);
    const QString caso = apoiofuzz::mostra(letra) + QStringLiteral(" em ") + apoiofuzz::mostra(tag);
    PROPRIEDADE(!grupo.contains(u')'), caso);
    PROPRIEDADE(grupo == grupo.toUpper(), caso);
    QString maiusculas = tag;
    for (QChar &c : maiusculas)
        c = c.toUpper();
    if (!maiusculas.contains(letra + u'('))
        PROPRIEDADE(grupo.isEmpty(), caso);
    confereDescritor(grupo);
    confereDescritor(conteudo);

    // A group planted after text that cannot hold a group of its own comes back
    // as planted, upper-cased, whatever follows it.
    if (letra.size() == 1 && letra.at(0).isLetter() && letra.at(0).toLower() != letra.at(0)) {
        QString prefixo = antes;
        prefixo.remove(u'(');
        QString plantado = conteudo;
        plantado.remove(u')');
        const QString minuscula = letra.toLower();
        const QString chave = dados.ConsumeBool() && minuscula.size() == 1 ? minuscula : letra;
        const QString montada = prefixo + chave + u'(' + plantado + u')' + tag;
        PROPRIEDADE(grupoDaTag(letra, montada) == plantado.toUpper(),
                    QStringLiteral("%1 deu %2").arg(apoiofuzz::mostra(montada), apoiofuzz::mostra(grupoDaTag(letra, montada))));
    }
    return 0;
}
