#pragma once
#include "errors/ErroCorrente.h"
#include "notice/AgendaAviso.h"
#include "notice/LadosContas.h"
#include "platform/BancoDados.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <memory>

class Bandeja;
class FrmRobo;

// The program while it runs: the database connection the notice reads
// through, the notice's schedule, the tray icon and the desktop
// notifications. The notice window is the user's side of it.
class Aplicacao : public QObject {
    Q_OBJECT
public:
    static Aplicacao &instancia();

    // The connection opened at start-up.
    bancodados::Conexao &conexao() { return *conexao_; }
    std::unique_ptr<bancodados::Conexao> &conexaoPropria() { return conexao_; }
    AgendaAviso &agenda() { return *agenda_; }
    Bandeja *bandeja() const { return bandeja_.get(); } // none where the desktop has no tray

    // Called by the notice window as it is made.
    void acompanha(FrmRobo *janela);

    // The tray's "Avisar agora": what the notice's tick does, now.
    void avisaAgora();
    // The tray's "Sair": what the exit button does.
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
};
