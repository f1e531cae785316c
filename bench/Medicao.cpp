#include "Medicao.h"

#include <QFile>

#include <algorithm>
#include <cmath>

Resumo resume(QList<double> valores)
{
    Resumo r;
    if (valores.isEmpty())
        return r;
    std::sort(valores.begin(), valores.end());
    const qsizetype n = valores.size();
    r.vezes = int(n);
    r.minimo = valores.first();
    r.maximo = valores.last();
    r.mediana = n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
    return r;
}

TemposDoProcessador temposDoProcessador()
{
    TemposDoProcessador tempos;
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return tempos;
    // "cpu  user nice system idle iowait irq softirq steal guest guest_nice";
    // guest time is already counted in user time.
    const QList<QByteArray> campos = stat.readLine().simplified().split(' ');
    if (campos.value(0) != "cpu")
        return tempos;
    // Busy time only: steal accrues while this machine wants to run, so a
    // share of idle time would hide it in a mostly idle run.
    for (int i = 1; i < campos.size() && i <= 8; ++i)
        if (i != 4 && i != 5) // idle, iowait
            tempos.ocupado += campos.at(i).toULongLong();
    tempos.tomado = campos.value(8).toULongLong();
    return tempos;
}

double percentualTomado(const TemposDoProcessador &antes, const TemposDoProcessador &depois)
{
    const quint64 ocupado = depois.ocupado - antes.ocupado;
    return ocupado ? 100.0 * double(depois.tomado - antes.tomado) / double(ocupado) : 0;
}

QString numero(double valor)
{
    const double a = std::fabs(valor);
    const int casas = a >= 100 ? 0 : a >= 10 ? 1 : a >= 1 ? 2 : 3;
    return QString::number(valor, 'f', casas);
}

QString medianaMinMax(const Resumo &r)
{
    return numero(r.mediana) + QStringLiteral(" (") + numero(r.minimo) + QStringLiteral("–") + numero(r.maximo)
        + QStringLiteral(")");
}

QString Tabela::texto() const
{
    QList<int> larguras;
    for (const QStringList &linha : linhas_)
        for (int c = 0; c < linha.size(); ++c) {
            if (larguras.size() <= c)
                larguras.append(0);
            larguras[c] = std::max(larguras[c], int(linha[c].size()));
        }
    QString resultado;
    for (int l = 0; l < linhas_.size(); ++l) {
        const QStringList &linha = linhas_[l];
        QString texto;
        for (int c = 0; c < linha.size(); ++c) {
            // The first column is a label, the others are figures.
            texto += c == 0 ? linha[c].leftJustified(larguras[c]) : linha[c].rightJustified(larguras[c] + 2);
        }
        resultado += texto.trimmed().isEmpty() ? QString() : texto;
        resultado += u'\n';
        if (l == 0) {
            int total = 0;
            for (int c = 0; c < larguras.size(); ++c)
                total += larguras[c] + (c ? 2 : 0);
            resultado += QString(total, u'-') + u'\n';
        }
    }
    return resultado;
}
