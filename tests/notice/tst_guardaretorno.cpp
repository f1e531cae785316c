// The returning notice does not take a stray key or click for the user's.
#include "ApoioAviso.h"
#include "notice/GuardaRetorno.h"
#include "support/DesktopTeste.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <memory>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;

namespace {
const int Guarda = 400; // milliseconds, in place of the 1.5 seconds
}

class TestGuardaRetorno : public QObject {
    Q_OBJECT
    std::unique_ptr<QLineEdit> outro;

    // The user confirms a short notice with the mouse, so the button keeps
    // the focus, and the window comes back.
    FrmRobo &confirmaEVolta()
    {
        FrmRobo &j = FrmRobo::instancia();
        j.txtHora->setText(QStringLiteral("0.05"));
        QTest::mouseClick(j.cmdAvisar, Qt::LeftButton);
        if (j.isVisible())
            return j;
        // Meanwhile the user types in another program.
        outro.reset(new QLineEdit);
        outro->setWindowTitle(QStringLiteral("outro programa"));
        outro->show();
        outro->activateWindow();
        if (!QTest::qWaitForWindowActive(outro.get()))
            qWarning("o outro programa não ficou ativo");
        QTest::keyClicks(outro.get(), QStringLiteral("abc"));
        if (!QTest::qWaitFor([&] { return j.isVisible() && !j.trmEsconde.ativo(); }, 10000) || !esperaLeituras())
            qWarning("o aviso não voltou");
        return j;
    }

private slots:
    // The buttons are guarded for a second and a half after each return.
    void initTestCase() { QCOMPARE(guardaretorno::milissegundos(), 1500); }
    void init()
    {
        iniciaCaso(QDate());
        agendamento::defineMilissegundosPorMinuto(200);
        guardaretorno::defineMilissegundos(Guarda);
    }
    void cleanup()
    {
        outro.reset();
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
        QVERIFY(QTest::qWaitForWindowActive(&j));
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &j, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), j.cmdAvisar, 1000);
        auto aperta = [&] {
            switch (modo) {
            case 0: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); break;
            case 1: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Select); break;
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

// Runs on a desktop of its own, under a window manager, where the window
// comes back active with the focus on the button that had it.
int main(int argc, char *argv[])
{
    DesktopTeste desktop;
    if (desktop.display().isEmpty()) {
        if (qEnvironmentVariableIsSet("CI")) {
            std::fprintf(stderr, "Xvfb/openbox não iniciaram\n");
            return 1;
        }
        std::fprintf(stderr, "sem Xvfb/openbox: na tela offscreen\n");
    } else {
        qputenv("DISPLAY", desktop.display().toLatin1());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app(argc, argv);
    TestGuardaRetorno teste;
    return QTest::qExec(&teste, argc, argv);
}
#include "tst_guardaretorno.moc"
