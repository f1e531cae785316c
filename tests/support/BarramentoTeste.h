#pragma once
#include <QProcess>
#include <QString>

// A message bus of the test's own (dbus-daemon), started and stopped by it.
class BarramentoTeste {
public:
    BarramentoTeste();  // starts it; endereco() is empty if it could not
    ~BarramentoTeste(); // stops it
    QString endereco() const { return endereco_; }

private:
    QProcess daemon_;
    QString endereco_;
};
