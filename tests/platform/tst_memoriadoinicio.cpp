// The start-up's heap: grown once and asked for huge pages.
#include "platform/MemoriaDoInicio.h"

#include <QFile>
#include <QtTest>
#include <malloc.h>

class TstMemoriaDoInicio : public QObject {
    Q_OBJECT

    // The heap's areas that the system may back with huge pages.
    static int areasDoHeapComPaginasGrandes()
    {
        QFile mapas(QStringLiteral("/proc/self/smaps"));
        if (!mapas.open(QIODevice::ReadOnly))
            return -1;
        int areas = 0;
        bool noHeap = false;
        for (const QByteArray &linha : mapas.readAll().split('\n')) {
            const int traco = linha.indexOf('-');
            if (traco > 0 && traco < linha.indexOf(' ')) // an area's first line
                noHeap = linha.endsWith("[heap]");
            else if (noHeap && linha.startsWith("THPeligible:") && linha.trimmed().endsWith('1'))
                ++areas;
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
        QCOMPARE(areasDoHeapComPaginasGrandes(), 0);
        QVERIFY(memoria::preparaParaOInicio(6u << 20));
        // The whole step free at the top, and that space asked for huge pages.
        QVERIFY(mallinfo2().keepcost >= (6u << 20));
        QCOMPARE(areasDoHeapComPaginasGrandes(), 1);
    }
};

QTEST_APPLESS_MAIN(TstMemoriaDoInicio)
#include "tst_memoriadoinicio.moc"
