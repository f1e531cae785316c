#pragma once
#include <QElapsedTimer>
#include <QList>
#include <QObject>

class QAbstractButton;
class QWidget;

// For a moment after the window comes back, keys and clicks meant for another
// program (the space typed there, the click already on its way) do not press
// the window's buttons: they are taken and dropped.
class GuardaRetorno : public QObject {
    Q_OBJECT
public:
    GuardaRetorno(QWidget *janela, const QList<QAbstractButton *> &botoes);
    bool guardando() const;

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QWidget *janela_;
    bool escondida_ = false;
    QElapsedTimer desdeQueVoltou_;
};

// How long the buttons are guarded; tests shorten it.
namespace guardaretorno {
int milissegundos();
void defineMilissegundos(int ms);
} // namespace guardaretorno
