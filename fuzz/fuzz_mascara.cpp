// The mask formatter under the supported conventions (pt_BR and en_US numbers;
// short dates dd/mm/yyyy, m/d/yy, yyyy-mm-dd, dd.mm.yy), and the numeric filter.
// A number mask of placeholders gives only digits, symbols where the mask puts
// them and a leading sign, and reads back as the number rounded to its places;
// a text mask keeps every literal in place; a date comes out in the pattern with
// the workstation's separator and reads back as the same day.
#include "ApoioFuzz.h"
#include "text/FiltraNumero.h"
#include "regional/RetornaConfigWin.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"

#include <QDate>
#include <QLocale>
#include <cmath>

namespace {

const char *const Numeros[] = {"pt_BR", "en_US"};
struct Convencao {
    const char *formatoData; // Qt notation
    QChar separadorData;
};
const Convencao Convencoes[] = {
    {"dd/MM/yyyy", u'/'}, {"M/d/yy", u'/'}, {"yyyy-MM-dd", u'-'}, {"dd.MM.yy", u'.'},
};

QString mascaraDePosicoes(FuzzedDataProvider &dados, bool &comPonto, int &decimais, int &zeros, bool &agrupa)
{
    const QString inteira = apoiofuzz::deAlfabeto(dados, QStringLiteral("#0,"), 16);
    comPonto = dados.ConsumeBool();
    const QString decimal = comPonto ? apoiofuzz::deAlfabeto(dados, QStringLiteral("#0"), 6) : QString();
    decimais = int(decimal.size());
    zeros = int(inteira.count(u'0'));
    agrupa = inteira.contains(u',');
    return comPonto ? inteira + u'.' + decimal : inteira;
}

double valorDe(FuzzedDataProvider &dados)
{
    switch (dados.ConsumeIntegralInRange(0, 3)) {
    case 0: return dados.ConsumeFloatingPoint<double>();
    case 1: return dados.ConsumeIntegralInRange<int64_t>(-99999999, 99999999) / 100.0;
    case 2: return dados.ConsumeIntegralInRange<int64_t>(-999999999999999LL, 999999999999999LL)
                   / std::pow(10.0, dados.ConsumeIntegralInRange(0, 8));
    default: return dados.ConsumeIntegralInRange<int>(-2000, 2000) / 1000.0 + 0.0005;
    }
}

void confereNumero(double valor, const QString &mascara, bool comPonto, int decimais, int zeros, bool agrupa)
{
    const QString saida = formatacao::formataNumero(valor, mascara);
    if (!std::isfinite(valor) || std::fabs(valor) >= 1e15)
        return; // shown as the number is; only the absence of a crash counts
    const QString decimal = formatacao::simboloDecimal();
    const QString grupo = formatacao::simboloDeAgrupamento();
    const QString caso = QStringLiteral("%1 pela máscara %2 deu %3")
                             .arg(QString::number(valor, 'g', 17), apoiofuzz::mostra(mascara), apoiofuzz::mostra(saida));

    if (mascara.isEmpty()) {
        // No mask: the number as it is, to 15 significant digits.
        double lido = 0;
        PROPRIEDADE(formatacao::paraNumero(saida, lido), caso);
        PROPRIEDADE(std::fabs(lido - valor) <= std::fabs(valor) * 1e-14, caso);
        return;
    }
    QString corpo = saida;
    const bool negativo = corpo.startsWith(u'-');
    if (negativo)
        corpo.remove(0, 1);
    const int posDecimal = comPonto ? int(corpo.lastIndexOf(decimal)) : -1;
    PROPRIEDADE(!comPonto || posDecimal >= 0, caso);
    const QString inteiros = comPonto ? corpo.left(posDecimal) : corpo;
    const QString fracao = comPonto ? corpo.mid(posDecimal + 1) : QString();
    PROPRIEDADE(fracao.size() == decimais, caso);
    for (const QChar c : fracao)
        PROPRIEDADE(c.isDigit() && c.unicode() < 128, caso);

    // The integer part: digits, grouped by thousands from the right when the
    // mask groups, and at least as many digits as the mask's zeros.
    QString digitos;
    for (int i = 0; i < inteiros.size(); ++i) {
        const QChar c = inteiros.at(i);
        if (c >= u'0' && c <= u'9') {
            digitos += c;
            continue;
        }
        PROPRIEDADE(agrupa && QString(c) == grupo, caso);
        const int aDireita = int(inteiros.size()) - i - 1;
        PROPRIEDADE(aDireita > 0 && aDireita % 4 == 3, caso);
    }
    PROPRIEDADE(digitos.size() >= zeros, caso);
    if (agrupa)
        PROPRIEDADE(inteiros.count(grupo) == (qMax(1, int(digitos.size())) - 1) / 3, caso);
    PROPRIEDADE(digitos.size() <= 1 || digitos.size() <= zeros || digitos.at(0) != u'0', caso);

    // Read back, it is the number rounded to the mask's places.
    const double lido = (digitos + QLatin1Char('.') + fracao).toDouble() * (negativo ? -1 : 1);
    const double passo = std::pow(10.0, -decimais);
    PROPRIEDADE(std::fabs(lido - valor) <= passo / 2 + std::fabs(valor) * 1e-12 + 1e-9, caso);
    PROPRIEDADE(negativo == (valor < 0 && lido != 0), caso);
}

void confereTexto(const QString &texto, const QString &mascara)
{
    const QString saida = formatacao::formataTexto(texto, mascara);
    const int lugares = int(mascara.count(u'@'));
    const QString caso = apoiofuzz::mostra(texto) + QStringLiteral(" por ") + apoiofuzz::mostra(mascara)
        + QStringLiteral(" deu ") + apoiofuzz::mostra(saida);
    PROPRIEDADE(saida.size() == mascara.size() + qMax(0, int(texto.size()) - lugares), caso);
    int usados = 0;
    for (int i = 0; i < mascara.size(); ++i) {
        if (mascara.at(i) == u'@')
            PROPRIEDADE(saida.at(i) == (usados < texto.size() ? texto.at(usados++) : QChar(u' ')), caso);
        else
            PROPRIEDADE(saida.at(i) == mascara.at(i), caso);
    }
    PROPRIEDADE(saida.mid(mascara.size()) == texto.mid(usados), caso);
}

void confereData(const QDate &dia, const Convencao &c)
{
    const QString sep(c.separadorData);
    PROPRIEDADE(formatacao::separadorDeData() == sep, formatacao::separadorDeData());
    const QString dois = QStringLiteral("%1");
    const QString dd = dois.arg(dia.day(), 2, 10, QLatin1Char('0'));
    const QString mm = dois.arg(dia.month(), 2, 10, QLatin1Char('0'));
    const QString yyyy = dois.arg(dia.year(), 4, 10, QLatin1Char('0'));
    const QString grade = formatacao::formataData(dia, QStringLiteral("dd/mm/yyyy"));
    const QString banco = formatacao::formataData(dia, QStringLiteral("mm/dd/yyyy"));
    PROPRIEDADE(grade == dd + sep + mm + sep + yyyy, grade);
    PROPRIEDADE(banco == mm + sep + dd + sep + yyyy, banco);
    PROPRIEDADE(QDate::fromString(grade, QStringLiteral("dd") + sep + QStringLiteral("MM") + sep + QStringLiteral("yyyy")) == dia,
                grade);
    const QString curta = formatacao::dataCurta(dia);
    PROPRIEDADE(QDate::fromString(curta, QString::fromLatin1(c.formatoData)).isValid()
                    || dia.year() < 1000,
                curta);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    toolkit::ativaObservacao(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t tamanho)
{
    FuzzedDataProvider dados(bytes, tamanho);
    const QLocale numeros(QString::fromLatin1(Numeros[dados.ConsumeIntegralInRange(0, 1)]));
    const Convencao &c = Convencoes[dados.ConsumeIntegralInRange(0, 3)];
    formatacao::defineRegional(numeros);
    formatacao::defineFormatoDataCurta(QString::fromLatin1(c.formatoData));
    configwin::esqueceTipoLembrado();
    toolkit::limpaObservacao();

    bool comPonto = false, agrupa = false;
    int decimais = 0, zeros = 0;
    const QString mascara = mascaraDePosicoes(dados, comPonto, decimais, zeros, agrupa);
    confereNumero(valorDe(dados), mascara, comPonto, decimais, zeros, agrupa);

    // Any mask and any text: no crash; a text mask keeps its literals.
    const QString livre = apoiofuzz::texto(dados, 30);
    formatacao::formataNumero(valorDe(dados), livre);
    const QString texto = apoiofuzz::texto(dados, 30);
    confereTexto(texto, livre);
    confereTexto(texto, apoiofuzz::deAlfabeto(dados, QStringLiteral("@@@-/. "), 14));

    double lido = 0;
    if (formatacao::paraNumero(texto, lido))
        formatacao::formataNumero(lido, QStringLiteral("#,###,###,##0.00"));

    // The numeric filter keeps only what the type code allows.
    const char *tipos[] = {"IN", "I+", "I-", "NU", "N+", "N-", "CM", "XX"};
    const QString tipo = QString::fromLatin1(tipos[dados.ConsumeIntegralInRange(0, 7)]);
    const QString filtrado = FiltraNumero(texto, tipo);
    const QChar separador = formatacao::simboloDecimal().at(0);
    for (const QChar ch : filtrado) {
        const bool ok = (ch >= u'0' && ch <= u'9')
            || ((tipo == QLatin1String("IN") || tipo == QLatin1String("NU")) && (ch == u'+' || ch == u'-'))
            || (tipo.startsWith(u'N') && ch == separador) || (!tipo.startsWith(u'I') && !tipo.startsWith(u'N'));
        PROPRIEDADE(ok, QStringLiteral("%1 filtrado por %2 deu %3").arg(apoiofuzz::mostra(texto), tipo, apoiofuzz::mostra(filtrado)));
    }
    PROPRIEDADE(toolkit::mensagensMostradas().empty(), toolkit::mensagensMostradas().front().texto);

    const QDate dia = QDate::fromJulianDay(dados.ConsumeIntegralInRange<qint64>(QDate(1, 1, 1).toJulianDay(),
                                                                                QDate(9999, 12, 31).toJulianDay()));
    confereData(dia, c);
    formatacao::formataData(dia, apoiofuzz::texto(dados, 20));
    return 0;
}
