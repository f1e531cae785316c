#include "regional/Formatacao.h"
#include "regional/SimbolosDoSistema.h"

#include <QByteArray>
#include <QHash>
#include <QVarLengthArray>
#include <cstdlib>
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
    if (!definido())
        return sistema::formatoDataCurta();
    if (!definido()->formatoDataCurta.isEmpty())
        return definido()->formatoDataCurta;
    return definido()->datas.dateFormat(QLocale::ShortFormat);
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

// The masks in use are few and each is read again on every number it formats:
// read each once. The analysis depends on the mask text alone.
const MascaraNumerica &mascaraAnalisada(const QString &mascara)
{
    thread_local QHash<QString, MascaraNumerica> analisadas;
    auto achada = analisadas.constFind(mascara);
    if (achada != analisadas.cend())
        return *achada;
    if (analisadas.size() >= 256)
        analisadas.clear();
    return *analisadas.insert(mascara, analisaMascara(mascara));
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
    // "d.ddddddddddddddde±xx"; the digits are worked on in place, as one
    // amount is formatted for every row of a notice.
    const QByteArray cientifica = QByteArray::number(std::fabs(valor), 'e', 14);
    const qsizetype e = cientifica.indexOf('e');
    const int expoente = std::atoi(cientifica.constData() + e + 1);
    QVarLengthArray<char, 64> digitos;
    digitos.append(cientifica.at(0));
    digitos.append(cientifica.constData() + 2, e - 2); // without the '.'
    // Digits with the decimal point after position 'ponto'.
    int ponto = expoente + 1;
    if (ponto <= 0) {
        digitos.insert(digitos.begin(), 1 - ponto, '0');
        ponto = 1;
    }
    while (digitos.size() < ponto + decimais + 1)
        digitos.append('0');
    const bool sobe = digitos.at(ponto + decimais) >= '5';
    digitos.resize(ponto + decimais);
    if (sobe) {
        qsizetype i = digitos.size() - 1;
        while (i >= 0 && digitos.at(i) == '9')
            digitos[i--] = '0';
        if (i >= 0) {
            ++digitos[i];
        } else {
            digitos.insert(digitos.begin(), '1');
            ++ponto;
        }
    }
    int primeiro = 0;
    while (primeiro < ponto && digitos.at(primeiro) == '0')
        ++primeiro;
    inteiros = QString::fromLatin1(digitos.constData() + primeiro, ponto - primeiro);
    fracao = QString::fromLatin1(digitos.constData() + ponto, digitos.size() - ponto);
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

// A day, month or year with zeros on the left up to the width.
void acrescentaNumero(QString &destino, int valor, int largura)
{
    if (valor < 0) {
        destino += QStringLiteral("%1").arg(valor, largura, 10, QLatin1Char('0'));
        return;
    }
    char digitos[12];
    int n = 0;
    do {
        digitos[n++] = char('0' + valor % 10);
        valor /= 10;
    } while (valor > 0);
    for (int i = n; i < largura; ++i)
        destino += QLatin1Char('0');
    while (n > 0)
        destino += QLatin1Char(digitos[--n]);
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

QString simboloDecimal() { return definido() ? definido()->numeros.decimalPoint() : sistema::simboloDecimal(); }

QString simboloDeAgrupamento()
{
    return definido() ? definido()->numeros.groupSeparator() : sistema::simboloDeAgrupamento();
}

QString separadorDeData() { return separadorDeDataDoFormato(formatoDataCurta()); }

QString formataNumero(double valor, const QString &mascara)
{
    if (!std::isfinite(valor))
        return numeroGeral(valor);
    if (mascara.isEmpty())
        return numeroGeral(valor);

    const MascaraNumerica &m = mascaraAnalisada(mascara);
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
    resultado.reserve(padrao.size() + 4);
    for (int i = 0; i < padrao.size();) {
        const QChar c = padrao.at(i).toLower();
        int n = 1;
        while (i + n < padrao.size() && padrao.at(i + n).toLower() == c)
            ++n;
        if (c == QLatin1Char('d') && n <= 2) {
            acrescentaNumero(resultado, data.day(), n);
        } else if (c == QLatin1Char('m') && n <= 2) {
            acrescentaNumero(resultado, data.month(), n);
        } else if (c == QLatin1Char('y') && (n == 2 || n == 4)) {
            acrescentaNumero(resultado, n == 4 ? data.year() : data.year() % 100, n);
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
    return regionalDeDatas().toString(data, formatoDataCurta());
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
