#include "platform/Grade.h"

#include <QTableWidget>

Grade::Grade(QTableWidget *tabela, QColor corCelula) : tabela_(tabela), corCelula_(corCelula) {}

namespace {
QTableWidgetItem *celula(QTableWidget *tabela, int row, int col, const QColor &cor)
{
    QTableWidgetItem *item = tabela->item(row - 1, col - 1);
    if (!item) {
        item = new QTableWidgetItem;
        item->setBackground(cor);
        item->setForeground(Qt::black);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tabela->setItem(row - 1, col - 1, item);
    }
    return item;
}
} // namespace

void Grade::garanteLinha(int row)
{
    if (row > tabela_->rowCount())
        tabela_->setRowCount(row);
}

QString Grade::texto() const
{
    if (col_ < 1 || row_ < 1 || col_ > tabela_->columnCount() || row_ > tabela_->rowCount())
        return QString();
    const QTableWidgetItem *item = tabela_->item(row_ - 1, col_ - 1);
    return item ? item->text() : QString();
}

void Grade::defineTexto(const QString &texto)
{
    if (col_ < 1 || row_ < 1 || col_ > tabela_->columnCount())
        return;
    garanteLinha(row_);
    celula(tabela_, row_, col_, corCelula_)->setText(texto);
}

QColor Grade::corFundo() const
{
    if (col_ < 1 || row_ < 1 || col_ > tabela_->columnCount() || row_ > tabela_->rowCount())
        return QColor();
    const QTableWidgetItem *item = tabela_->item(row_ - 1, col_ - 1);
    return item ? item->background().color() : corCelula_;
}

void Grade::defineCorFundo(const QColor &cor)
{
    if (col_ < 1 || row_ < 1 || col_ > tabela_->columnCount())
        return;
    garanteLinha(row_);
    celula(tabela_, row_, col_, corCelula_)->setBackground(cor);
}

void Grade::defineAcao(int acao)
{
    if (acao != AcaoLimpaTexto)
        return;
    const int primeiraCol = col_ == -1 ? 1 : col_;
    const int ultimaCol = col_ == -1 ? tabela_->columnCount() : col_;
    const int primeiraRow = row_ == -1 ? 1 : row_;
    const int ultimaRow = row_ == -1 ? tabela_->rowCount() : row_;
    for (int r = primeiraRow; r <= ultimaRow; ++r)
        for (int c = primeiraCol; c <= ultimaCol; ++c)
            if (QTableWidgetItem *item = tabela_->item(r - 1, c - 1))
                item->setText(QString());
}

int Grade::linhas() const { return tabela_->rowCount(); }
int Grade::colunas() const { return tabela_->columnCount(); }
