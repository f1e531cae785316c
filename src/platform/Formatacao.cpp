#include "platform/Formatacao.h"

#include <QByteArray>
#include <cmath>
#include <optional>

namespace formatacao {
namespace {

// The settings a test has put in place of the system's: numbers and dates may
// come from different locales, as on a workstation whose number and date
// settings were changed separately.
struct RegionalDefinido {
    QLocale numeros;
    QLocale datas;
    QString formatoDataCurta; // empty: the one of 'datas'
};
std::optional<RegionalDefinido> &definido()
{
    static std::optional<RegionalDefinido> regional;
    return regional;
}

QLocale regionalDeNumeros() { return definido() ? definido()->numeros : QLocale::system(); }
QLocale regionalDeDatas() { return definido() ? definido()->datas : QLocale::system(); }

QString formatoDataCurta()
{
    if (definido() && !definido()->formatoDataCurta.isEmpty())
        return definido()->formatoDataCurta;
    return regionalDeDatas().dateFormat(QLocale::ShortFormat);
}

bool ehMarcadorDeDigito(QChar c) { return c == QLatin1Char('#') || c == QLatin1Char('0'); }

// One piece of a number mask: a digit placeholder or a literal text.
struct Peca {
    bool digito = false;
    bool obrigatorio = false; // '0'
    QString literal;
};

// The mask's pieces, split at its first '.', with '\x' and "..." read as literals.
// The ',' only says that the integer part is grouped by thousands.
struct MascaraNumerica {
    QList<Peca> inteira;
    QList<Peca> decimal;
    bool agrupa = false;
    bool temPonto = false;
};

MascaraNumerica analisaMascara(const QString &mascara)
{
    MascaraNumerica m;
    for (int i = 0; i < mascara.size(); ++i) {
        const QChar c = mascara.at(i);
        QList<Peca> &pecas = m.temPonto ? m.decimal : m.inteira;
        if (ehMarcadorDeDigito(c)) {
            pecas.append({true, c == QLatin1Char('0'), {}});
        } else if (c == QLatin1Char('.') && !m.temPonto) {
            m.temPonto = true;
        } else if (c == QLatin1Char(',') && !m.temPonto) {
            m.agrupa = true;
        } else if (c == QLatin1Char('\\') && i + 1 < mascara.size()) {
            pecas.append({false, false, QString(mascara.at(++i))});
        } else if (c == QLatin1Char('"')) {
            const int fim = mascara.indexOf(QLatin1Char('"'), i + 1);
            const int ate = fim < 0 ? mascara.size() : fim;
            pecas.append({false, false, mascara.mid(i + 1, ate - i - 1)});
            i = ate;
        } else if (c == QLatin1Char(',')) {
            // A ',' among the decimals marks nothing and shows nothing.
        } else {
            pecas.append({false, false, QString(c)});
        }
    }
    return m;
}

int contaDigitos(const QList<Peca> &pecas, bool soObrigatorios)
{
    int n = 0;
    for (const Peca &p : pecas)
        if (p.digito && (!soObrigatorios || p.obrigatorio))
            ++n;
    return n;
}

// The absolute value as decimal digits, rounded half away from zero to the given
// number of decimals. The value is first read to 15 significant digits, so that
// 2.675 rounds as written and not as its nearest binary fraction.
void digitosArredondados(double valor, int decimais, QString &inteiros, QString &fracao)
{
    const QByteArray cientifica = QByteArray::number(std::fabs(valor), 'e', 14);
    const int e = cientifica.indexOf('e');
    const int expoente = cientifica.mid(e + 1).toInt();
    QByteArray mantissa = cientifica.left(e);
    mantissa.remove(1, 1); // the '.'
    // Digits with the decimal point after position 'ponto'.
    QByteArray digitos = mantissa;
    int ponto = expoente + 1;
    if (ponto <= 0) {
        digitos.prepend(QByteArray(1 - ponto, '0'));
        ponto = 1;
    }
    if (digitos.size() < ponto + decimais + 1)
        digitos.append(QByteArray(ponto + decimais + 1 - digitos.size(), '0'));
    const bool sobe = digitos.at(ponto + decimais) >= '5';
    digitos.truncate(ponto + decimais);
    if (sobe) {
        int i = digitos.size() - 1;
        while (i >= 0 && digitos.at(i) == '9')
            digitos[i--] = '0';
        if (i >= 0) {
            digitos[i] = char(digitos.at(i) + 1);
        } else {
            digitos.prepend('1');
            ++ponto;
        }
    }
    QByteArray parteInteira = digitos.left(ponto);
    while (parteInteira.size() > 0 && parteInteira.at(0) == '0')
        parteInteira.remove(0, 1);
    inteiros = QString::fromLatin1(parteInteira);
    fracao = QString::fromLatin1(digitos.mid(ponto));
}

// An empty mask shows the number as it is, with the workstation's decimal
// symbol and no grouping.
QString numeroGeral(double valor)
{
    QLocale local = regionalDeNumeros();
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    QString texto = local.toString(valor, 'g', 15);
    if (texto.startsWith(local.negativeSign()))
        texto.replace(0, local.negativeSign().size(), QStringLiteral("-"));
    return texto;
}

// Lays the integer digits out through the integer placeholders from the right;
// the leftmost placeholder takes the digits that are left over.
QString parteInteira(const QList<Peca> &pecas, QString digitos, bool agrupa, const QString &agrupamento)
{
    const int minimo = contaDigitos(pecas, true);
    if (digitos.size() < minimo)
        digitos.prepend(QString(minimo - digitos.size(), QLatin1Char('0')));

    const int marcadores = contaDigitos(pecas, false);
    QString resultado;
    if (marcadores == 0) {
        // No integer placeholder: the digits still show, after the literals.
        for (const Peca &p : pecas)
            resultado += p.literal;
        for (int i = 0; i < digitos.size(); ++i) {
            resultado += digitos.at(i);
            const int daDireita = digitos.size() - i - 1;
            if (agrupa && daDireita > 0 && daDireita % 3 == 0)
                resultado += agrupamento;
        }
        return resultado;
    }
    int usados = 0;       // digits already written, from the left
    int marcadorAtual = 0;
    for (const Peca &p : pecas) {
        if (!p.digito) {
            resultado += p.literal;
            continue;
        }
        // Digits that go to this placeholder: all the surplus for the first one.
        const int restantesDepois = marcadores - marcadorAtual - 1;
        const int ate = qMax(usados, digitos.size() - restantesDepois);
        for (; usados < ate; ++usados) {
            resultado += digitos.at(usados);
            const int daDireita = digitos.size() - usados - 1;
            if (agrupa && daDireita > 0 && daDireita % 3 == 0)
                resultado += agrupamento;
        }
        ++marcadorAtual;
    }
    return resultado;
}

QString parteDecimal(const QList<Peca> &pecas, const QString &fracao)
{
    QString resultado;
    int usados = 0;
    for (const Peca &p : pecas) {
        if (p.digito)
            resultado += fracao.at(usados++);
        else
            resultado += p.literal;
    }
    return resultado;
}

QString separadorDeDataDoFormato(const QString &formato)
{
    bool citado = false;
    for (const QChar c : formato) {
        if (c == QLatin1Char('\'')) {
            citado = !citado;
            continue;
        }
        if (!citado && !c.isLetter())
            return QString(c);
    }
    return QStringLiteral("/");
}

} // namespace

QLocale regional() { return regionalDeNumeros(); }

void defineRegional(const QLocale &local) { definido() = RegionalDefinido{local, local, {}}; }

void defineRegional(const QLocale &numeros, const QLocale &datas)
{
    definido() = RegionalDefinido{numeros, datas, {}};
}

void usaRegionalDoSistema() { definido().reset(); }

void defineFormatoDataCurta(const QString &formato)
{
    if (!definido())
        definido() = RegionalDefinido{QLocale::system(), QLocale::system(), {}};
    definido()->formatoDataCurta = formato;
}

QString simboloDecimal() { return regionalDeNumeros().decimalPoint(); }

QString simboloDeAgrupamento() { return regionalDeNumeros().groupSeparator(); }

QString separadorDeData() { return separadorDeDataDoFormato(formatoDataCurta()); }

QString formataNumero(double valor, const QString &mascara)
{
    if (!std::isfinite(valor))
        return numeroGeral(valor);
    if (mascara.isEmpty())
        return numeroGeral(valor);

    const MascaraNumerica m = analisaMascara(mascara);
    const int decimais = contaDigitos(m.decimal, false);
    QString inteiros, fracao;
    digitosArredondados(valor, decimais, inteiros, fracao);

    QString texto = parteInteira(m.inteira, inteiros, m.agrupa, simboloDeAgrupamento());
    if (m.temPonto) {
        texto += simboloDecimal();
        texto += parteDecimal(m.decimal, fracao);
    }
    // A value that rounds to zero shows no sign.
    const auto soZeros = [](const QString &digitos) {
        for (const QChar c : digitos)
            if (c != QLatin1Char('0'))
                return false;
        return true;
    };
    if (valor < 0 && !(soZeros(inteiros) && soZeros(fracao)))
        texto.prepend(QLatin1Char('-'));
    return texto;
}

QString formataTexto(const QString &texto, const QString &mascara)
{
    QString resultado;
    int usados = 0;
    for (const QChar c : mascara) {
        if (c == QLatin1Char('@'))
            resultado += usados < texto.size() ? texto.at(usados++) : QLatin1Char(' ');
        else
            resultado += c;
    }
    // Characters beyond the placeholders are kept at the end rather than lost.
    resultado += texto.mid(usados);
    return resultado;
}

QString formataData(const QDate &data, const QString &padrao)
{
    const QString separador = separadorDeData();
    QString resultado;
    for (int i = 0; i < padrao.size();) {
        const QChar c = padrao.at(i).toLower();
        int n = 1;
        while (i + n < padrao.size() && padrao.at(i + n).toLower() == c)
            ++n;
        if (c == QLatin1Char('d') && n <= 2) {
            resultado += n == 2 ? QStringLiteral("%1").arg(data.day(), 2, 10, QLatin1Char('0'))
                                : QString::number(data.day());
        } else if (c == QLatin1Char('m') && n <= 2) {
            resultado += n == 2 ? QStringLiteral("%1").arg(data.month(), 2, 10, QLatin1Char('0'))
                                : QString::number(data.month());
        } else if (c == QLatin1Char('y') && (n == 2 || n == 4)) {
            resultado += n == 4 ? QStringLiteral("%1").arg(data.year(), 4, 10, QLatin1Char('0'))
                                : QStringLiteral("%1").arg(data.year() % 100, 2, 10, QLatin1Char('0'));
        } else if (c == QLatin1Char('/')) {
            for (int k = 0; k < n; ++k)
                resultado += separador;
        } else {
            resultado += padrao.mid(i, n);
        }
        i += n;
    }
    return resultado;
}

QString dataCurta(const QDate &data)
{
    if (definido() && !definido()->formatoDataCurta.isEmpty())
        return regionalDeDatas().toString(data, definido()->formatoDataCurta);
    return regionalDeDatas().toString(data, QLocale::ShortFormat);
}

bool paraNumero(const QString &texto, double &valor)
{
    const QLocale local = regionalDeNumeros();
    const QString limpo = texto.trimmed();
    if (limpo.isEmpty())
        return false;
    bool ok = false;
    double lido = local.toDouble(limpo, &ok);
    if (!ok) {
        // The grouping symbol may stand anywhere in the integer part.
        QString semGrupos = limpo;
        semGrupos.remove(local.groupSeparator());
        lido = local.toDouble(semGrupos, &ok);
    }
    if (!ok)
        return false;
    valor = lido;
    return true;
}

} // namespace formatacao
