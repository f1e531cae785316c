// The start-up's heap: grown once and asked for huge pages.
#include "platform/MemoriaDoInicio.h"

#include <QFile>
#include <QtTest>
#include <malloc.h>
#include <unistd.h>

class TstMemoriaDoInicio : public QObject {
    Q_OBJECT

    // The heap's areas that the system may back with huge pages, as [start, end).
    static QList<QPair<quintptr, quintptr>> areasDoHeapComPaginasGrandes()
    {
        QList<QPair<quintptr, quintptr>> areas;
        QFile mapas(QStringLiteral("/proc/self/smaps"));
        if (!mapas.open(QIODevice::ReadOnly))
            return areas;
        QPair<quintptr, quintptr> area;
        bool noHeap = false;
        for (const QByteArray &linha : mapas.readAll().split('\n')) {
            const int traco = linha.indexOf('-');
            if (traco > 0 && traco < linha.indexOf(' ')) { // an area's first line
                noHeap = linha.endsWith("[heap]");
                area = {linha.left(traco).toULongLong(nullptr, 16),
                        linha.mid(traco + 1, linha.indexOf(' ') - traco - 1).toULongLong(nullptr, 16)};
            } else if (noHeap && linha.startsWith("THPeligible:") && linha.trimmed().endsWith('1')) {
                areas << area;
            }
        }
        return areas;
    }

private slots:
    void heapCresceComPaginasGrandes()
    {
        QFile modo(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
        if (!modo.open(QIODevice::ReadOnly) || modo.readAll().contains("[never]"))
            QSKIP("este sistema não usa páginas grandes");
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("a memória é a do verificador de endereços, não a do heap do sistema");
#endif
        QVERIFY(areasDoHeapComPaginasGrandes().isEmpty());
        QVERIFY(memoria::preparaParaOInicio(6u << 20));
        // Most of the step free at the top, and that space asked for huge pages.
        QVERIFY(mallinfo2().keepcost >= (4u << 20));
        const auto areas = areasDoHeapComPaginasGrandes();
        QCOMPARE(areas.size(), 1);
        // The free space at the top, where what is allocated next comes
        // from, begins in the huge pages, not in the ordinary ones below them.
        const auto topo = reinterpret_cast<quintptr>(sbrk(0)) - mallinfo2().keepcost;
        QVERIFY2(topo >= areas.first().first && topo < areas.first().second,
                 qPrintable(QStringLiteral("%1 fora de %2-%3").arg(topo, 0, 16)
                                .arg(areas.first().first, 0, 16).arg(areas.first().second, 0, 16)));
    }
};

QTEST_APPLESS_MAIN(TstMemoriaDoInicio)
#include "tst_memoriadoinicio.moc"
