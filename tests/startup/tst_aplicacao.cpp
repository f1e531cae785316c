// The running program: the tray icon and its menu, the status line of the
// window, and what both say after a failed reading.
#include "notice/ApoioAviso.h"

#include "base/ErroCorrente.h"
#include "notice/FrmAVencer.h"
#include "notice/FrmVencidas.h"
#include "desktop/Bandeja.h"
#include "startup/Aplicacao.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
QDateTime relogio;

QAction *item(const QString &texto)
{
    Bandeja *b = Aplicacao::instancia().bandeja();
    if (!b)
        return nullptr;
    for (QAction *a : b->menu()->actions())
        if (a->text() == texto)
            return a;
    return nullptr;
}

QString dica() { return Aplicacao::instancia().bandeja()->dica(); }
} // namespace

class TestAplicacao : public QObject {
    Q_OBJECT
    const QDate hoje = QDate(2026, 12, 8);

private slots:
    void init()
    {
        iniciaCaso(hoje);
        relogio = QDateTime(hoje, QTime(10, 0));
        agendamento::defineRelogio([] { return relogio; });
        agendamento::defineMilissegundosPorMinuto(60 * 1000);
    }
    void cleanup()
    {
        ambienteaviso::encerraPrograma();
        Bandeja::forcaDisponivel(false);
        agendamento::defineRelogio({});
    }

    // Where the desktop has no tray there is no icon, and the window behaves
    // as designed.
    void semBandejaNadaMuda()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QVERIFY(!Aplicacao::instancia().bandeja());
        QCOMPARE(FrmRobo::instancia().lblSituacao->text(), QStringLiteral("Atualizado às 10:00"));
    }

    // The status line, the overdue line, its button and the coming days'
    // button sit in free space of the designed window, and on none of each
    // other.
    void situacaoNaoCobreNada()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        FrmRobo &j = FrmRobo::instancia();
        // The window itself, or the designed sheet on a screen too small for it.
        QWidget *projeto = j.lblSituacao->parentWidget();
        QCOMPARE(projeto->size(), QSize(998, 605));
        for (QWidget *acrescentado : {static_cast<QWidget *>(j.lblSituacao), static_cast<QWidget *>(j.lblVencidas),
                                      static_cast<QWidget *>(j.cmdVencidas),
                                      static_cast<QWidget *>(j.cmdProximos)}) {
            QCOMPARE(acrescentado->parentWidget(), projeto);
            const QRect onde = acrescentado->geometry();
            QVERIFY(QRect(QPoint(0, 0), projeto->size()).contains(onde));
            for (QObject *filho : projeto->children()) {
                auto *w = qobject_cast<QWidget *>(filho);
                if (w && w != acrescentado)
                    QVERIFY2(!w->geometry().intersects(onde),
                             qPrintable(acrescentado->objectName() + QStringLiteral(" / ") + w->objectName()
                                        + w->metaObject()->className()));
            }
        }
    }

    // Tooltip while shown and while hidden; "Avisar agora" does what the
    // notice's tick does; failures are told by the icon and the status line
    // until a reading succeeds; "Sair" ends the program like the exit button.
    void bandejaMenuEFalhas()
    {
        Bandeja::forcaDisponivel(true);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        QVERIFY(iniciaComUmaParcela(amb, hoje));
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(Aplicacao::instancia().bandeja());
        QCOMPARE(dica(), QStringLiteral("Contas vencendo hoje na tela"));
        QCOMPARE(j.lblSituacao->text(), QStringLiteral("Atualizado às 10:00"));

        j.txtHora->setText(QStringLiteral("0.30"));
        j.cmdAvisar->click();
        QVERIFY(!j.isVisible());
        QCOMPARE(dica(), QStringLiteral("Próximo aviso às 10:30"));

        amb.dados().parcela(2, 1, hoje, hoje, 5.00);
        relogio = QDateTime(hoje, QTime(10, 7));
        QVERIFY(item(QStringLiteral("Avisar agora")));
        item(QStringLiteral("Avisar agora"))->trigger();
        QVERIFY(esperaLeituras());
        QVERIFY(j.isVisible());
        QVERIFY(!j.trmEsconde.ativo());
        QCOMPARE(linhasPreenchidas(j.grdRec), 2);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("15,00"));
        QCOMPARE(dica(), QStringLiteral("Contas vencendo hoje na tela"));
        QCOMPARE(j.lblSituacao->text(), QStringLiteral("Atualizado às 10:07"));

        // Readings through a connection that is not open fail.
        bancodados::Conexao semBanco;
        for (const QTime hora : {QTime(10, 40), QTime(10, 45)}) {
            relogio = QDateTime(hoje, hora);
            j.CarregaContas(semBanco);
            QTRY_COMPARE(j.lblSituacao->text(), QStringLiteral("Sem conexão com o banco de dados às ") + hora.toString("HH:mm"));
            QCOMPARE(dica(), QStringLiteral("Contas vencendo hoje na tela\nSem conexão com o banco de dados desde 10:40"));
        }
        // A database that answers with an error (another version of the sales
        // system, without a column the statements read): no line of a lost
        // connection, and the status line says the reading failed.
        Ambiente outraVersao(Backend::Embutido);
        EXIGE_AMBIENTE(outraVersao);
        bancoteste::executaIsql(QStringLiteral("ALTER TABLE ContaDet DROP PROVPAGAR;\nCOMMIT;\n"),
                                outraVersao.arquivoBanco());
        bancodados::Conexao semColuna;
        semColuna.abre(bancoteste::stringConexaoFirebird(outraVersao.arquivoBanco()));
        relogio = QDateTime(hoje, QTime(10, 47));
        j.CarregaContas(semColuna);
        QTRY_COMPARE(j.lblSituacao->text(), QStringLiteral("Erro ao ler as contas às 10:47"));
        QVERIFY(toolkit::mensagensMostradas().back().texto.contains(QStringLiteral("(Nº: -206)")));
        QCOMPARE(dica(), QStringLiteral("Contas vencendo hoje na tela"));

        item(QStringLiteral("Avisar agora"))->trigger();
        QVERIFY(esperaLeituras());
        QCOMPARE(j.lblSituacao->text(), QStringLiteral("Atualizado às 10:47"));
        QCOMPARE(dica(), QStringLiteral("Contas vencendo hoje na tela"));

        QVERIFY(item(QStringLiteral("Contas vencidas")));
        item(QStringLiteral("Contas vencidas"))->trigger();
        QTRY_VERIFY(FrmVencidas::carregada() && FrmVencidas::instancia().isVisible());
        FrmVencidas::instancia().cmdFechar_Click();
        QVERIFY(item(QStringLiteral("Próximos dias")));
        item(QStringLiteral("Próximos dias"))->trigger();
        QTRY_VERIFY(FrmAVencer::carregada() && FrmAVencer::instancia().isVisible());
        QCOMPARE(FrmAVencer::instancia().windowTitle(), QStringLiteral("Contas a Vencer"));
        FrmAVencer::instancia().cmdFechar_Click();

        QVERIFY(item(QStringLiteral("Sair")));
        item(QStringLiteral("Sair"))->trigger();
        QTRY_VERIFY(toolkit::programaTerminouNormalmente());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!FrmRobo::carregada());
        QVERIFY(!Aplicacao::instancia().bandeja());
    }
};

QTEST_MAIN(TestAplicacao)
#include "tst_aplicacao.moc"
