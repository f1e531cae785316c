#pragma once
#include "listas/Listagem.h"
#include "notice/SaldosPorDia.h"
#include "toolkit/Grade.h"

#include <QDate>
#include <QDateTime>
#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
namespace bancodados {
class Conexao;
struct Falha;
} // namespace bancodados

// "Contas a Vencer": the instalments falling due from tomorrow through the
// chosen number of days that are neither paid nor cancelled, receivables left
// and payables right as in the notice, each side's total, and under them the
// balance of each day and its running sum. Modeless; read afresh every time it
// is opened and by "Atualizar".
class FrmAVencer : public QWidget {
    Q_OBJECT
public:
    enum { DiasMinimo = 1, DiasMaximo = 60, DiasPadrao = 7 };

    static FrmAVencer &instancia();
    static bool carregada();

    // Starts reading the coming days (as many as the box says) and shows the
    // window once they are read, or with what went wrong: what the notice's
    // "Próximos dias" button, the tray's entry and "Atualizar" come to
    // through the program's queue.
    static void abre();

    // Starts reading the instalments due from the day after `hoje` through
    // the box's number of days after it, through `conexao`.
    void CarregaAVencer(bancodados::Conexao &conexao, const QDate &hoje);

    void cmdAtualizar_Click();
    void cmdImprimir_Click();
    void cmdExportar_Click();
    void cmdFechar_Click();

    // What the window shows, as plain texts: each side, the day-by-day
    // table, and all of it as printed and saved.
    listas::Lado receber() const;
    listas::Lado pagar() const;
    listas::Tabela dias() const;
    listas::Listagem listagem() const;
    // When the lists shown were read (invalid while they show nothing).
    QDateTime lidoEm() const { return lidoEm_; }

    QLabel *lblDias;
    QSpinBox *spnDias;
    QPushButton *cmdAtualizar;
    QLabel *lblSituacao;
    QLabel *Label1;
    QLabel *Label2;
    QTableWidget *tabelaRec;
    QTableWidget *tabelaPag;
    QLabel *Label3[2];
    QLabel *lblTotalReceber;
    QLabel *lblTotalPagar;
    QLabel *lblSaldos;
    QTableWidget *tabelaDias;
    QPushButton *cmdImprimir;
    QPushButton *cmdExportar;
    QPushButton *cmdFechar;

    Grade grdRec;
    Grade grdPag;

signals:
    // The reading has ended, read or failed.
    void leituraTerminou();

private:
    explicit FrmAVencer(QWidget *dono);
    void montaLayout();
    void limpa();
    void mostraSaldos(const QVector<SaldoDoDia> &saldos);
    void falhou(const bancodados::Falha &falha);

    QDateTime lidoEm_;
};
