// A long run: 1,000 notice cycles with the minute shortened to a millisecond,
// each one hiding the window, bringing it back and reading both grids afresh.
// Every cycle must show exactly the rows of the database, and the memory of the
// process must stay flat: after the last cycle it may exceed the figure after
// the warm-up only by a small bound. The figure is the resident size (VmRSS);
// under AddressSanitizer, whose quarantine keeps freed memory resident, it is
// the heap still allocated, as the sanitizer's allocator counts it.
#include "ApoioFalhas.h"

#include <QElapsedTimer>
#include <QFile>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's allocator interface (its header comes only with clang).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;
using namespace apoiofalhas;

namespace {

constexpr int Ciclos = 1000;
constexpr int Aquecimento = 100;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool ComSanitizador = true;
#else
constexpr bool ComSanitizador = false;
#endif
constexpr qint64 CrescimentoMaximoKb = 8 * 1024;

qint64 memoriaResidenteKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &linha : status.readAll().split('\n'))
        if (linha.startsWith("VmRSS:"))
            return linha.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Fifty more receivables of one customer, issued one day apart, so that each
// cycle writes a good number of cells.
QList<QStringList> maisReceber(bancoteste::Dados &d)
{
    d.cliente(3, QStringLiteral("Zeca Mota"));
    d.conta(3, "R", 3, {}, {}, QStringLiteral("Carnê"));
    QList<QStringList> linhas = receberEsperado();
    for (int i = 0; i < 50; ++i) {
        d.parcela(100 + i, 3, Hoje, Hoje.addDays(-100 + i), 1.0 + i);
        linhas << QStringList{QString::number(100 + i), QStringLiteral("Zeca Mota - Carnê"), QStringLiteral("08/12/2026"),
                              QStringLiteral("%1,00").arg(1 + i), QStringLiteral("N")};
    }
    return linhas;
}

// The figure that must stay flat.
qint64 memoriaKb()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return memoriaResidenteKb();
#endif
}

} // namespace

class TestResistencia : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        iniciaCaso(Hoje);
    }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    void milCiclosDeAviso()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        const QList<QStringList> receber = maisReceber(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();

        int linhasErradas = 0;
        int ciclosComMensagem = 0;
        qint64 primeira = 0, inicial = 0, maxima = 0, residenteInicial = 0;
        QElapsedTimer relogio;
        relogio.start();
        for (int ciclo = 1; ciclo <= Ciclos; ++ciclo) {
            const size_t mensagens = toolkit::mensagensMostradas().size();
            QVERIFY2(proximoAviso(), qPrintable(QStringLiteral("o aviso %1 não voltou").arg(ciclo)));
            if (toolkit::mensagensMostradas().size() != mensagens)
                ++ciclosComMensagem;
            const int erradas = linhasErradasNoAviso(receber);
            linhasErradas += erradas;
            QVERIFY2(erradas == 0, qPrintable(QStringLiteral("ciclo %1: %2 linhas erradas").arg(ciclo).arg(erradas)));
            QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("2.659,56"));
            const qint64 agora = memoriaKb();
            if (ciclo == 1)
                primeira = agora;
            if (ciclo == Aquecimento) {
                inicial = agora;
                residenteInicial = memoriaResidenteKb();
            }
            maxima = qMax(maxima, agora);
        }
        const qint64 final = memoriaKb();
        qInfo("%d ciclos em %.1f s; %s após o 1º ciclo %lld kB, após %d ciclos %lld kB, após %d ciclos %lld kB (crescimento %lld kB, "
              "máximo %lld kB, limite %lld kB); VmRSS %lld kB -> %lld kB; linhas perdidas ou erradas %d; "
              "ciclos com mensagem %d",
              Ciclos, relogio.elapsed() / 1000.0, ComSanitizador ? "heap alocado" : "VmRSS", primeira, Aquecimento, inicial,
              Ciclos, final, final - inicial, maxima, CrescimentoMaximoKb, residenteInicial, memoriaResidenteKb(),
              linhasErradas, ciclosComMensagem);
        QVERIFY(inicial > 0);
        QCOMPARE(linhasErradas, 0);
        QCOMPARE(ciclosComMensagem, 0);
        QVERIFY2(final - inicial <= CrescimentoMaximoKb,
                 qPrintable(QStringLiteral("a memória cresceu %1 kB").arg(final - inicial)));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
    }
};

QTEST_MAIN(TestResistencia)
#include "tst_resistencia.moc"
