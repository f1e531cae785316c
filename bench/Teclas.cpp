#include "Teclas.h"

#include "format/FormataTecla.h"
#include "toolkit/Controle.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <stdexcept>

double microssegundosPorTecla(QLineEdit *caixa, const QString &teclas, const QString &esperado, int rodadas)
{
    Controle controle(caixa);
    QElapsedTimer relogio;
    qint64 nanossegundos = 0;
    qint64 teclasDigitadas = 0;
    for (int r = 0; r < rodadas; ++r) {
        caixa->clear();
        for (const QChar tecla : teclas) {
            relogio.start();
            const int resultado = FormataTecla(controle, tecla.unicode());
            nanossegundos += relogio.nsecsElapsed();
            ++teclasDigitadas;
            if (resultado != 0)
                caixa->insert(QString(QChar(resultado)));
        }
        if (caixa->text() != esperado)
            throw std::runtime_error(qPrintable(QStringLiteral("FormataTecla deixou \"%1\" em vez de \"%2\"")
                                                    .arg(caixa->text(), esperado)));
    }
    return nanossegundos / 1000.0 / double(qMax<qint64>(1, teclasDigitadas));
}
