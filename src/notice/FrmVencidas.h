#pragma once
#include "listas/Listagem.h"
#include "toolkit/Grade.h"

#include <QDate>
#include <QDateTime>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

// "Contas Vencidas em Aberto": the instalments due before today that are
// neither paid nor cancelled, receivables left and payables right, the oldest
// first, with the days each one is late and each side's total. Modeless; read
// afresh every time it is opened.
class FrmVencidas : public QWidget {
    Q_OBJECT
public:
    static FrmVencidas &instancia();
    static bool carregada();

    // Starts reading the overdue instalments and shows the window once they
    // are read: what the notice's "Ver vencidas" button and the tray's
    // "Contas vencidas" entry come to through the program's queue. A failed
    // reading is reported and the window is not shown.
    static void abre();

    // Starts reading the instalments due before `dia` into both grids and
    // totals, through the program's connection.
    void CarregaVencidas(const QDate &dia);

    void cmdFechar_Click();
    void cmdImprimir_Click();
    void cmdExportar_Click();

    // Both grids and totals as last read, for printing or saving.
    listas::Listagem listagem() const;

    QLabel *Label1;
    QLabel *Label2;
    QTableWidget *tabelaRec;
    QTableWidget *tabelaPag;
    QLabel *Label3[2];
    QLabel *lblTotalReceber;
    QLabel *lblTotalPagar;
    QPushButton *cmdFechar;
    QPushButton *cmdImprimir;
    QPushButton *cmdExportar;

    Grade grdRec;
    Grade grdPag;

signals:
    // The reading has ended, read or failed.
    void leituraTerminou();

private:
    explicit FrmVencidas(QWidget *dono);
    void montaLayout();
    void limpa();

    QDateTime lidaEm_;
};
