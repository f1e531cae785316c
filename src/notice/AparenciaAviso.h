#pragma once
#include <QColor>
#include <QList>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

class QLabel;
class QTableWidget;
class QWidget;

// The look the notice's windows share: designed positions in twips, the
// labels' font, the grey and coloured backgrounds and the grids' style.
namespace aparencia {

// Positions and sizes are designed in twips; 15 twips make one logical pixel.
int px(int twips);
QRect retangulo(int left, int top, int width, int height);

QLabel *rotulo(QWidget *pai, const QString &texto, const QRect &onde, double pontos,
               Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter);
void pintaFundo(QWidget *w, const QColor &cor);

extern const QColor CorJanela;    // the windows' grey
extern const QColor CorReceber;   // heading bar over the receivables
extern const QColor CorPagar;     // heading bar over the payables
extern const QColor CorCelula;    // a written cell
extern const QColor CorPlanilha;  // the grid behind the cells

// A display-only grid with the given headings and column widths (in the
// grid's character units of 8 pixels), the row-number column hidden, its
// cells made in advance for `linhas` rows; `titulo` is the name it gives
// assistive technology. One tab stop: the arrow keys move inside.
QTableWidget *grade(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo,
                    const QStringList &cabecalhos,
                    const QVector<double> &larguras, int linhas);

// The grid of instalments every window of the notice shows: the notice's five
// columns, then `extras` (heading and width) where a window has more.
QTableWidget *gradeDeParcelas(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo, int linhas,
                              const QList<QPair<QString, double>> &extras = {});
// Its column of amounts (1-based, as the grid's cursors).
constexpr int ColunaValor = 4;

} // namespace aparencia
