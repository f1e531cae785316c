#include "notice/ListaMostrada.h"

#include <QTableWidget>

namespace {
QString textoDe(const QTableWidgetItem *item) { return item ? item->text() : QString(); }
} // namespace

ListaMostrada listaDaTabela(const QTableWidget *tabela, const QString &titulo, const QString &total)
{
    ListaMostrada lista{titulo, {}, {}, total};
    for (int c = 0; c < tabela->columnCount(); ++c)
        lista.cabecalhos << textoDe(tabela->horizontalHeaderItem(c));
    for (int r = 0; r < tabela->rowCount() && !textoDe(tabela->item(r, 0)).isEmpty(); ++r) {
        QStringList linha;
        for (int c = 0; c < tabela->columnCount(); ++c)
            linha << textoDe(tabela->item(r, c));
        lista.linhas << linha;
    }
    return lista;
}
