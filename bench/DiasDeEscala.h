#pragma once
#include <QDate>
#include <QList>
#include <QStringList>

// The benchmark database carries, besides today's instalments, a few days with
// a known number of open instalments (half receivable, half payable), so one
// database shows how the notice grows with the rows due on its day.
namespace diasdeescala {

inline QList<int> padrao() { return {1000, 5000, 20000}; }

// The day that carries the i-th scaling count: beyond today, where instalments
// are mostly still open.
inline QDate dia(const QDate &hoje, int indice) { return hoje.addDays(100 + indice); }

// "1000,5000,20000" -> {1000, 5000, 20000}; an empty text gives no scaling days.
inline QList<int> le(const QString &texto)
{
    QList<int> contagens;
    for (const QString &parte : texto.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = parte.trimmed().toInt(&ok);
        if (ok && n > 0)
            contagens.append(n);
    }
    return contagens;
}

} // namespace diasdeescala
