// The returning notice does not take a stray key or click for the user's.
#include "ApoioAviso.h"
#include "notice/GuardaRetorno.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
const int Guarda = 400; // milliseconds, in place of the 1.5 seconds
}

class TestGuardaRetorno : public QObject {
    Q_OBJECT

    // The user confirms a short notice with the mouse, so the button keeps
    // the focus, and the window comes back.
    FrmRobo &confirmaEVolta()
    {
        FrmRobo &j = FrmRobo::instancia();
        j.txtHora->setText(QStringLiteral("0.01"));
        QTest::mouseClick(j.cmdAvisar, Qt::LeftButton);
        if (j.isVisible())
            return j;
        if (!QTest::qWaitFor([&] { return j.isVisible() && !j.trmEsconde.ativo(); }, 10000))
            qWarning("o aviso não voltou");
        return j;
    }

private slots:
    // The buttons are guarded for a second and a half after each return.
    void initTestCase() { QCOMPARE(guardaretorno::milissegundos(), 1500); }
    void init()
    {
        iniciaCaso(QDate());
        agendamento::defineMilissegundosPorMinuto(20);
        guardaretorno::defineMilissegundos(Guarda);
    }
    void cleanup()
    {
        ambienteaviso::encerraPrograma();
        guardaretorno::defineMilissegundos(1500);
    }


    void teclaEClique_data()
    {
        QTest::addColumn<int>("modo"); // 0 space, 1 select, 2 click on the focused button, 3 click on the exit button
        QTest::newRow("espaco") << 0;
        QTest::newRow("select") << 1;
        QTest::newRow("clique") << 2;
        QTest::newRow("clique-sair") << 3;
    }
    // Right after the return the key or click is dropped; after the guard the
    // same key or click does what it was designed to do.
    void teclaEClique()
    {
        QFETCH(int, modo);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        QVERIFY(QTest::qWaitForWindowActive(&j));
        // The first showing is no return: the button works at once.
        QCOMPARE(j.focusWidget(), j.cmdAvisar);

        confirmaEVolta();
        QVERIFY(j.isVisible());
        QCOMPARE(j.focusWidget(), j.cmdAvisar);
        auto aperta = [&] {
            switch (modo) {
            case 0: QTest::keyClick(j.focusWidget(), Qt::Key_Space); break;
            case 1: QTest::keyClick(j.focusWidget(), Qt::Key_Select); break;
            case 2: QTest::mouseClick(j.cmdAvisar, Qt::LeftButton); break;
            case 3: QTest::mouseClick(j.cmdFechar, Qt::LeftButton); break;
            }
        };
        aperta();
        QCoreApplication::processEvents();
        QVERIFY(j.isVisible());
        QVERIFY(!j.trmEsconde.ativo());
        QVERIFY(!toolkit::programaTerminouNormalmente());

        QTest::qWait(Guarda + 100);
        aperta();
        QCoreApplication::processEvents();
        if (modo == 3) {
            QTRY_VERIFY(toolkit::programaTerminouNormalmente());
        } else {
            QVERIFY(!j.isVisible());
            QVERIFY(j.trmEsconde.ativo());
        }
    }
};

QTEST_MAIN(TestGuardaRetorno)
#include "tst_guardaretorno.moc"
