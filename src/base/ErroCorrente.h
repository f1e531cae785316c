#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <exception>

// What a database layer knows of an error beyond its text, so that its cause
// is told without reading words that change with the language: the engine's
// status codes in order (Firebird's ISC codes) each with the texts it carries,
// the system's error number (errno) the engine reported, and whether it was
// raised while the connection was being opened.
struct DetalheErro {
    QList<long> codigos;
    QList<QStringList> argumentos; // argumentos[i]: the texts of codigos[i]
    int erroDoSistema = 0;
    bool naAbertura = false;
};

// The run-time error being handled on this thread: a number and a description.
// The layers' errors set it when they are raised; MostraErro reads and clears it.
struct ErroCorrente {
    long numero = 0;
    QString descricao;
    DetalheErro detalhe;
};

ErroCorrente &erroCorrente();
void limpaErroCorrente();

// A run-time error raised by a layer of the system (database, toolkit, formatting).
// Constructing it makes it the current error of the thread.
class ErroSistema : public std::exception {
public:
    ErroSistema(long numero, QString descricao, DetalheErro detalhe = {});
    long numero() const { return numero_; }
    const QString &descricao() const { return descricao_; }
    const DetalheErro &detalhe() const { return detalhe_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    long numero_;
    QString descricao_;
    DetalheErro detalhe_;
    QByteArray utf8_;
};
