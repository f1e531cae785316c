#pragma once
// An offscreen window whose key preview hands the keys of its text boxes to
// FormataTecla, for tests that type through real key events.
#include "format/FormataTecla.h"
#include "toolkit/Controle.h"
#include "toolkit/PreVisualizacaoTeclas.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

class JanelaTeclas {
public:
    // The first box carries the tag; the second only takes the focus on.
    explicit JanelaTeclas(const QString &tag, const QVariant &modo = QVariant())
    {
        auto *layout = new QVBoxLayout(&janela);
        caixa = new QLineEdit(&janela);
        proxima = new QLineEdit(&janela);
        layout->addWidget(caixa);
        layout->addWidget(proxima);
        caixa->setProperty("Tag", tag);
        instalaPreVisualizacaoTeclas(&janela, [this, modo](Controle &controle, int tecla) {
            teclasRecebidas.append(tecla);
            const int resultado = FormataTecla(controle, tecla, modo);
            resultados.append(resultado);
            return resultado;
        });
        janela.show();
        QApplication::setActiveWindow(&janela);
        caixa->setFocus();
        if (!QTest::qWaitForWindowActive(&janela))
            qWarning("the test window did not become active");
    }

    // Text, caret and selection before the keys.
    void prepara(const QString &texto, int posicao, int selecao = 0)
    {
        caixa->setText(texto);
        if (selecao > 0)
            caixa->setSelection(posicao, selecao);
        else
            caixa->setCursorPosition(posicao);
        caixa->setFocus();
        teclasRecebidas.clear();
        resultados.clear();
    }

    // Types each character as a key click, letting queued keystrokes arrive
    // after each one.
    void digita(const QString &teclas)
    {
        for (const QChar c : teclas) {
            QWidget *foco = QApplication::focusWidget() ? QApplication::focusWidget() : caixa;
            QTest::keyClick(foco, c.toLatin1());
            QCoreApplication::processEvents();
        }
    }

    void pressiona(Qt::Key tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier)
    {
        QTest::keyClick(caixa, tecla, modificadores);
        QCoreApplication::processEvents();
    }

    QWidget janela;
    QLineEdit *caixa;
    QLineEdit *proxima;
    QList<int> teclasRecebidas; // codes handed to the formatter, queued ones included
    QList<int> resultados;      // its answers, in the same order
};
