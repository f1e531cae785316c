#pragma once
#include <QString>
#include <exception>

// The run-time error being handled on this thread: a number and a description.
// The layers' errors set it when they are raised; MostraErro reads and clears it.
struct ErroCorrente {
    long numero = 0;
    QString descricao;
};

ErroCorrente &erroCorrente();
void limpaErroCorrente();

// A run-time error raised by a layer of the system (database, toolkit, formatting).
// Constructing it makes it the current error of the thread.
class ErroSistema : public std::exception {
public:
    ErroSistema(long numero, QString descricao);
    long numero() const { return numero_; }
    const QString &descricao() const { return descricao_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    long numero_;
    QString descricao_;
    QByteArray utf8_;
};
