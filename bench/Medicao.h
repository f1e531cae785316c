#pragma once
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

// Repeated timings summed up as median, minimum and maximum, and the table
// the benchmark prints.
struct Resumo {
    double mediana = 0;
    double minimo = 0;
    double maximo = 0;
    int vezes = 0;
};

Resumo resume(QList<double> valores);

// Milliseconds taken by one call.
template <typename F>
double cronometra(F &&f)
{
    QElapsedTimer relogio;
    relogio.start();
    f();
    return relogio.nsecsElapsed() / 1e6;
}

// Rows of text columns, printed aligned.
class Tabela {
public:
    explicit Tabela(QStringList cabecalho) { linhas_.append(std::move(cabecalho)); }
    void adiciona(QStringList linha) { linhas_.append(std::move(linha)); }
    QString texto() const;

private:
    QList<QStringList> linhas_;
};

// The processor time of the whole machine, read from /proc/stat: on a virtual
// machine the host may take part of it for others (steal), and timings taken
// meanwhile are slow through no fault of the program.
struct TemposDoProcessador {
    quint64 tomado = 0; // steal
    quint64 ocupado = 0; // all but idle time, steal included
};
TemposDoProcessador temposDoProcessador();
// The host's share of the time this machine wanted to run between two
// readings, in percent.
double percentualTomado(const TemposDoProcessador &antes, const TemposDoProcessador &depois);

// "12.3", "0.84": three significant digits are plenty for timings.
QString numero(double valor);
// "12.3 / 11.9 / 14.0"
QString medianaMinMax(const Resumo &r);
