#include "toolkit/Grade.h"

#include <algorithm>
#include <optional>
#include <QFontMetrics>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>

// Tells the table's view, once per pass of the event loop, that cells were
// written. A change signal per cell made the view work out and repaint each
// cell on its own, which cost several times the write itself in a fill of
// thousands of rows. The one notice goes out at the first write of the pass
// and names the whole table: the writes that follow in the same pass are all
// in place by the time the view paints, which it does only once control is
// back in the event loop. Sent at the end of the pass instead, the notice came
// after the window's exposure had already painted the new cells, and made the
// view paint them all a second time.
class AvisoDeAlteracoes : public QObject {
public:
    static AvisoDeAlteracoes *da(QTableWidget *tabela)
    {
        if (QObject *existente = tabela->findChild<QObject *>(nome(), Qt::FindDirectChildrenOnly))
            return static_cast<AvisoDeAlteracoes *>(existente);
        return new AvisoDeAlteracoes(tabela);
    }

    void agenda()
    {
        if (avisado_)
            return;
        avisado_ = true;
        avisa();
        QMetaObject::invokeMethod(this, [this] { avisado_ = false; }, Qt::QueuedConnection);
    }

private:
    explicit AvisoDeAlteracoes(QTableWidget *tabela) : QObject(tabela), tabela_(tabela) { setObjectName(nome()); }
    static QString nome() { return QStringLiteral("orvo-aviso-de-alteracoes"); }

    void avisa()
    {
        QAbstractItemModel *modelo = tabela_->model();
        if (modelo->rowCount() > 0 && modelo->columnCount() > 0)
            emit modelo->dataChanged(modelo->index(0, 0),
                                     modelo->index(modelo->rowCount() - 1, modelo->columnCount() - 1));
    }

    QTableWidget *tabela_;
    bool avisado_ = false;
};

Grade::Grade(QTableWidget *tabela, QColor corCelula)
    : tabela_(tabela), aviso_(tabela ? AvisoDeAlteracoes::da(tabela) : nullptr), corCelula_(corCelula)
{
}

// Cell writes without the model's per-cell signal, then the one notice.
// Rows are never added inside: the view must hear of those at once.
template <typename Escrita>
void Grade::escreve(Escrita escrita)
{
    {
        const QSignalBlocker silencio(tabela_->model());
        escrita();
    }
    aviso_->agenda();
}

namespace {
// A new display-only cell with the grid's cell colour: a copy of one made
// cell, which shares its settings until written, costs less than setting them
// on every cell of thousands of new rows.
QTableWidgetItem *novaCelula(const QColor &cor)
{
    thread_local QTableWidgetItem modelo;
    thread_local std::optional<QColor> corDoModelo;
    if (corDoModelo != cor) {
        modelo.setBackground(cor);
        modelo.setForeground(Qt::black);
        modelo.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        corDoModelo = cor;
    }
    return modelo.clone();
}

QTableWidgetItem *celula(QTableWidget *tabela, int row, int col, const QColor &cor)
{
    QTableWidgetItem *item = tabela->item(row - 1, col - 1);
    if (!item) {
        item = novaCelula(cor);
        tabela->setItem(row - 1, col - 1, item);
    }
    return item;
}
} // namespace

void Grade::garanteLinha(int row)
{
    if (row > tabela_->rowCount()) {
        tabela_->setRowCount(row);
        linhasNovas_ = true;
    }
}

void Grade::concluiPreenchimento()
{
    // The view lays out added rows on a timer of its own, which runs after the
    // window's next paint and makes it paint the whole grid again; laid out
    // now, the rows are painted in that same paint.
    if (linhasNovas_)
        tabela_->doItemsLayout();
    linhasNovas_ = false;
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
    escreve([&] { celula(tabela_, row_, col_, corCelula_)->setText(texto); });
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
    if (col_ == -1 || row_ == -1) {
        const int primeiraCol = col_ == -1 ? 1 : col_;
        const int ultimaCol = col_ == -1 ? tabela_->columnCount() : std::min(col_, tabela_->columnCount());
        const int primeiraRow = row_ == -1 ? 1 : row_;
        const int ultimaRow = row_ == -1 ? tabela_->rowCount() : std::min(row_, tabela_->rowCount());
        escreve([&] {
            for (int r = primeiraRow; r <= ultimaRow; ++r)
                for (int c = primeiraCol; c <= ultimaCol; ++c) {
                    QTableWidgetItem *item = tabela_->item(r - 1, c - 1);
                    if (item && item->background().color() != cor)
                        item->setBackground(cor);
                }
        });
        return;
    }
    if (col_ < 1 || row_ < 1 || col_ > tabela_->columnCount())
        return;
    garanteLinha(row_);
    escreve([&] { celula(tabela_, row_, col_, corCelula_)->setBackground(cor); });
}

void Grade::defineAcao(int acao)
{
    if (acao != AcaoLimpaTexto)
        return;
    const int primeiraCol = col_ == -1 ? 1 : col_;
    const int ultimaCol = col_ == -1 ? tabela_->columnCount() : col_;
    const int primeiraRow = row_ == -1 ? 1 : row_;
    const int ultimaRow = row_ == -1 ? tabela_->rowCount() : row_;
    escreve([&] {
        for (int r = primeiraRow; r <= ultimaRow; ++r)
            for (int c = primeiraCol; c <= ultimaCol; ++c) {
                QTableWidgetItem *item = tabela_->item(r - 1, c - 1);
                if (item && !item->text().isEmpty())
                    item->setText(QString());
            }
    });
}

int Grade::linhas() const { return tabela_->rowCount(); }
int Grade::colunas() const { return tabela_->columnCount(); }

QString Grade::cabecalho(int col) const
{
    const QTableWidgetItem *item = tabela_->horizontalHeaderItem(col - 1);
    return item ? item->text() : QString();
}

void Grade::ajustaColunaAoTexto(int col)
{
    if (col < 1 || col > tabela_->columnCount())
        return;
    if (largurasDesenhadas_.size() != tabela_->columnCount()) {
        largurasDesenhadas_.resize(tabela_->columnCount());
        for (int c = 0; c < tabela_->columnCount(); ++c)
            largurasDesenhadas_[c] = tabela_->columnWidth(c);
    }
    const QFontMetrics medida(tabela_->font());
    // The cell's own margins, as the view's style draws them.
    const int margens = 2 * (tabela_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tabela_) + 1) + 2;
    // Only the longest texts are measured: a grid of thousands of rows would
    // otherwise spend a measurement on each, and amounts are written in digits
    // of one width.
    qsizetype maisLongo = 0;
    for (int r = 0; r < tabela_->rowCount(); ++r)
        if (const QTableWidgetItem *item = tabela_->item(r, col - 1))
            maisLongo = std::max(maisLongo, item->text().size());
    int largura = largurasDesenhadas_.at(col - 1);
    for (int r = 0; r < tabela_->rowCount() && maisLongo > 0; ++r) {
        const QTableWidgetItem *item = tabela_->item(r, col - 1);
        if (item && item->text().size() == maisLongo)
            largura = std::max(largura, medida.horizontalAdvance(item->text()) + margens);
    }
    if (tabela_->columnWidth(col - 1) != largura)
        tabela_->setColumnWidth(col - 1, largura);
}
