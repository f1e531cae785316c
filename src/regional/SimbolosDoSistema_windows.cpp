#include "regional/SimbolosDoSistema.h"

#include <iterator>
#include <windows.h>

namespace {

// Qt keeps what it read of the regional settings when the program started;
// the user may change them in the Control Panel at any time after, so they
// are asked of Windows on every read.
QString informacaoDoUsuario(LCTYPE tipo)
{
    wchar_t texto[LOCALE_NAME_MAX_LENGTH * 4];
    const int tamanho = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, tipo, texto, int(std::size(texto)));
    return tamanho > 0 ? QString::fromWCharArray(texto, tamanho - 1) : QString();
}

// Windows' date pattern in Qt's notation: the same letters for day and month,
// quotes for literal text; a year is either two digits or four, and the era
// ("g", "gg") is left out.
QString emNotacaoQt(const QString &padrao)
{
    QString qt;
    for (int i = 0; i < padrao.size();) {
        const QChar c = padrao.at(i);
        if (c == u'\'') {
            const int fim = padrao.indexOf(u'\'', i + 1);
            const int ate = fim < 0 ? padrao.size() : fim + 1;
            qt += padrao.mid(i, ate - i);
            i = ate;
            continue;
        }
        int n = 1;
        while (i + n < padrao.size() && padrao.at(i + n) == c)
            ++n;
        if (c == u'y')
            qt += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        else if (c != u'g')
            qt += padrao.mid(i, n);
        i += n;
    }
    return qt.trimmed();
}

} // namespace

namespace sistema {
QString simboloDecimal() { return informacaoDoUsuario(LOCALE_SDECIMAL); }
QString simboloDeAgrupamento() { return informacaoDoUsuario(LOCALE_STHOUSAND); }
QString formatoDataCurta() { return emNotacaoQt(informacaoDoUsuario(LOCALE_SSHORTDATE)); }
} // namespace sistema
