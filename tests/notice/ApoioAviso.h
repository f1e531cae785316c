#pragma once
// Shared pieces of the notice tests: the backends as data rows and reading the grids.
#include "support/AmbienteAviso.h"

#include "regional/RetornaConfigWin.h"
#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"
#include "startup/Aplicacao.h"

#include <QLabel>
#include <QTest>

Q_DECLARE_METATYPE(ambienteaviso::Backend)

namespace apoioaviso {

inline void linhasPorBackend()
{
    using ambienteaviso::Backend;
    QTest::addColumn<Backend>("backend");
    for (Backend b : {Backend::Embutido, Backend::Servidor, Backend::Odbc})
        QTest::newRow(qPrintable(ambienteaviso::nome(b))) << b;
}

inline void usaRegional(const char *nome)
{
    formatacao::defineRegional(QLocale(QString::fromLatin1(nome)));
    configwin::esqueceTipoLembrado();
}

// Each notice case starts on a pt_BR workstation, on the given day (an invalid
// date: the machine's own), with nothing shown yet.
inline void iniciaCaso(const QDate &hoje)
{
    usaRegional("pt_BR");
    consultas::defineHoje(hoje);
    toolkit::limpaObservacao();
}

// The texts of one grid row (columns 1 to 5).
inline QStringList linha(Grade &grade, int row)
{
    QStringList textos;
    grade.defineRow(row);
    for (int c = 1; c <= 5; ++c) {
        grade.defineCol(c);
        textos << grade.texto();
    }
    return textos;
}

// Rows written from row 1 down to the first empty first column.
inline int linhasPreenchidas(Grade &grade)
{
    int n = 0;
    grade.defineCol(1);
    for (int r = 1; r <= grade.linhas(); ++r) {
        grade.defineRow(r);
        if (grade.texto().isEmpty())
            break;
        ++n;
    }
    return n;
}

inline QColor corDaCelula(Grade &grade, int row, int col)
{
    grade.defineRow(row);
    grade.defineCol(col);
    return grade.corFundo();
}

// Waits until every reading asked for has ended (the notice with its
// summaries, the overdue window).
inline bool esperaLeituras(int ms = 20000)
{
    return QTest::qWaitFor([] { return !Aplicacao::instancia().lendo() && !Aplicacao::instancia().temPedido(); }, ms);
}

// A notice asked for as the tick asks, read to its end.
inline bool avisaEEspera()
{
    FrmRobo::instancia().trmEsconde_Timer();
    return esperaLeituras();
}

// The overdue window asked for as its button asks, read to its end.
inline bool abreVencidasEEspera()
{
    Aplicacao::instancia().pedeVencidas();
    return esperaLeituras();
}

// Waits for the notice's first fill, which the 1 ms timer starts by itself,
// and for the summaries read after it.
inline bool esperaPreenchimento()
{
    FrmRobo &janela = FrmRobo::instancia();
    return QTest::qWaitFor([&] { return !janela.lblTotalGeral->text().isEmpty() && !janela.trmEsconde.ativo(); }, 20000)
        && esperaLeituras();
}

// The program started on the smallest day, one receivable of 10,00 from
// customer "Alfa" due on it, and its first fill waited for.
inline bool iniciaComUmaParcela(ambienteaviso::Ambiente &amb, const QDate &dia)
{
    amb.dados().cliente(1, QStringLiteral("Alfa"));
    amb.dados().conta(1, "R", 1, {}, {}, QStringLiteral("x"));
    amb.dados().parcela(1, 1, dia, dia, 10.00);
    ambienteaviso::iniciaPrograma(amb.pasta());
    return esperaPreenchimento();
}

} // namespace apoioaviso
