// The notice window as assistive technology and the keyboard reach it.
#include "ApoioAviso.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

class TestFrmRoboAcessibilidade : public QObject {
    Q_OBJECT
    const QDate hoje = QDate(2026, 12, 8);

private slots:
    void init() { iniciaCaso(hoje); }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    void nomesEValores_data()
    {
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("valor");
        QTest::newRow("receber") << "lblTotalAberto" << "Total Receber: 5.990,45" << "";
        QTest::newRow("pagar") << "lblTotalPago" << "Total Pagar: 5.607,77" << "";
        QTest::newRow("diferenca") << "lblTotalGeral" << "Pagar-Receber: 382,68" << "";
        QTest::newRow("grdRec") << "grdRec" << "Contas a Receber" << "";
        QTest::newRow("grdPag") << "grdPag" << "Contas a Pagar" << "";
        QTest::newRow("txtHora") << "txtHora" << "Avisar daqui a Quantas Horas ?" << "1.00";
    }
    // Each control's name and value in the accessibility interfaces.
    void nomesEValores()
    {
        QFETCH(QString, controle);
        QFETCH(QString, nome);
        QFETCH(QString, valor);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Alfa"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("x"));
        d.parcela(1, 1, hoje, hoje, 1000.00);
        d.parcela(2, 1, hoje, hoje, 4990.45);
        d.fornecedor(1, QStringLiteral("Beta"));
        d.conta(20, "P", {}, 1, {}, QStringLiteral("y"));
        d.parcela(30, 20, hoje, hoje, 5607.77);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        auto *w = FrmRobo::instancia().findChild<QWidget *>(controle);
        QVERIFY(w);
        QAccessibleInterface *ai = QAccessible::queryAccessibleInterface(w);
        QVERIFY(ai);
        QCOMPARE(ai->text(QAccessible::Name), nome);
        if (!valor.isEmpty())
            QCOMPARE(ai->text(QAccessible::Value), valor);
    }

    // Tab goes through the designed order, each grid one stop, then the
    // overdue and the coming days' buttons; the arrow keys move inside a grid.
    void ordemDeTabulacao()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(QTest::qWaitForWindowActive(&j));
        QCOMPARE(QApplication::focusWidget(), j.cmdAvisar);
        const QList<QWidget *> ordem{j.tabelaRec, j.tabelaPag, j.cmdFechar, j.txtHora, j.cmdVencidas, j.cmdProximos,
                                    j.cmdAvisar};
        for (QWidget *proximo : ordem) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), proximo);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), j.tabelaRec);
        j.tabelaRec->setCurrentCell(0, 0);
        QTest::keyClick(j.tabelaRec, Qt::Key_Down);
        QTest::keyClick(j.tabelaRec, Qt::Key_Right);
        QCOMPARE(j.tabelaRec->currentRow(), 1);
        QCOMPARE(j.tabelaRec->currentColumn(), 1);
        QCOMPARE(QApplication::focusWidget(), j.tabelaRec);
        QTest::keyClick(j.tabelaRec, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), j.cmdAvisar);
    }
};

QTEST_MAIN(TestFrmRoboAcessibilidade)
#include "tst_frmrobo_acessibilidade.moc"
