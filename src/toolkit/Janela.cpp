#include "toolkit/Janela.h"
#include "toolkit/Acessibilidade.h"

#include <algorithm>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <vector>

QString Rotulo::caption() const { return rotulo_->text(); }
void Rotulo::defineCaption(const QString &texto)
{
    // A caption wider than the label is drawn in a smaller font until it fits,
    // so no digit of a large total is ever cut; a shorter one gets the
    // designed font back.
    QVariant desenhada = rotulo_->property("fonteDesenhada");
    if (!desenhada.isValid()) {
        desenhada = rotulo_->font();
        rotulo_->setProperty("fonteDesenhada", desenhada);
    }
    QFont fonte = desenhada.value<QFont>();
    const int largura = rotulo_->contentsRect().width() - 2 * rotulo_->margin();
    while (QFontMetrics(fonte).horizontalAdvance(texto) > largura && fonte.pointSizeF() > 5.0)
        fonte.setPointSizeF(fonte.pointSizeF() - 0.5);
    if (fonte != rotulo_->font())
        rotulo_->setFont(fonte);
    rotulo_->setText(texto);
    acessibilidade::textoMudou(rotulo_);
}

int Temporizador::intervalo() const { return timer_->interval(); }
void Temporizador::defineIntervalo(int milissegundos)
{
    const bool contava = timer_->isActive();
    timer_->setInterval(milissegundos); // an active timer starts counting again
    if (contava && aoMudar_)
        aoMudar_(true);
}
bool Temporizador::ativo() const { return timer_->isActive(); }

void Temporizador::defineAtivo(bool ativo)
{
    if (ativo && !timer_->isActive()) {
        timer_->start();
        if (aoMudar_)
            aoMudar_(true);
    } else if (!ativo) {
        timer_->stop();
        if (aoMudar_)
            aoMudar_(false);
    }
}

namespace toolkit {
namespace {
std::vector<QPointer<QWidget>> &carregadas()
{
    static std::vector<QPointer<QWidget>> janelas;
    return janelas;
}
bool terminou = false;

void removeDescarregadas()
{
    auto &v = carregadas();
    v.erase(std::remove_if(v.begin(), v.end(), [](const QPointer<QWidget> &j) { return j.isNull(); }), v.end());
}
} // namespace

void mostraJanela(QWidget *janela)
{
    janela->show();
    janela->raise();
    janela->activateWindow();
}

void escondeJanela(QWidget *janela) { janela->hide(); }

void pintaAgora(QWidget *janela)
{
    if (janela->isVisible())
        janela->repaint();
}

void registraJanela(QWidget *janela)
{
    removeDescarregadas();
    carregadas().emplace_back(janela);
    terminou = false;
}

void descarregaJanela(QWidget *janela)
{
    auto &v = carregadas();
    v.erase(std::remove(v.begin(), v.end(), QPointer<QWidget>(janela)), v.end());
    removeDescarregadas();
    janela->hide();
    janela->deleteLater();
    // As with the toolkit's forms, the program ends once the current event has
    // been handled with no window left loaded: a handler may unload one window
    // and load the next.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] {
        if (janelasCarregadas() == 0) {
            terminou = true;
            QCoreApplication::exit(0);
        }
    }, Qt::QueuedConnection);
}

int janelasCarregadas()
{
    removeDescarregadas();
    return int(carregadas().size());
}

bool programaTerminouNormalmente() { return terminou; }

} // namespace toolkit
