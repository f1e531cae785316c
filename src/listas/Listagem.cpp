#include "listas/Listagem.h"
#include "regional/Formatacao.h"
#include "toolkit/Grade.h"

#include <QTableWidget>

namespace listas {

Tabela tabelaDaGrade(const Grade &grade, int colunaValor)
{
    Grade leitura = grade; // its own cursors: the window's stay where they are
    Tabela tabela;
    for (int col = 1; col <= leitura.colunas(); ++col)
        tabela.cabecalhos << leitura.cabecalho(col);
    if (colunaValor >= 1 && colunaValor <= leitura.colunas())
        tabela.colunasDeValor << colunaValor - 1;
    for (int row = 1; row <= leitura.linhas(); ++row) {
        leitura.defineRow(row);
        QStringList textos;
        bool algum = false;
        for (int col = 1; col <= leitura.colunas(); ++col) {
            leitura.defineCol(col);
            textos << leitura.texto();
            algum = algum || !textos.constLast().isEmpty();
        }
        // Rows are written from the first on: the first empty one ends them.
        if (!algum)
            break;
        tabela.linhas << textos;
    }
    return tabela;
}

Tabela tabelaDoQuadro(const QTableWidget *quadro, const QList<int> &colunasDeValor)
{
    const auto texto = [](const QTableWidgetItem *item) { return item ? item->text() : QString(); };
    Tabela tabela;
    tabela.colunasDeValor = colunasDeValor;
    for (int c = 0; c < quadro->columnCount(); ++c)
        tabela.cabecalhos << texto(quadro->horizontalHeaderItem(c));
    for (int r = 0; r < quadro->rowCount() && !texto(quadro->item(r, 0)).isEmpty(); ++r) {
        QStringList linha;
        for (int c = 0; c < quadro->columnCount(); ++c)
            linha << texto(quadro->item(r, c));
        tabela.linhas << linha;
    }
    return tabela;
}

QString nomeArquivoPadrao(const QString &prefixo, const QDate &dia)
{
    return prefixo + QLatin1Char('-') + dia.toString(Qt::ISODate) + QStringLiteral(".csv");
}

QString textoDaLeitura(const QDateTime &lidaEm)
{
    if (!lidaEm.isValid())
        return QString();
    return formatacao::dataCurta(lidaEm.date()) + QStringLiteral(" às ")
        + lidaEm.time().toString(QStringLiteral("HH:mm"));
}

} // namespace listas
