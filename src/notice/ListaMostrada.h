#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QTableWidget;

// A list as a window shows it, in plain texts: its heading, the grid's column
// headings, the rows as shown and the total under it (empty where there is
// none). What printing and saving a window's lists start from.
struct ListaMostrada {
    QString titulo;
    QStringList cabecalhos;
    QList<QStringList> linhas;
    QString total;
};

// The rows of `tabela` down to the first one with an empty first cell.
ListaMostrada listaDaTabela(const QTableWidget *tabela, const QString &titulo, const QString &total = QString());
