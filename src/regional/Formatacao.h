#pragma once
#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>

// The workstation's number and date conventions, and formatting through masks.
// This is the only place that reads the regional settings.
namespace formatacao {

// The regional settings in force: the workstation's (its locale, and its
// symbols and short date format as SimbolosDoSistema reads them), unless a
// test has set others.
QLocale regional();
void defineRegional(const QLocale &local);  // seam for tests; takes effect at the next call
// Numbers and dates from different locales, as set separately on a workstation.
void defineRegional(const QLocale &numeros, const QLocale &datas);
void usaRegionalDoSistema();
// The workstation's own short date format in Qt's notation ("d/M/yy"), in place
// of the one of the dates locale; an empty format restores the locale's.
void defineFormatoDataCurta(const QString &formato);

// The workstation's symbols in force.
QString simboloDecimal();
QString simboloDeAgrupamento();
QString separadorDeData();

// Number through a mask of '#', '0', '.', ',' and literals, rendered with the
// workstation's decimal and grouping symbols ("#,###,###,##0.00"): grouped by
// thousands when the integer part holds a ',', at least as many integer digits
// as '0's before the '.', as many decimals as placeholders after it, rounded
// half away from zero. An empty mask shows the number as it is.
QString formataNumero(double valor, const QString &mascara);

// Text through '@' placeholders (one character each, from the left) and literals;
// a placeholder without a character shows a blank.
QString formataTexto(const QString &texto, const QString &mascara);

// Date through "dd", "mm", "yyyy"; '/' stands for the workstation's date separator.
QString formataData(const QDate &data, const QString &padrao);

// The workstation's short date of a day.
QString dataCurta(const QDate &data);

// Text to number under the workstation's rules; false when it is not a number.
bool paraNumero(const QString &texto, double &valor);

} // namespace formatacao
