#include "toolkit/Toolkit.h"
#include "toolkit/FimImediato.h"
#include "base/ErroCorrente.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace toolkit {
namespace {
QString &pastaDefinida()
{
    static QString pasta;
    return pasta;
}
int codigoApontador = ApontadorNormal;
bool observacaoAtiva = false;
int caixas = 0;
std::function<void()> &aoFecharCaixa()
{
    static std::function<void()> aoFechar;
    return aoFechar;
}
// Set once, before any other thread starts.
std::function<void()> antesDoFimImediato;

const QString TituloAplicacao = QStringLiteral("OrvoAviso");

QMessageBox::Icon iconeDoEstilo(int estilo)
{
    switch (estilo & 0x70) {
    case EstiloCritico: return QMessageBox::Critical;
    case EstiloExclamacao: return QMessageBox::Warning;
    case EstiloInformacao: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// Qt key for a character sent as a keystroke.
int teclaDoCaractere(QChar c)
{
    if (c == QChar(9)) return Qt::Key_Tab;
    if (c == QChar(13)) return Qt::Key_Return;
    if (c == QChar(8)) return Qt::Key_Backspace;
    if (c == QChar(27)) return Qt::Key_Escape;
    const QChar maiuscula = c.toUpper();
    if (maiuscula.unicode() >= 0x20 && maiuscula.unicode() < 0x7f)
        return maiuscula.unicode();
    return Qt::Key_unknown;
}
} // namespace

QString pastaDoPrograma()
{
    if (!pastaDefinida().isEmpty())
        return pastaDefinida();
    return QCoreApplication::applicationDirPath();
}

void definePastaDoPrograma(const QString &pasta) { pastaDefinida() = pasta; }

void defineApontador(int codigo)
{
    if (codigo == codigoApontador)
        return;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        if (codigo == ApontadorAmpulheta)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    codigoApontador = codigo;
}

int apontador() { return codigoApontador; }

void caixaMensagem(const QString &texto, int estilo, const std::optional<QString> &titulo, const QString &noTerminal)
{
    QString terminal = QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(13), QChar(10));
    if (!noTerminal.isEmpty())
        terminal += QChar(10) + noTerminal;
    std::fprintf(stderr, "OrvoAviso: %s\n", terminal.toLocal8Bit().constData());
    std::fflush(stderr);
    const QString tituloMostrado = titulo ? *titulo : TituloAplicacao;
    if (observacaoAtiva) {
        mensagensMostradas().push_back({texto, estilo, tituloMostrado});
        return;
    }
    QString tela = texto;
    tela.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar(13), QChar(10));
    QMessageBox caixa(iconeDoEstilo(estilo), tituloMostrado, tela, QMessageBox::Ok,
                      QApplication::activeWindow());
    ++caixas;
    caixa.exec();
    --caixas;
    if (aoFecharCaixa())
        aoFecharCaixa()();
}

int caixasAbertas() { return caixas; }
void defineAoFecharCaixa(std::function<void()> aoFechar) { aoFecharCaixa() = std::move(aoFechar); }

void beep()
{
    ++beepsSoados();
    if (!observacaoAtiva && qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

void enviaTeclas(const QString &teclas)
{
    for (const QChar c : teclas) {
        QWidget *alvo = QApplication::focusWidget();
        if (!alvo)
            return;
        const int tecla = teclaDoCaractere(c);
        QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyPress, tecla, Qt::NoModifier, QString(c)));
        QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(c)));
    }
}

void defineAntesDoFimImediato(std::function<void()> antesDoFim)
{
    antesDoFimImediato = std::move(antesDoFim);
}

void fimImediato(int status)
{
    if (antesDoFimImediato)
        antesDoFimImediato();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

void encerraPrograma(int status)
{
    if (observacaoAtiva) {
        statusDeEncerramento() = status;
        throw FimDoPrograma{status};
    }
    fimImediato(status);
}

namespace {
// Takes the user's input to the window while its reading runs.
class FiltroDaOcupacao : public QObject {
public:
    QPointer<QWidget> janela;
    QPointer<QWidget> saida;
    std::function<bool()> guardando;
    bool ativo = false;

protected:
    bool eventFilter(QObject *alvo, QEvent *evento) override
    {
        // Input reaches the native window first and is handed on to the
        // control it is for: it is taken there.
        if (!alvo->isWidgetType() || !daJanela(static_cast<QWidget *>(alvo)))
            return false;
        switch (evento->type()) {
        case QEvent::Close:
            if (alvo == janela.data()) {
                evento->ignore(); // the window stays until the program ends
                encerraJa();
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (saida && alvo == saida.data() && !(guardando && guardando())
                && saida->rect().contains(static_cast<QMouseEvent *>(evento)->position().toPoint()))
                encerraJa();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

private:
    // The window itself, its controls and the windows it owns.
    bool daJanela(QWidget *widget) const
    {
        for (QWidget *w = widget; w; w = w->parentWidget())
            if (w == janela.data())
                return true;
        return false;
    }
    static void encerraJa()
    {
        executaManipulador([] { encerraPrograma(0); });
    }
};

FiltroDaOcupacao &filtroDaOcupacao()
{
    static FiltroDaOcupacao filtro;
    return filtro;
}
int apontadorAntesDaOcupacao = ApontadorNormal;
} // namespace

void defineJanelaOcupavel(QWidget *janela, QWidget *saida, std::function<bool()> guardando)
{
    filtroDaOcupacao().janela = janela;
    filtroDaOcupacao().saida = saida;
    filtroDaOcupacao().guardando = std::move(guardando);
}

void defineOcupado(bool ocupado)
{
    FiltroDaOcupacao &filtro = filtroDaOcupacao();
    if (ocupado == filtro.ativo || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    filtro.ativo = ocupado;
    if (ocupado) {
        apontadorAntesDaOcupacao = apontador();
        defineApontador(ApontadorAmpulheta);
        QCoreApplication::instance()->installEventFilter(&filtro);
    } else {
        QCoreApplication::instance()->removeEventFilter(&filtro);
        defineApontador(apontadorAntesDaOcupacao);
    }
}

bool ocupado() { return filtroDaOcupacao().ativo; }

void executaManipulador(const std::function<void()> &manipulador)
{
    try {
        manipulador();
    } catch (const FimDoPrograma &) {
        // Only reached under observation: the end has been recorded.
    } catch (const ErroSistema &erro) {
        try {
            const QString texto = QStringLiteral("Erro em tempo de execução '%1':").arg(erro.numero())
                + QChar(13) + QChar(13) + erro.descricao();
            caixaMensagem(texto, EstiloCritico);
            encerraPrograma(1);
        } catch (const FimDoPrograma &) {
        }
    } catch (const std::exception &erro) {
        try {
            const QString texto = QStringLiteral("Erro em tempo de execução:") + QChar(13) + QChar(13)
                + QString::fromLocal8Bit(erro.what());
            caixaMensagem(texto, EstiloCritico);
            encerraPrograma(1);
        } catch (const FimDoPrograma &) {
        }
    }
}

void ativaObservacao(bool ativa) { observacaoAtiva = ativa; }

std::vector<MensagemMostrada> &mensagensMostradas()
{
    static std::vector<MensagemMostrada> mensagens;
    return mensagens;
}

std::optional<int> &statusDeEncerramento()
{
    static std::optional<int> status;
    return status;
}

int &beepsSoados()
{
    static int beeps = 0;
    return beeps;
}

void limpaObservacao()
{
    mensagensMostradas().clear();
    statusDeEncerramento().reset();
    beepsSoados() = 0;
}

} // namespace toolkit
