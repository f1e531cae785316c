// The notice window on screens of different sizes and scales: the designed
// geometry where it fits, a window that fits the screen with every control
// reachable where it does not. Each screen is a run of this program of its
// own (the scale of a process is fixed at its start).
#include "notice/FrmRobo.h"
#include "startup/Aplicacao.h"
#include "toolkit/Toolkit.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

namespace {

// In the run on the screen asked for: the window's size, the screen's
// available area and how many of the controls can be brought into view.
int mede(int argc, char *argv[])
{
    QApplication app(argc, argv);
    toolkit::ativaObservacao(true);
    Aplicacao::instancia(); // the program the window belongs to
    FrmRobo &j = FrmRobo::instancia();
    j.trmEsconde.defineAtivo(false); // no database here: no notice is read
    const QRect disponivel = QGuiApplication::primaryScreen()->availableGeometry();
    auto *rolagem = j.findChild<QScrollArea *>();
    const QList<QWidget *> controles{j.cmdAvisar, j.txtHora, j.cmdFechar, j.tabelaRec, j.tabelaPag,
                                     j.lblTotalAberto, j.lblTotalGeral, j.lblTotalPago, j.Label3[1]};
    j.resize(j.size()); // laid out at its size
    j.show();
    QCoreApplication::processEvents();
    int alcancaveis = 0;
    for (QWidget *c : controles) {
        if (rolagem)
            rolagem->ensureWidgetVisible(c, 0, 0);
        QCoreApplication::processEvents();
        const QRect naJanela(c->mapTo(&j, QPoint(0, 0)), c->size());
        if (QRect(QPoint(0, 0), j.size()).contains(naJanela))
            ++alcancaveis;
    }
    std::printf("%d %d %d %d %d %d %s\n", j.width(), j.height(), disponivel.width(), disponivel.height(), alcancaveis,
                int(controles.size()), rolagem ? "ajustada" : "projetada");
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace

class TestFrmRoboTela : public QObject {
    Q_OBJECT
    QTemporaryDir pasta;

    QString tela(int largura, int altura)
    {
        const QString arquivo = pasta.filePath(QStringLiteral("tela-%1x%2.json").arg(largura).arg(altura));
        QFile f(arquivo);
        if (f.open(QIODevice::WriteOnly))
            f.write(QStringLiteral("{ \"screens\": [ { \"name\": \"tela\", \"x\": 0, \"y\": 0, \"width\": %1, "
                                   "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96 } ] }")
                        .arg(largura).arg(altura).toUtf8());
        return arquivo;
    }

private slots:
    void tamanho_data()
    {
        QTest::addColumn<int>("largura");
        QTest::addColumn<int>("altura");
        QTest::addColumn<QString>("escala");
        QTest::addColumn<QString>("modo");
        QTest::newRow("1280x1024 100%") << 1280 << 1024 << "1" << "projetada";
        QTest::newRow("1024x680 100%") << 1024 << 680 << "1" << "projetada";
        QTest::newRow("1280x1024 150%") << 1280 << 1024 << "1.5" << "ajustada";
        QTest::newRow("800x600 100%") << 800 << 600 << "1" << "ajustada";
    }
    void tamanho()
    {
        QFETCH(int, largura);
        QFETCH(int, altura);
        QFETCH(QString, escala);
        QFETCH(QString, modo);
        QProcess p;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"),
                        QStringLiteral("offscreen:configfile=") + tela(largura, altura));
        ambiente.insert(QStringLiteral("QT_SCALE_FACTOR"), escala);
        p.setProcessEnvironment(ambiente);
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--medir")});
        QVERIFY(p.waitForFinished(60000));
        const QStringList medidas = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().split(u' ');
        QVERIFY2(medidas.size() == 7, qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
        const int w = medidas[0].toInt(), h = medidas[1].toInt();
        const int dw = medidas[2].toInt(), dh = medidas[3].toInt();
        QCOMPARE(medidas[6], modo);
        QCOMPARE(medidas[4], medidas[5]); // every control can be brought into view
        if (modo == QLatin1String("projetada")) {
            QCOMPARE(QSize(w, h), QSize(998, 605));
        } else {
            QVERIFY2(w <= dw && h <= dh, qPrintable(medidas.join(u' ')));
            QVERIFY(w < 998 || h < 605);
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--medir") == 0)
        return mede(argc, argv);
    QApplication app(argc, argv);
    TestFrmRoboTela teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "tst_frmrobo_tela.moc"
