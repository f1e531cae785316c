#include "notice/AparenciaAviso.h"
#include "toolkit/Fontes.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>

namespace aparencia {

const QColor CorJanela(192, 192, 192);
const QColor CorReceber(128, 128, 255);
const QColor CorPagar(255, 0, 0);
const QColor CorCelula(185, 255, 255);
const QColor CorPlanilha(250, 249, 207);

int px(int twips) { return (twips + 7) / 15; }

QRect retangulo(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QLabel *rotulo(QWidget *pai, const QString &texto, const QRect &onde, double pontos, Qt::Alignment alinhamento)
{
    auto *r = new QLabel(texto, pai);
    r->setObjectName(QString());
    r->setGeometry(onde);
    r->setFont(toolkit::fonteDoSistema(pontos));
    r->setAlignment(alinhamento);
    return r;
}

void pintaFundo(QWidget *w, const QColor &cor)
{
    w->setAutoFillBackground(true);
    QPalette paleta = w->palette();
    paleta.setColor(QPalette::Window, cor);
    paleta.setColor(QPalette::Button, cor);
    w->setPalette(paleta);
}

QTableWidget *grade(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo,
                    const QStringList &cabecalhos,
                    const QVector<double> &larguras, int linhas)
{
    const int colunas = int(cabecalhos.size());
    auto *t = new QTableWidget(linhas, colunas, pai);
    t->setObjectName(nome);
    t->setAccessibleName(titulo);
    t->setTabKeyNavigation(false);
    t->setGeometry(onde);
    t->setHorizontalHeaderLabels(cabecalhos);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont fonte = toolkit::fonteDoSistema(8.25);
    t->setFont(fonte);
    t->horizontalHeader()->setFont(fonte);
    // Headings wrap inside the tall heading row, as the designed grid shows them.
    t->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    for (int c = 0; c < colunas && c < larguras.size(); ++c)
        t->setColumnWidth(c, int(larguras[c] * 8.0 + 0.5));
    t->horizontalHeader()->setFixedHeight(int(21.70 * 4.0 / 3.0 + 0.5));
    t->verticalHeader()->setDefaultSectionSize(17);
    QPalette paleta = t->palette();
    paleta.setColor(QPalette::Base, CorPlanilha);
    paleta.setColor(QPalette::Text, Qt::black);
    t->setPalette(paleta);
    // The cells are copies of one, which share its settings until written;
    // nothing shows the table yet, so they go in without a signal each.
    QTableWidgetItem modelo;
    modelo.setBackground(CorCelula);
    modelo.setForeground(Qt::black);
    modelo.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    const QSignalBlocker silencio(t->model());
    for (int r = 0; r < linhas; ++r)
        for (int c = 0; c < colunas; ++c)
            t->setItem(r, c, modelo.clone());
    return t;
}

QTableWidget *gradeDeParcelas(QWidget *pai, const QRect &onde, const QString &nome, const QString &titulo, int linhas,
                              const QList<QPair<QString, double>> &extras)
{
    QStringList cabecalhos{QStringLiteral("Código Detalhe"), QStringLiteral("Descrição do Pagamento"),
                           QStringLiteral("Data Vencimento"), QStringLiteral("Valor"), QStringLiteral("Prov S/N")};
    QVector<double> larguras{8.5, 28.37, 8.12, 9.00, 5.12};
    for (const auto &[cabecalho, largura] : extras) {
        cabecalhos << cabecalho;
        larguras << largura;
    }
    return grade(pai, onde, nome, titulo, cabecalhos, larguras, linhas);
}

} // namespace aparencia
