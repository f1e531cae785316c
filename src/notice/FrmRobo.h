#pragma once
#include "platform/BancoDados.h"
#include "platform/Grade.h"
#include "platform/Janela.h"
#include "notice/LadosContas.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

// The notice window: today's receivables (left) and payables (right) with
// their totals and difference, the delay box and the buttons. The program has
// one instance of it; hiding never unloads it.
class FrmRobo : public QWidget {
    Q_OBJECT
public:
    // The program's single instance, loaded on first use.
    static FrmRobo &instancia();
    static bool carregada();

    // Empties the text of both grids (colours and totals stay).
    void LimpaGrid();
    // Reads today's due accounts and fills the grids and the three totals,
    // through the program's connection or the one given.
    void CarregaContas();
    void CarregaContas(bancodados::Conexao &conexao);

    // Event handlers.
    void cmdAvisar_Click();
    void cmdFechar_Click();
    void trmEsconde_Timer();

    // Controls, as designed.
    QGroupBox *Frame1;
    QLabel *lblaviso;
    QLineEdit *txtHora;
    QPushButton *cmdAvisar;
    QPushButton *cmdFechar;
    QLabel *Label1;
    QLabel *Label2;
    QTableWidget *tabelaRec;
    QTableWidget *tabelaPag;
    QLabel *Label3[2];
    QLabel *lblTotalAberto;
    QGroupBox *Frame3;
    QLabel *lblTotalGeral1;
    QLabel *lblTotalGeral;
    QLabel *lblTotalPago;
    QTimer *timer;
    // Not in the design: when the grids were last read, or failed to be.
    QLabel *lblSituacao;

    Grade grdRec;
    Grade grdPag;
    Temporizador trmEsconde;

signals:
    // After each reading: what it found, or that it failed.
    void contasLidas(const ResumoContas &resumo);
    void leituraFalhou();

private:
    explicit FrmRobo();
    ~FrmRobo() override;
    void Form_Load();
    void montaLayout();
    void montaAcessibilidade();
    void ajustaATela();
    int preencheGrade(Grade &grade, bancodados::Registros &registros, double &total);

    // Set after a refresh failed: the next notice opens the shared connection
    // again before querying.
    bool conexaoSuspeita_ = false;
};

// The minute of the notice timer, in milliseconds; tests shorten it.
namespace agendamento {
int milissegundosPorMinuto();
void defineMilissegundosPorMinuto(int ms);
} // namespace agendamento
