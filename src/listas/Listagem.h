#pragma once
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class Grade;
class QTableWidget;

// A list as a window shows it, kept apart from the window: what is printed or
// saved is what was on screen when the user asked, whatever the window reads
// afterwards.
namespace listas {

// Headings and rows of cell texts, as shown.
struct Tabela {
    QStringList cabecalhos;
    QList<QStringList> linhas;
    // Columns (0-based) that hold amounts: right-aligned on paper, written
    // without grouping in a CSV file.
    QList<int> colunasDeValor;
};

// One side of the window.
struct Lado {
    QString nome;   // "Receber", "Pagar": the CSV's "Lado"
    QString titulo; // the heading over the grid, "Contas a Receber"
    Tabela tabela;
    QString rotuloTotal; // "Total Receber"
    QString total;       // the total as shown
};

struct TabelaExtra {
    QString titulo;
    Tabela tabela;
};

struct Listagem {
    QString titulo;    // the window's title
    QDateTime lidaEm;  // when its lists were read; invalid when not read
    QString prefixoArquivo; // the default file name's start: "contas", "vencidas"
    QList<Lado> lados;
    // Lines after the sides, as label and value ("Pagar-Receber", "100,25").
    QList<std::pair<QString, QString>> resumo;
    std::optional<TabelaExtra> extra; // e.g. a day-by-day table
};

// A grid as shown: its headings and the rows written from the first down to
// the first row with no text at all; `colunaValor` (1-based, as the grid's
// cursors) holds the amounts. The grid's cursors are left as they were.
Tabela tabelaDaGrade(const Grade &grade, int colunaValor);

// A plain table widget as shown, down to the first row whose first cell is
// empty; `colunasDeValor` (0-based) hold amounts.
Tabela tabelaDoQuadro(const QTableWidget *quadro, const QList<int> &colunasDeValor = {});

// "contas-2026-12-10.csv": the prefix and the day, the same on every workstation.
QString nomeArquivoPadrao(const QString &prefixo, const QDate &dia);

// "10/12/2026 às 14:32", in the workstation's short date; empty when not read.
QString textoDaLeitura(const QDateTime &lidaEm);

} // namespace listas
