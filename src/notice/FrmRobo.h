#pragma once
#include "errors/ErroCorrente.h"
#include "platform/BancoDados.h"
#include "platform/Grade.h"
#include "platform/Janela.h"
#include "notice/LadosContas.h"

#include <QDate>
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

    // Reads how many instalments due before `dia` are still open, and their
    // sums, into the line under the grids; empty when there are none.
    void CarregaResumoVencidas(bancodados::Conexao &conexao, const QDate &dia);
    // Starts those summaries on the connection's thread; the line is written
    // when they are read, while the window stays free.
    void aguardaResumoVencidas(bancodados::Conexao &conexao, const QDate &dia);
    bool resumoVencidasPendente() const;
    // Writes the line now when its summaries are still pending, waiting for
    // them: a reading behind them on the connection would wait as long.
    void concluiResumoVencidas();

    // Event handlers.
    void cmdVencidas_Click();
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
    // Beside the design: the overdue instalments' line and the button that
    // opens their window.
    QLabel *lblVencidas;
    QPushButton *cmdVencidas;
    QTimer *trmVencidas;

    Grade grdRec;
    Grade grdPag;
    Temporizador trmEsconde;

signals:
    // After each reading: what it found, or that it failed.
    void contasLidas(const ResumoContas &resumo);
    void leituraFalhou(const ErroSistema &erro);

private:
    explicit FrmRobo();
    ~FrmRobo() override;
    void Form_Load();
    void montaLayout();
    void montaAcessibilidade();
    void ajustaATela();
    void montaVencidas();

    friend class FrmVencidas;
    // Writes the instalments from row 1 on and adds up their amounts; the
    // number of rows written. With a valid `atrasoAte`, column 6 gets the days
    // each one is late by then.
    static int preencheGrade(Grade &grade, bancodados::Registros &registros, double &total,
                             const QDate &atrasoAte = QDate());

    // Set after a refresh failed: the next notice opens the shared connection
    // again before querying.
    bool conexaoSuspeita_ = false;
    QDate diaDoResumo_; // the day of the summaries being read
    bancodados::Conexao *conexaoDoResumo_ = nullptr; // and the connection reading them
};

// The minute of the notice timer, in milliseconds; tests shorten it.
namespace agendamento {
int milissegundosPorMinuto();
void defineMilissegundosPorMinuto(int ms);
} // namespace agendamento
