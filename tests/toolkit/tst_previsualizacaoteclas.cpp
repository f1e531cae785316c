#include "base/ErroCorrente.h"
#include "toolkit/Controle.h"
#include "toolkit/PreVisualizacaoTeclas.h"
#include "toolkit/Toolkit.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

// The window's key preview: which keys are handed over, with which code, and
// what the answer does to the key.
class TstPreVisualizacaoTeclas : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void codigos_data();
    void codigos();
    void respostas_data();
    void respostas();
    void soOControleAtivo();
    void teclasEnviadasPassamPelaPreVisualizacao();
    void erroDoManipuladorEncerra();

private:
    QWidget *janela = nullptr;
    QLineEdit *caixa = nullptr;
    QLineEdit *outra = nullptr;
    QList<int> recebidas;
    std::function<int(Controle &, int)> resposta;
};

void TstPreVisualizacaoTeclas::init()
{
    toolkit::ativaObservacao(true);
    toolkit::limpaObservacao();
    recebidas.clear();
    resposta = [](Controle &, int tecla) { return tecla; };
    janela = new QWidget;
    auto *layout = new QVBoxLayout(janela);
    caixa = new QLineEdit(janela);
    outra = new QLineEdit(janela);
    layout->addWidget(caixa);
    layout->addWidget(outra);
    instalaPreVisualizacaoTeclas(janela, [this](Controle &controle, int tecla) {
        recebidas.append(tecla);
        return resposta(controle, tecla);
    });
    janela->show();
    QApplication::setActiveWindow(janela);
    caixa->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(janela));
}

void TstPreVisualizacaoTeclas::cleanup()
{
    delete janela;
    janela = nullptr;
}

void TstPreVisualizacaoTeclas::codigos_data()
{
    QTest::addColumn<int>("tecla");
    QTest::addColumn<int>("modificadores");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("codigo"); // -1: not handed over

    const int nenhum = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("letra") << int(Qt::Key_A) << nenhum << "a" << 97;
    QTest::newRow("maiuscula") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << 65;
    QTest::newRow("virgula") << int(Qt::Key_Comma) << nenhum << "," << 44;
    QTest::newRow("ponto") << int(Qt::Key_Period) << nenhum << "." << 46;
    QTest::newRow("espaco") << int(Qt::Key_Space) << nenhum << " " << 32;
    QTest::newRow("cedilha") << int(Qt::Key_Ccedilla) << nenhum << QString(QChar(0xE7)) << 231;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << nenhum << "\b" << 8;
    QTest::newRow("tab") << int(Qt::Key_Tab) << nenhum << "\t" << 9;
    QTest::newRow("enter") << int(Qt::Key_Return) << nenhum << "\r" << 13;
    QTest::newRow("enter do teclado numerico") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << nenhum << QString(QChar(27)) << 27;
    QTest::newRow("ctrl a") << int(Qt::Key_A) << ctrl << QString(QChar(1)) << 1;
    QTest::newRow("ctrl z") << int(Qt::Key_Z) << ctrl << QString(QChar(26)) << 26;
    QTest::newRow("ctrl shift c") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << "" << 3;
    QTest::newRow("digito do teclado numerico") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5" << 53;
    QTest::newRow("seta") << int(Qt::Key_Left) << nenhum << "" << -1;
    QTest::newRow("home") << int(Qt::Key_Home) << nenhum << "" << -1;
    QTest::newRow("end") << int(Qt::Key_End) << nenhum << "" << -1;
    QTest::newRow("delete") << int(Qt::Key_Delete) << nenhum << QString(QChar(127)) << -1;
    QTest::newRow("f1") << int(Qt::Key_F1) << nenhum << "" << -1;
    QTest::newRow("shift sozinho") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("alt letra") << int(Qt::Key_A) << int(Qt::AltModifier) << "a" << -1;
    QTest::newRow("ctrl digito") << int(Qt::Key_1) << ctrl << "1" << -1;
}

void TstPreVisualizacaoTeclas::codigos()
{
    QFETCH(int, tecla);
    QFETCH(int, modificadores);
    QFETCH(QString, texto);
    QFETCH(int, codigo);
    QKeyEvent evento(QEvent::KeyPress, tecla, Qt::KeyboardModifiers(modificadores), texto);
    QCOMPARE(codigoDaTecla(evento), codigo);

    // The same key through the window: handed over only when it has a code.
    resposta = [](Controle &, int) { return 0; };
    QTest::sendKeyEvent(QTest::Press, caixa, Qt::Key(tecla), texto, Qt::KeyboardModifiers(modificadores));
    QCOMPARE(recebidas, codigo < 0 ? QList<int>{} : QList<int>{codigo});
}

void TstPreVisualizacaoTeclas::respostas_data()
{
    QTest::addColumn<int>("resposta");
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<int>("posicao");
    // "xyz" with "y" selected, "a" typed.
    QTest::newRow("engole") << 0 << "xyz" << 2;
    QTest::newRow("mesma tecla") << int('a') << "xaz" << 2;
    QTest::newRow("outro caractere") << int('b') << "xbz" << 2;
    QTest::newRow("backspace") << 8 << "xz" << 1;
    QTest::newRow("acentuado") << 0xE9 << QString("x") + QChar(0xE9) + "z" << 2;
}

void TstPreVisualizacaoTeclas::respostas()
{
    QFETCH(int, resposta);
    QFETCH(QString, esperado);
    QFETCH(int, posicao);
    this->resposta = [resposta](Controle &, int) { return resposta; };
    caixa->setText(QStringLiteral("xyz"));
    caixa->setSelection(1, 1);
    QTest::keyClick(caixa, 'a');
    QCOMPARE(recebidas, QList<int>{'a'}); // the replacement is not handed over again
    QCOMPARE(caixa->text(), esperado);
    QCOMPARE(caixa->cursorPosition(), posicao);
    QCOMPARE(caixa->hasSelectedText(), resposta == 0);
}

void TstPreVisualizacaoTeclas::soOControleAtivo()
{
    resposta = [](Controle &, int) { return 0; };
    // A control without the focus, and a control of another window.
    QTest::keyClick(outra, 'a');
    QWidget outraJanela;
    auto *alheia = new QLineEdit(&outraJanela);
    outraJanela.show();
    alheia->setFocus();
    QTest::keyClick(alheia, 'b');
    QVERIFY(recebidas.isEmpty());
    QCOMPARE(outra->text(), QStringLiteral("a"));
    QCOMPARE(alheia->text(), QStringLiteral("b"));

    // The handler sees the active control's properties.
    QString tag;
    caixa->setProperty("Tag", QStringLiteral("C(NU018)"));
    resposta = [&tag](Controle &controle, int tecla) {
        tag = controle.Tag();
        return tecla;
    };
    QTest::keyClick(caixa, 'c');
    QCOMPARE(tag, QStringLiteral("C(NU018)"));
    QCOMPARE(caixa->text(), QStringLiteral("c"));
}

void TstPreVisualizacaoTeclas::teclasEnviadasPassamPelaPreVisualizacao()
{
    resposta = [](Controle &, int tecla) {
        if (tecla == 'x') {
            toolkit::enviaTeclas(QStringLiteral("y,"));
            return 0;
        }
        return tecla;
    };
    QTest::keyClick(caixa, 'x');
    QCOMPARE(caixa->text(), QString());
    QCoreApplication::processEvents();
    QCOMPARE(recebidas, (QList<int>{'x', 'y', ','}));
    QCOMPARE(caixa->text(), QStringLiteral("y,"));

    // A queued Tab is previewed too, and moves the focus on when let through.
    resposta = [](Controle &, int tecla) {
        if (tecla == 'q') {
            toolkit::enviaTeclas(QString(QChar(9)));
            return 0;
        }
        return tecla;
    };
    QTest::keyClick(caixa, 'q');
    QCoreApplication::processEvents();
    QCOMPARE(recebidas.mid(3), (QList<int>{'q', 9}));
    QVERIFY(outra->hasFocus());
}

void TstPreVisualizacaoTeclas::erroDoManipuladorEncerra()
{
    resposta = [](Controle &, int) -> int { throw ErroSistema(13, QStringLiteral("Tipos incompatíveis")); };
    QTest::keyClick(caixa, 'a');
    QCOMPARE(toolkit::statusDeEncerramento(), std::optional<int>(1));
    QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
    QCOMPARE(caixa->text(), QString()); // the key was not taken
    limpaErroCorrente();
}

QTEST_MAIN(TstPreVisualizacaoTeclas)
#include "tst_previsualizacaoteclas.moc"
