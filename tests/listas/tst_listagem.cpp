// A list printed to a PDF file and saved as CSV, read back with pdftotext and
// Python's csv module, under the workstation's number conventions; a file that
// cannot be written.
#include "listas/ApoioListas.h"
#include "listas/CsvListagem.h"
#include "listas/DialogosListagem.h"
#include "listas/ImprimeListagem.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace apoiolistas;

namespace {
const QString Mascara = QStringLiteral("#,###,###,##0.00");
const QStringList Cabecalhos{QStringLiteral("Código Detalhe"), QStringLiteral("Descrição do Pagamento"),
                             QStringLiteral("Data Vencimento"), QStringLiteral("Valor"), QStringLiteral("Prov S/N")};

QString valor(double v) { return formatacao::formataNumero(v, Mascara); }

// `quantas` rows a side, named "Cliente 001"... and "Fornecedor 001"..., each
// of 1.000,50 times its number; the totals as the window writes them.
listas::Listagem exemplo(int quantas, bool comExtra = false)
{
    listas::Listagem l;
    l.titulo = QStringLiteral("Contas Vencidas em Aberto");
    l.lidaEm = QDateTime(QDate(2026, 12, 10), QTime(14, 32));
    l.prefixoArquivo = QStringLiteral("vencidas");
    const QDate dia(2026, 12, 9);
    for (const auto &[nome, titulo, quem] : {std::tuple{"Receber", "Contas a Receber", "Cliente"},
                                             std::tuple{"Pagar", "Contas a Pagar", "Fornecedor"}}) {
        listas::Lado lado{QString::fromUtf8(nome), QString::fromUtf8(titulo), {Cabecalhos, {}, {3}},
                          QStringLiteral("Total ") + QString::fromUtf8(nome), QString()};
        double total = 0;
        for (int i = 1; i <= quantas; ++i) {
            lado.tabela.linhas << QStringList{QString::number(i),
                                              QStringLiteral("%1 %2").arg(QString::fromUtf8(quem)).arg(i, 3, 10, QChar('0')),
                                              formatacao::formataData(dia, QStringLiteral("dd/mm/yyyy")),
                                              valor(1000.50 * i), QStringLiteral("N")};
            total += 1000.50 * i;
        }
        lado.total = valor(total);
        l.lados << lado;
    }
    l.resumo = {{QStringLiteral("Pagar-Receber"), valor(0)}};
    if (comExtra)
        l.extra = listas::TabelaExtra{QStringLiteral("Dia a dia"),
                                      {{QStringLiteral("Dia"), QStringLiteral("Saldo do dia")},
                                       {{QStringLiteral("11/12/2026"), valor(-250.75)}},
                                       {1}}};
    return l;
}
} // namespace

class TstListagem : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        toolkit::ativaObservacao(true);
        toolkit::limpaObservacao();
    }
    void cleanup() { formatacao::usaRegionalDoSistema(); }

    // Title, when it was read, the rows and totals of both sides and the
    // extra table, in the workstation's formats; a long list runs over pages
    // numbered "Página N de M", its headings repeated on each.
    void imprimeEmPdf_data()
    {
        QTest::addColumn<QString>("regional");
        QTest::addColumn<int>("quantas");
        QTest::addColumn<bool>("comExtra");
        QTest::addColumn<QString>("leitura");
        QTest::addColumn<QString>("totalReceber");
        QTest::addColumn<QString>("saldoNegativo");
        QTest::addColumn<int>("minimoDePaginas");
        QTest::newRow("pt_BR curta") << "pt_BR" << 3 << false << "Leitura de 10/12/2026 às 14:32"
                                     << "Total Receber: 6.003,00" << "" << 1;
        QTest::newRow("en_US curta com dia a dia") << "en_US" << 3 << true << "Leitura de 12/10/26 às 14:32"
                                                    << "Total Receber: 6,003.00" << "-250.75" << 1;
        QTest::newRow("pt_BR longa") << "pt_BR" << 150 << true << "Leitura de 10/12/2026 às 14:32"
                                     << "Total Receber: 11.330.662,50" << "-250,75" << 4;
    }
    void imprimeEmPdf()
    {
        QFETCH(QString, regional);
        QFETCH(int, quantas);
        QFETCH(bool, comExtra);
        QFETCH(QString, leitura);
        QFETCH(QString, totalReceber);
        QFETCH(QString, saldoNegativo);
        QFETCH(int, minimoDePaginas);
        formatacao::defineRegional(QLocale(regional));
        const listas::Listagem lista = exemplo(quantas, comExtra);
        QTemporaryDir pasta;
        const QString pdf = pasta.filePath(QStringLiteral("lista.pdf"));
        QPrinter impressora(QPrinter::HighResolution);
        paraPdf(impressora, pdf);
        QVERIFY(listas::imprime(lista, impressora));

        QString erro;
        const QStringList paginas = paginasDoPdf(pdf, &erro);
        QVERIFY2(!paginas.isEmpty(), qPrintable(erro));
        QVERIFY2(paginas.size() >= minimoDePaginas, qPrintable(QString::number(paginas.size())));
        for (int n = 1; n <= paginas.size(); ++n)
            QVERIFY2(paginas.at(n - 1).contains(QStringLiteral("Página %1 de %2").arg(n).arg(paginas.size())),
                     qPrintable(paginas.at(n - 1).right(300)));
        const QString texto = paginas.join(QChar(10));
        QVERIFY(paginas.constFirst().contains(QStringLiteral("Contas Vencidas em Aberto")));
        QVERIFY(paginas.constFirst().contains(leitura));
        for (const listas::Lado &lado : lista.lados) {
            QVERIFY(texto.contains(lado.titulo));
            for (const QStringList &linha : {lado.tabela.linhas.constFirst(), lado.tabela.linhas.constLast()}) {
                // The row's cells in order on one line of text.
                const QString padrao = QRegularExpression::escape(linha.at(1)) + QStringLiteral("\\s+")
                    + QRegularExpression::escape(linha.at(2)) + QStringLiteral("\\s+")
                    + QRegularExpression::escape(linha.at(3)) + QStringLiteral("\\s+N");
                QVERIFY2(texto.contains(QRegularExpression(padrao)), qPrintable(padrao));
            }
        }
        QVERIFY(texto.contains(totalReceber));
        QVERIFY(texto.contains(QStringLiteral("Pagar-Receber")));
        QCOMPARE(texto.contains(QStringLiteral("Saldo do dia")), comExtra);
        if (comExtra)
            QVERIFY(texto.contains(saldoNegativo));
        // A table that runs over pages has its headings on each.
        QVERIFY(texto.count(QStringLiteral("Descrição do Pagamento")) >= std::min(paginas.size(), qsizetype(2)));
        if (paginas.size() > 2)
            QVERIFY(texto.count(QStringLiteral("Descrição do Pagamento")) > 2);
    }

    // Read back by a CSV parser: the header row, one row per instalment
    // with its side first, amounts ungrouped with the workstation's decimal
    // symbol, texts with ";", quotes, line breaks and accents intact.
    void csvLidoDeVolta_data()
    {
        QTest::addColumn<QString>("regional");
        QTest::addColumn<QString>("milhao");
        QTest::addColumn<QString>("negativo");
        QTest::newRow("pt_BR") << "pt_BR" << "1234567,89" << "-0,50";
        QTest::newRow("en_US") << "en_US" << "1234567.89" << "-0.50";
    }
    void csvLidoDeVolta()
    {
        QFETCH(QString, regional);
        QFETCH(QString, milhao);
        QFETCH(QString, negativo);
        formatacao::defineRegional(QLocale(regional));
        listas::Listagem lista = exemplo(1);
        const QString dia = formatacao::formataData(QDate(2026, 12, 9), QStringLiteral("dd/mm/yyyy"));
        const QString dificil = QStringLiteral("João; \"Zé\" Ltda\nfilial - Açaí");
        lista.lados[0].tabela.linhas << QStringList{QStringLiteral("7"), dificil, dia, valor(1234567.891), QStringLiteral("S")}
                                     << QStringList{QStringLiteral("8"), QStringLiteral("Estorno"), dia, valor(-0.5), QStringLiteral("N")}
                                     << QStringList{QStringLiteral("9"), QStringLiteral("Sem valor"), dia, QString(), QStringLiteral("N")};
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("contas-2026-12-10.csv"));
        QVERIFY(listas::salvaCsv(lista, arquivo));

        QFile cru(arquivo);
        QVERIFY(cru.open(QIODevice::ReadOnly));
        QVERIFY(cru.read(3) == QByteArrayLiteral("\xEF\xBB\xBF"));
        QString erro;
        const QList<QStringList> linhas = leCsv(arquivo, &erro);
        QVERIFY2(!linhas.isEmpty(), qPrintable(erro));
        QCOMPARE(linhas.value(0), QStringList{QStringLiteral("Lado")} + Cabecalhos);
        QCOMPARE(linhas.size(), 1 + 4 + 1);
        QCOMPARE(linhas.value(1), (QStringList{"Receber", "1", "Cliente 001", dia, regional == "pt_BR" ? "1000,50" : "1000.50", "N"}));
        QCOMPARE(linhas.value(2), (QStringList{"Receber", "7", dificil, dia, milhao, "S"}));
        QCOMPARE(linhas.value(3), (QStringList{"Receber", "8", "Estorno", dia, negativo, "N"}));
        QCOMPARE(linhas.value(4), (QStringList{"Receber", "9", "Sem valor", dia, "", "N"}));
        QCOMPARE(linhas.value(5).value(0), QStringLiteral("Pagar"));
        QCOMPARE(linhas.value(5).value(2), QStringLiteral("Fornecedor 001"));
    }

    // A file that cannot be written: the Portuguese message naming it, and
    // nothing written; a file already there keeps what it had, even when
    // the writing fails halfway (the file size limit of the process).
    void gravacaoImpossivel_data()
    {
        QTest::addColumn<QString>("onde");
        QTest::newRow("pasta que é um arquivo") << "sob-arquivo";
        QTest::newRow("pasta inexistente em /proc") << "proc";
        QTest::newRow("escrita interrompida") << "limite";
    }
    void gravacaoImpossivel()
    {
        QFETCH(QString, onde);
        QTemporaryDir pasta;
        QString caminho;
        const QByteArray anterior = QByteArrayLiteral("o que já estava\r\n");
        if (onde == QLatin1String("sob-arquivo")) {
            QFile arquivo(pasta.filePath(QStringLiteral("um-arquivo")));
            QVERIFY(arquivo.open(QIODevice::WriteOnly));
            caminho = arquivo.fileName() + QStringLiteral("/contas.csv");
        } else if (onde == QLatin1String("proc")) {
            caminho = QStringLiteral("/proc/orvo-nao-existe/contas.csv");
        } else {
            caminho = pasta.filePath(QStringLiteral("contas.csv"));
            QFile arquivo(caminho);
            QVERIFY(arquivo.open(QIODevice::WriteOnly));
            arquivo.write(anterior);
        }
        const listas::Listagem lista = exemplo(200);

        rlimit antes{};
        getrlimit(RLIMIT_FSIZE, &antes);
        if (onde == QLatin1String("limite")) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit pequeno = antes;
            pequeno.rlim_cur = 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &pequeno), 0);
        }
        listas::salvaEscolhido(lista, caminho);
        setrlimit(RLIMIT_FSIZE, &antes);

        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().front();
        QCOMPARE(m.estilo, int(toolkit::EstiloExclamacao));
        QVERIFY2(m.texto.startsWith(QStringLiteral("Não foi possível salvar a lista em \"%1\"").arg(caminho)),
                 qPrintable(m.texto));
        QVERIFY(m.texto.contains(QStringLiteral("Nenhum arquivo foi alterado")));
        if (onde == QLatin1String("limite")) {
            QFile arquivo(caminho);
            QVERIFY(arquivo.open(QIODevice::ReadOnly));
            QCOMPARE(arquivo.readAll(), anterior);
            // Nor a temporary file left beside it.
            QCOMPARE(QDir(pasta.path()).entryList(QDir::Files), QStringList{QStringLiteral("contas.csv")});
        } else {
            QVERIFY(!QFile::exists(caminho));
        }
    }

    // A print to a file that cannot be written says so.
    void impressaoImpossivel()
    {
        QTemporaryFile arquivo;
        QVERIFY(arquivo.open());
        QPrinter impressora(QPrinter::HighResolution);
        paraPdf(impressora, arquivo.fileName() + QStringLiteral("/lista.pdf"));
        listas::imprimeEscolhida(exemplo(2), impressora);
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        QCOMPARE(toolkit::mensagensMostradas().front().texto, listas::mensagemNaoImprimiu());
    }
};

QTEST_MAIN(TstListagem)
#include "tst_listagem.moc"
