#include "listas/ImprimeListagem.h"
#include "regional/Formatacao.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

namespace listas {

namespace {
const QString CorNegativo = QStringLiteral("#c00000");

bool negativo(const QString &valor)
{
    double numero = 0;
    return formatacao::paraNumero(valor, numero) && numero < 0;
}

QString tabelaHtml(const Tabela &tabela)
{
    // The heading row in <thead> is repeated on every page the table runs over.
    // Lines and padding in screen pixels: the layout scales them to the printer.
    QString html = QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><thead><tr>");
    for (int col = 0; col < tabela.cabecalhos.size(); ++col)
        html += QStringLiteral("<th align=\"%1\" bgcolor=\"#e0e0e0\">%2</th>")
                    .arg(tabela.colunasDeValor.contains(col) ? QStringLiteral("right") : QStringLiteral("left"),
                         tabela.cabecalhos.at(col).toHtmlEscaped());
    html += QStringLiteral("</tr></thead><tbody>");
    for (const QStringList &linha : tabela.linhas) {
        html += QStringLiteral("<tr>");
        for (int col = 0; col < linha.size(); ++col) {
            const QString texto = linha.at(col).toHtmlEscaped();
            if (tabela.colunasDeValor.contains(col))
                html += negativo(linha.at(col))
                    ? QStringLiteral("<td align=\"right\"><font color=\"%1\">%2</font></td>").arg(CorNegativo, texto)
                    : QStringLiteral("<td align=\"right\">%1</td>").arg(texto);
            else
                html += QStringLiteral("<td>%1</td>").arg(texto);
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</tbody></table>");
}

QString linhaDeValor(const QString &rotulo, const QString &valor)
{
    const QString mostrado = negativo(valor)
        ? QStringLiteral("<font color=\"%1\">%2</font>").arg(CorNegativo, valor.toHtmlEscaped())
        : valor.toHtmlEscaped();
    return QStringLiteral("<p align=\"right\"><b>%1: %2</b></p>").arg(rotulo.toHtmlEscaped(), mostrado);
}

QString htmlDaListagem(const Listagem &listagem)
{
    QString html = QStringLiteral("<html><body><h2>%1</h2>").arg(listagem.titulo.toHtmlEscaped());
    const QString leitura = textoDaLeitura(listagem.lidaEm);
    if (!leitura.isEmpty())
        html += QStringLiteral("<p>Leitura de %1</p>").arg(leitura.toHtmlEscaped());
    for (const Lado &lado : listagem.lados) {
        html += QStringLiteral("<h3>%1</h3>").arg(lado.titulo.toHtmlEscaped());
        if (lado.tabela.linhas.isEmpty())
            html += QStringLiteral("<p>Nenhuma conta.</p>");
        else
            html += tabelaHtml(lado.tabela);
        html += linhaDeValor(lado.rotuloTotal, lado.total);
    }
    for (const auto &[rotulo, valor] : listagem.resumo)
        html += linhaDeValor(rotulo, valor);
    if (listagem.extra) {
        html += QStringLiteral("<h3>%1</h3>").arg(listagem.extra->titulo.toHtmlEscaped());
        html += tabelaHtml(listagem.extra->tabela);
    }
    return html + QStringLiteral("</body></html>");
}
} // namespace

bool imprime(const Listagem &listagem, QPrinter &impressora)
{
    QPainter pintor;
    if (!pintor.begin(&impressora))
        return false;

    QFont fonte = pintor.font();
    fonte.setPointSizeF(9);
    QFont fonteRodape = fonte;
    fonteRodape.setPointSizeF(8);

    QTextDocument documento;
    // Laid out in the printer's own units, so the points of the fonts come out
    // at their size on paper.
    documento.documentLayout()->setPaintDevice(&impressora);
    documento.setDefaultFont(fonte);
    documento.setDocumentMargin(0);
    documento.setHtml(htmlDaListagem(listagem));

    const QRectF pagina(0, 0, impressora.width(), impressora.height());
    const qreal rodape = QFontMetricsF(fonteRodape, &impressora).height() * 2;
    const qreal altura = pagina.height() - rodape;
    documento.setPageSize(QSizeF(pagina.width(), altura));
    const int paginas = documento.pageCount();

    for (int n = 0; n < paginas; ++n) {
        if (n > 0)
            impressora.newPage();
        pintor.save();
        pintor.translate(0, -n * altura);
        QAbstractTextDocumentLayout::PaintContext contexto;
        contexto.clip = QRectF(0, n * altura, pagina.width(), altura);
        contexto.palette.setColor(QPalette::Text, Qt::black);
        pintor.setClipRect(contexto.clip);
        documento.documentLayout()->draw(&pintor, contexto);
        pintor.restore();
        pintor.setFont(fonteRodape);
        pintor.setPen(Qt::black);
        pintor.drawText(QRectF(0, altura, pagina.width(), rodape), Qt::AlignRight | Qt::AlignBottom,
                        QStringLiteral("Página %1 de %2").arg(n + 1).arg(paginas));
    }
    return pintor.end();
}

QString mensagemNaoImprimiu()
{
    return QStringLiteral("Não foi possível imprimir a lista: a impressora ou o arquivo escolhido não pôde ser "
                          "aberto. Verifique a impressora, ou escolha outra pasta para o arquivo, e tente de novo.");
}

} // namespace listas
