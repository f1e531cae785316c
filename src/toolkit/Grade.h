#pragma once
#include <QColor>
#include <QString>
#include <QVector>

class QTableWidget;
class AvisoDeAlteracoes;

// Spreadsheet grid operations over a Qt table widget: a column cursor and a row
// cursor (1-based; -1 means all columns or all rows), the text and background of
// the cell at the cursors, and action 12 that clears the text of the selected
// block. Writing below the last row adds rows, so no record is ever dropped.
// The table's view learns of written cells once per pass of the event loop (it
// paints only when control returns there), not cell by cell.
class Grade {
public:
    enum { AcaoLimpaTexto = 12 };

    explicit Grade(QTableWidget *tabela = nullptr, QColor corCelula = QColor());

    void defineCol(int col) { col_ = col; }
    void defineRow(int row) { row_ = row; }
    int col() const { return col_; }
    int row() const { return row_; }

    QString texto() const;
    void defineTexto(const QString &texto);
    QColor corFundo() const;
    // With a cursor at -1, every cell of the block gets the colour.
    void defineCorFundo(const QColor &cor);
    void defineAcao(int acao);

    // The column is made at least as wide as its widest text, so that no
    // amount is ever cut; it never gets narrower than designed.
    void ajustaColunaAoTexto(int col);

    // Called when a run of writes ends: rows added by it are laid out at once.
    void concluiPreenchimento();

    int linhas() const;
    int colunas() const;
    // The heading of a column (1-based).
    QString cabecalho(int col) const;
    QColor corCelulaNormal() const { return corCelula_; }

private:
    void garanteLinha(int row);
    template <typename Escrita> void escreve(Escrita escrita);

    QTableWidget *tabela_;
    AvisoDeAlteracoes *aviso_ = nullptr;
    QColor corCelula_;
    int col_ = 1;
    int row_ = 1;
    bool linhasNovas_ = false;
    QVector<int> largurasDesenhadas_;
};
