#pragma once
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "toolkit/Grade.h"
#include "toolkit/Janela.h"
#include "notice/LadosContas.h"
#include "listas/Listagem.h"

#include <QDate>
#include <QDateTime>
#include <QWidget>

class QAction;
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
    // Starts reading today's due accounts, through the program's connection
    // or the one given, and returns: the grids fill as the rows arrive, then
    // the three totals; the window is busy meanwhile. Then the summaries
    // below. A failure is reported, with nothing left on screen that was not read.
    void CarregaContas();
    void CarregaContas(bancodados::Conexao &conexao);

    // Starts reading how many instalments due before `dia` are still open, and
    // their sums, into the line under the grids (empty when there are none);
    // the window stays free meanwhile.
    void CarregaResumoVencidas(bancodados::Conexao &conexao, const QDate &dia);
    bool resumoVencidasPendente() const { return resumoPendente_; }

    // What a notice does once the program's queue lets it run: clears, shows
    // and reads.
    void iniciaAviso();

    // Event handlers.
    void cmdVencidas_Click();
    void cmdProximos_Click();
    void cmdAvisar_Click();
    void cmdFechar_Click();
    void trmEsconde_Timer();
    void mnuImprimir_Click();
    void mnuExportar_Click();

    // The two grids and their totals as last read, for printing or saving.
    listas::Listagem listagem() const;

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
    // Beside it: the button that opens the coming days' window.
    QPushButton *cmdProximos;
    // Not in the design: "Imprimir…" (Ctrl+P) and "Exportar…" (Ctrl+E), in
    // the grids' context menu and as the window's shortcuts.
    QAction *mnuImprimir;
    QAction *mnuExportar;

    Grade grdRec;
    Grade grdPag;
    Temporizador trmEsconde;

    // Writes rows delivered by a reading into the grid from its row cursor on,
    // adding up their amounts, and moves the cursor past them; the number of
    // rows written. With a valid `atrasoAte`, column 6 gets the days each one
    // is late by then.
    static int preencheGrade(Grade &grade, bancodados::Registros &registros, double &total,
                             const QDate &atrasoAte = QDate());

signals:
    // The notice's tick: a notice is asked for.
    void avisoPedido();
    // After each reading of the grids: what it found, or that it failed.
    void contasLidas(const ResumoContas &resumo);
    void leituraFalhou(const ErroSistema &erro);
    // The notice's readings, the summaries included, have ended.
    void avisoTerminou();
    // "Ver vencidas": the overdue window is asked for.
    void vencidasPedidas();
    // "Próximos dias": the coming days' window is asked for.
    void aVencerPedidas();

private:
    explicit FrmRobo();
    ~FrmRobo() override;
    void Form_Load();
    void montaLayout();
    void montaAcessibilidade();
    void ajustaATela();
    void montaVencidas();
    void montaListas();

    // A reading of the notice failed: nothing unread stays on screen, the
    // error is reported.
    void falhouAoLer(const bancodados::Falha &falha, const QString &local);

    // Set after a refresh failed: the next notice opens the shared connection
    // again before querying.
    bool conexaoSuspeita_ = false;
    bool resumoPendente_ = false;
    // When the grids on screen were read; invalid while they hold no reading.
    QDateTime lidaEm_;
};

// The minute of the notice timer, in milliseconds; tests shorten it.
namespace agendamento {
int milissegundosPorMinuto();
void defineMilissegundosPorMinuto(int ms);
} // namespace agendamento
