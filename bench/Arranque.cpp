#include "Arranque.h"

#include "notice/ConsultasContas.h"
#include "notice/FrmRobo.h"
#include "database/BancoDados.h"
#include "toolkit/Toolkit.h"
#include "startup/FrmAcesso.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace arranque {
namespace {

const char *const Argumento = "--filho-arranque";

int linhasPreenchidas(QTableWidget *tabela)
{
    int n = 0;
    while (n < tabela->rowCount() && tabela->item(n, 0) && !tabela->item(n, 0)->text().isEmpty())
        ++n;
    return n;
}

[[noreturn]] void informaEEncerra(const QString &linha, int status)
{
    std::printf("%s\n", qPrintable(linha));
    std::fflush(stdout);
    // As the program's own end: the statements still running (the overdue
    // summaries) leave the engine first, or the next child waits for ever.
    bancodados::fechaParaEncerrar(2000);
    std::_Exit(status);
}

// Milliseconds since the child's main() began.
QElapsedTimer &desdeOInicio()
{
    static QElapsedTimer relogio;
    return relogio;
}
double agora() { return desdeOInicio().nsecsElapsed() / 1e6; }

// Watches every paint of the widget that shows the result: the first one, and
// the first one while the result is there.
class VigiaDePintura : public QObject {
public:
    template <typename Alvo, typename Pronto>
    VigiaDePintura(Alvo alvo, Pronto pronto) : alvo_(alvo), pronto_(pronto) { qApp->installEventFilter(this); }
    bool pintado() const { return pintadoPronto_ >= 0; }
    double primeiraPintura() const { return primeira_; }
    double pinturaPronta() const { return pintadoPronto_; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint && pintadoPronto_ < 0 && objeto == alvo_()) {
            if (primeira_ < 0)
                primeira_ = agora();
            if (pronto_())
                pintadoPronto_ = agora();
        }
        return false;
    }

private:
    std::function<QObject *()> alvo_;
    std::function<bool()> pronto_;
    double primeira_ = -1;
    double pintadoPronto_ = -1;
};

// Answers at the first pass of the event loop after that paint, so the paint
// itself is counted.
template <typename Alvo, typename Pronto, typename Resposta>
int esperaEResponde(QApplication &app, Alvo alvo, Pronto pronto, Resposta resposta)
{
    VigiaDePintura vigiaDePintura(alvo, pronto);
    QTimer vigia;
    vigia.setInterval(0);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (!toolkit::mensagensMostradas().empty())
            informaEEncerra(QStringLiteral("erro ") + toolkit::mensagensMostradas().front().texto.simplified(), 1);
        if (toolkit::statusDeEncerramento())
            informaEEncerra(QStringLiteral("erro encerrado com %1").arg(*toolkit::statusDeEncerramento()), 1);
        if (vigiaDePintura.pintado())
            informaEEncerra(resposta(vigiaDePintura), 0);
    });
    vigia.start();
    return app.exec();
}

// "pronto MB linhasReceber linhasPagar msMontada msPrimeiraPintura msPintadaPronta msResposta"
QString resposta(int receber, int pagar, double montada, const VigiaDePintura &vigia)
{
    return QStringLiteral("pronto %1 %2 %3 %4 %5 %6 %7")
        .arg(picoDeMemoriaMb())
        .arg(receber)
        .arg(pagar)
        .arg(montada)
        .arg(vigia.primeiraPintura())
        .arg(vigia.pinturaPronta())
        .arg(agora());
}

[[noreturn]] void filhoPrograma(int argc, char *argv[], const QString &pasta, const QDate &hoje)
{
    // The same steps as the program's main(), under observation so that a
    // failure is reported instead of shown in a message box.
    desdeOInicio().start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("OrvoAviso"));
    toolkit::ativaObservacao(true);
    toolkit::definePastaDoPrograma(pasta);
    consultas::defineHoje(hoje);
    FrmAcesso::carrega();
    const double montada = agora(); // connection open, notice window made and shown
    esperaEResponde(
        app,
        // The grand total is written last: its paint with the text in place
        // comes with the grids' last rows painted in the same pass. Watching
        // the grid instead missed a fill whose last pass only wrote the
        // totals (no grid cell left to paint), and the child never answered.
        []() -> QObject * { return FrmRobo::carregada() ? FrmRobo::instancia().lblTotalGeral : nullptr; },
        [] {
            if (!FrmRobo::carregada())
                return false;
            FrmRobo &janela = FrmRobo::instancia();
            return janela.isVisible() && !janela.trmEsconde.ativo() && !janela.lblTotalGeral->text().isEmpty();
        },
        [&](const VigiaDePintura &vigia) {
            FrmRobo &janela = FrmRobo::instancia();
            return resposta(linhasPreenchidas(janela.tabelaRec), linhasPreenchidas(janela.tabelaPag), montada, vigia);
        });
    std::_Exit(1);
}

[[noreturn]] void filhoJanelaVazia(int argc, char *argv[])
{
    desdeOInicio().start();
    QApplication app(argc, argv);
    QWidget janela;
    janela.resize(998, 605); // the notice window's size
    janela.setWindowTitle(QStringLiteral("Janela vazia"));
    janela.show();
    const double montada = agora();
    esperaEResponde(
        app, [&]() -> QObject * { return &janela; },
        [&] { return janela.windowHandle() && janela.windowHandle()->isExposed(); },
        [&](const VigiaDePintura &vigia) { return resposta(0, 0, montada, vigia); });
    std::_Exit(1);
}

} // namespace

double picoDeMemoriaMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &linha : status.readAll().split('\n'))
        if (linha.startsWith("VmHWM:"))
            return linha.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

void executaFilhoSePedido(int argc, char *argv[])
{
    if (argc < 3 || std::strcmp(argv[1], Argumento) != 0)
        return;
    if (std::strcmp(argv[2], "programa") == 0 && argc >= 5)
        filhoPrograma(argc, argv, QString::fromLocal8Bit(argv[3]), QDate::fromString(QString::fromLatin1(argv[4]), Qt::ISODate));
    filhoJanelaVazia(argc, argv);
}

Resultado mede(Modo modo, const QString &pastaPrograma, const QDate &hoje)
{
    QProcess filho;
    filho.setProgram(QCoreApplication::applicationFilePath());
    if (modo == Modo::Programa)
        filho.setArguments({QString::fromLatin1(Argumento), QStringLiteral("programa"), pastaPrograma,
                            hoje.toString(Qt::ISODate)});
    else
        filho.setArguments({QString::fromLatin1(Argumento), QStringLiteral("vazia")});
    filho.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    QElapsedTimer relogio;
    relogio.start();
    filho.start();
    while (!filho.canReadLine())
        if (!filho.waitForReadyRead(60000))
            throw std::runtime_error("o processo filho não respondeu");
    Resultado r;
    r.milissegundos = relogio.nsecsElapsed() / 1e6;
    const QList<QByteArray> partes = filho.readLine().trimmed().split(' ');
    filho.waitForFinished(10000);
    if (partes.value(0) != "pronto")
        throw std::runtime_error("arranque: " + partes.join(' ').toStdString());
    r.picoMb = partes.value(1).toDouble();
    r.linhasReceber = partes.value(2).toInt();
    r.linhasPagar = partes.value(3).toInt();
    r.montadaMs = partes.value(4).toDouble();
    r.primeiraPinturaMs = partes.value(5).toDouble();
    r.prontaMs = partes.value(6).toDouble();
    r.respostaMs = partes.value(7).toDouble();
    return r;
}

} // namespace arranque
