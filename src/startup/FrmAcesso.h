#pragma once
#include <QWidget>

// The start-up window: never shown. Its load runs the start-up and hands over
// to the notice window, unloading itself on the way.
class FrmAcesso : public QWidget {
    Q_OBJECT
public:
    // Creates and loads the start-up window, as the program's first event.
    static void carrega();
    static int vezesMostrada(); // for tests: how often it became visible

protected:
    void showEvent(QShowEvent *evento) override;

private:
    FrmAcesso();
    void Form_Load();
};
