#pragma once
#include "base/ErroCorrente.h"
#include "notice/AgendaAviso.h"
#include "notice/LadosContas.h"
#include "notice/ProgramaDoAviso.h"
#include "database/BancoDados.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <memory>

class Bandeja;
class FrmRobo;

// The program while it runs: the database connection the notice reads
// through, the notice's schedule, the tray icon and the desktop
// notifications. The notice window is the user's side of it.
class Aplicacao : public QObject, public ProgramaDoAviso {
    Q_OBJECT
public:
    static Aplicacao &instancia();

    // The connection opened at start-up.
    bancodados::Conexao &conexao() override { return *conexao_; }
    std::unique_ptr<bancodados::Conexao> &conexaoPropria() { return conexao_; }
    AgendaAviso &agenda() override { return *agenda_; }
    Bandeja *bandeja() const { return bandeja_.get(); } // none where the desktop has no tray

    // Called by the notice window as it is made.
    void acompanha(FrmRobo *janela) override;

    // Every way a notice is asked for comes here: the notice's tick, the
    // wall-clock deadline and the wake-up (through the tick), the tray's
    // "Avisar agora" and a second start of the program. One reading at a
    // time: a request that arrives while the notice is being read is merged
    // into it; one that arrives during another reading, or while a message
    // box is open, is carried out once that has ended.
    void pedeAviso();
    // "Ver vencidas" and the tray's "Contas vencidas": the overdue window,
    // read through the same queue.
    void pedeVencidas();
    // "Próximos dias", the tray's entry of the same name and the window's own
    // "Atualizar": "Contas a Vencer", read through the same queue.
    void pedeAVencer() override;
    // A reading runs: the notice's (with its summaries) or another window's.
    bool lendo() const { return emCurso_ != Leitura::Nenhuma; }
    // A request waits for its turn.
    bool temPedido() const { return avisoPendente_ || vencidasPendente_ || aVencerPendente_; }
    // The tray's "Avisar agora".
    void avisaAgora();
    // The tray's "Sair": what the exit button does; during a reading the
    // program ends at once.
    void sai();

    // The texts shown about the last reading, for the window's status line,
    // the tray's tooltip and the notification.
    static QString textoAtualizado(const QDateTime &quando);
    static QString corpoNotificacao(const ResumoContas &resumo);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    explicit Aplicacao(QObject *pai);
    ~Aplicacao() override;
    enum class Leitura { Nenhuma, Aviso, Resumos, Vencidas, AVencer };
    // Starts what is waiting, if nothing runs and no message box is open;
    // always from the event loop, never inside the caller of a request.
    void agendaFila();
    void processaFila();
    // A reading has ended, read or failed.
    void leituraTerminou();
    void leu(const ResumoContas &resumo);
    void falhou(const ErroSistema &erro);
    void atualizaDica();

    std::unique_ptr<bancodados::Conexao> conexao_;
    AgendaAviso *agenda_;
    std::unique_ptr<Bandeja> bandeja_;
    QPointer<FrmRobo> janela_;
    const QObject *janelaObservada_ = nullptr;
    bool voltando_ = false;
    QDateTime semConexaoDesde_;
    Leitura emCurso_ = Leitura::Nenhuma;
    bool avisoPendente_ = false;
    bool vencidasPendente_ = false;
    bool aVencerPendente_ = false;
    bool filaAgendada_ = false;
};
