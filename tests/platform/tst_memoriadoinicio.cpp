// The start-up's heap, and the libraries' own mappings: grown or reserved once
// and asked for huge pages.
#include "platform/MapeamentosDoInicio.h"
#include "platform/MemoriaDoInicio.h"

#include <QFile>
#include <QtTest>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

class TstMemoriaDoInicio : public QObject {
    Q_OBJECT

    // The areas that the system may back with huge pages, as [start, end):
    // the heap's only, or all.
    static QList<QPair<quintptr, quintptr>> areasComPaginasGrandes(bool soDoHeap = true)
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
                noHeap = !soDoHeap || linha.endsWith("[heap]");
                area = {linha.left(traco).toULongLong(nullptr, 16),
                        linha.mid(traco + 1, linha.indexOf(' ') - traco - 1).toULongLong(nullptr, 16)};
            } else if (noHeap && linha.startsWith("THPeligible:") && linha.trimmed().endsWith('1')) {
                areas << area;
            }
        }
        return areas;
    }

    static bool sistemaUsaPaginasGrandes()
    {
        QFile modo(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
        return modo.open(QIODevice::ReadOnly) && !modo.readAll().contains("[never]");
    }

private slots:
    void heapCresceComPaginasGrandes()
    {
        if (!sistemaUsaPaginasGrandes())
            QSKIP("este sistema não usa páginas grandes");
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("a memória é a do verificador de endereços, não a do heap do sistema");
#endif
        QVERIFY(areasComPaginasGrandes().isEmpty());
        QVERIFY(memoria::preparaParaOInicio(6u << 20));
        // Most of the step free at the top, and that space asked for huge pages.
        QVERIFY(mallinfo2().keepcost >= (4u << 20));
        const auto areas = areasComPaginasGrandes();
        QCOMPARE(areas.size(), 1);
        // The free space at the top, where what is allocated next comes
        // from, begins in the huge pages, not in the ordinary ones below them.
        const auto topo = reinterpret_cast<quintptr>(sbrk(0)) - mallinfo2().keepcost;
        QVERIFY2(topo >= areas.first().first && topo < areas.first().second,
                 qPrintable(QStringLiteral("%1 fora de %2-%3").arg(topo, 0, 16)
                                .arg(areas.first().first, 0, 16).arg(areas.first().second, 0, 16)));
    }

    // Which requests take the area's pieces; "antes" requests of the same size
    // come first (enough of them use the area up).
    void mapeamentosDaArea_data()
    {
        QTest::addColumn<int>("protecao");
        QTest::addColumn<int>("opcoes");
        QTest::addColumn<qulonglong>("tamanho");
        QTest::addColumn<int>("antes");
        QTest::addColumn<bool>("daArea");
        const int rw = PROT_READ | PROT_WRITE, anonimo = MAP_PRIVATE | MAP_ANONYMOUS;
        const qulonglong maior = memoria::MaiorMapeamentoDaArea;
        QTest::newRow("trecho do motor") << rw << anonimo << 65536ull << 0 << true;
        QTest::newRow("páginas do cache, tamanho quebrado") << rw << anonimo << 2109440ull << 0 << true;
        QTest::newRow("executável") << (rw | PROT_EXEC) << anonimo << 65536ull << 0 << false;
        QTest::newRow("pilha") << rw << (anonimo | MAP_STACK) << 65536ull << 0 << false;
        QTest::newRow("sem reserva") << rw << (anonimo | MAP_NORESERVE) << 65536ull << 0 << false;
        QTest::newRow("compartilhado") << rw << (MAP_SHARED | MAP_ANONYMOUS) << 65536ull << 0 << false;
        QTest::newRow("maior que o limite") << rw << anonimo << maior + 4096 << 0 << false;
        QTest::newRow("área esgotada: ao sistema") << rw << anonimo << maior << int(memoria::AreaDosMapeamentos / maior) << false;
    }

    void mapeamentosDaArea()
    {
        QFETCH(int, protecao);
        QFETCH(int, opcoes);
        QFETCH(qulonglong, tamanho);
        QFETCH(int, antes);
        QFETCH(bool, daArea);
        memoria::reservaMapeamentosDoInicio(); // once in the process; later calls leave it as it is
        while (antes-- > 0)
            QVERIFY(mmap(nullptr, tamanho, protecao, opcoes, -1, 0) != MAP_FAILED);
        auto *p = static_cast<unsigned char *>(mmap(nullptr, tamanho, protecao, opcoes, -1, 0));
        auto *q = static_cast<unsigned char *>(mmap(nullptr, tamanho, protecao, opcoes, -1, 0));
        QVERIFY(p != MAP_FAILED && q != MAP_FAILED);
        QCOMPARE(memoria::naAreaDosMapeamentos(p), daArea);
        QVERIFY(p + tamanho <= q || q + tamanho <= p);
        // Zeroed and writable to the last byte, as a new mapping is.
        QCOMPARE(p[0] + p[tamanho - 1] + q[tamanho - 1], 0);
        p[0] = p[tamanho - 1] = q[0] = q[tamanho - 1] = 1;
        if (daArea && sistemaUsaPaginasGrandes()) {
            const auto areas = areasComPaginasGrandes(false);
            QVERIFY(std::any_of(areas.begin(), areas.end(), [p](const auto &a) {
                return reinterpret_cast<quintptr>(p) >= a.first && reinterpret_cast<quintptr>(p) < a.second;
            }));
        }
        QCOMPARE(munmap(p, tamanho) + munmap(q, tamanho), 0);
    }
};

QTEST_APPLESS_MAIN(TstMemoriaDoInicio)
#include "tst_memoriadoinicio.moc"
