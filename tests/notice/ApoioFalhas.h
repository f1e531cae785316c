#pragma once
// Shared pieces of the fault tests: a known set of instalments, notices driven
// to their tick with the faults injected while the window is hidden, and the
// tally of faults injected, faults survived and rows lost or shown wrongly.
#include "ApoioAviso.h"
#include "errors/MostraErro.h"
#include "notice/ConsultasContas.h"

#include <QFile>
#include <QLineEdit>

namespace apoiofalhas {

// Today's instalments in the fixture, and the grid rows they must give (pt_BR).
inline const QDate Hoje = QDate(2026, 12, 8);

inline void preencheDados(bancoteste::Dados &d)
{
    d.cliente(1, QStringLiteral("Ana Lima"));
    d.cliente(2, QStringLiteral("Bruno Dias"));
    d.conta(1, "R", 1, {}, {}, QStringLiteral("Pedido 7"));
    d.conta(2, "R", 2, {}, {}, QStringLiteral("Serviço"));
    d.parcela(10, 1, Hoje, Hoje.addDays(-9), 150.00);
    d.parcela(11, 2, Hoje, Hoje.addDays(-4), 1234.56, "N", "N", QStringLiteral("S"));
    d.parcela(12, 2, Hoje.addDays(-1), Hoje, 99.00); // due yesterday: never shown
    d.fornecedor(1, QStringLiteral("Gráfica Norte"));
    d.plano(1, QStringLiteral("Energia"));
    d.conta(20, "P", {}, 1, {}, QStringLiteral("Cartazes"));
    d.conta(21, "P", {}, {}, 1, QStringLiteral("Dezembro"));
    d.parcela(30, 20, Hoje, Hoje, 80.10);
    d.parcela(31, 21, Hoje, Hoje, 310.00);
}

inline QList<QStringList> receberEsperado()
{
    return {{"10", "Ana Lima - Pedido 7", "08/12/2026", "150,00", "N"},
            {"11", "Bruno Dias - Serviço", "08/12/2026", "1.234,56", "S"}};
}

inline QList<QStringList> pagarEsperado()
{
    return {{"31", "Energia - Dezembro", "08/12/2026", "310,00", "N"},
            {"30", "Gráfica Norte - Cartazes", "08/12/2026", "80,10", "N"}};
}

// Rows missing, different or in excess against what the grid must show.
inline int linhasErradas(Grade &grade, const QList<QStringList> &esperadas)
{
    int erradas = 0;
    const int mostradas = apoioaviso::linhasPreenchidas(grade);
    for (int i = 0; i < esperadas.size(); ++i)
        if (i >= mostradas || apoioaviso::linha(grade, i + 1) != esperadas.at(i)) {
            qWarning("linha %d: %s em vez de %s", i + 1, qPrintable(apoioaviso::linha(grade, i + 1).join(u'|')),
                     qPrintable(esperadas.at(i).join(u'|')));
            ++erradas;
        }
    return erradas + qMax(0, mostradas - int(esperadas.size()));
}

// The grids and totals of the fixture, as the window shows them.
inline int linhasErradasNoAviso(const QList<QStringList> &receber = receberEsperado(),
                                const QList<QStringList> &pagar = pagarEsperado())
{
    FrmRobo &j = FrmRobo::instancia();
    return linhasErradas(j.grdRec, receber) + linhasErradas(j.grdPag, pagar);
}

inline int mensagensDeErro()
{
    int n = 0;
    for (const toolkit::MensagemMostrada &m : toolkit::mensagensMostradas())
        if (m.texto.endsWith(QStringLiteral("LOCAL: ORVO(CarregaContas)")))
            ++n;
    return n;
}

// Confirms a notice of one minute; once the window has hidden, runs the fault
// (if any), lets the minute pass at once and waits for the window to come back
// and its readings to end.
template <class Falha>
bool proximoAviso(Falha &&falha)
{
    FrmRobo &j = FrmRobo::instancia();
    j.txtHora->setText(QStringLiteral("0.01"));
    j.cmdAvisar_Click();
    if (j.isVisible() || !j.trmEsconde.ativo())
        return false;
    falha();
    j.trmEsconde.defineIntervalo(1);
    // Back, and read to the end (or the program ended while it read).
    return QTest::qWaitFor(
        [&] {
            return j.isVisible() && !j.trmEsconde.ativo()
                && (toolkit::statusDeEncerramento().has_value()
                    || (!Aplicacao::instancia().lendo() && !Aplicacao::instancia().temPedido()));
        },
        60000);
}
inline bool proximoAviso()
{
    return proximoAviso([] {});
}

// What one fault did to the program: it survived when the error report came
// (or the notice filled correctly anyway), the program did not end, the
// window came back, and the next notice after the repair filled correctly.
struct Contagem {
    QByteArray nome;
    int injetadas = 0;
    int sobrevividas = 0;
    int linhasErradas = 0;

    void imprime() const
    {
        qInfo("%s: falhas injetadas %d, falhas sobrevividas %d, linhas perdidas ou erradas %d", nome.constData(), injetadas,
              sobrevividas, linhasErradas);
    }
};

// Prints each fault's figures and their sum, at the end of a fault test.
inline void imprimeTotais(const QList<Contagem> &contagens)
{
    Contagem total{"total"};
    for (const Contagem &c : contagens) {
        c.imprime();
        total.injetadas += c.injetadas;
        total.sobrevividas += c.sobrevividas;
        total.linhasErradas += c.linhasErradas;
    }
    total.imprime();
}

// The window after a notice that met a fault: either the error report with
// empty grids, or (the fault not reaching the program) the right rows.
inline bool avisoSobreviveu(Contagem &c, int mensagensAntes)
{
    FrmRobo &j = FrmRobo::instancia();
    const bool vivo = !toolkit::statusDeEncerramento().has_value() && FrmRobo::carregada() && j.isVisible();
    const bool relatou = mensagensDeErro() == mensagensAntes + 1;
    const bool gradesVazias = apoioaviso::linhasPreenchidas(j.grdRec) == 0 && apoioaviso::linhasPreenchidas(j.grdPag) == 0;
    bool certo;
    if (relatou) {
        // Nothing read, nothing claimed: the totals are blank too.
        certo = gradesVazias && j.lblTotalAberto->text().isEmpty() && j.lblTotalPago->text().isEmpty()
            && j.lblTotalGeral->text().isEmpty();
        if (!gradesVazias)
            c.linhasErradas += apoioaviso::linhasPreenchidas(j.grdRec) + apoioaviso::linhasPreenchidas(j.grdPag);
    } else {
        const int erradas = linhasErradasNoAviso();
        c.linhasErradas += erradas;
        certo = erradas == 0 && mensagensDeErro() == mensagensAntes;
    }
    return vivo && certo;
}

} // namespace apoiofalhas
