// Filling the notice grids fast without changing what they hold: cell writes
// read back at once, the view hears of them once per pass of the event loop
// (at its first write) and paints them once, rows added below the last are
// announced at once, new cells take their own grid's colour; record-set fields
// found by any spelling on every statement.
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "toolkit/Grade.h"
#include "support/BancoTeste.h"

#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace bancodados;

namespace {
struct ContaPinturas : QObject {
    explicit ContaPinturas(QWidget *alvo) { alvo->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            ++vezes;
        return false;
    }
    int vezes = 0;
};
} // namespace

class TestPreenchimento : public QObject {
    Q_OBJECT

private slots:
    void escritasAvisadasDeUmaVez_data()
    {
        QTest::addColumn<int>("linhasEscritas");
        QTest::newRow("dentro das linhas da grade") << 4;
        QTest::newRow("abaixo da última linha") << 12;
    }
    void escritasAvisadasDeUmaVez()
    {
        QFETCH(int, linhasEscritas);
        QTableWidget tabela(5, 3);
        Grade g(&tabela, QColor(185, 255, 255));
        QSignalSpy alteracoes(tabela.model(), &QAbstractItemModel::dataChanged);
        QSignalSpy linhasNovas(tabela.model(), &QAbstractItemModel::rowsInserted);

        for (int r = 1; r <= linhasEscritas; ++r) {
            g.defineRow(r);
            for (int c = 1; c <= 3; ++c) {
                g.defineCol(c);
                g.defineTexto(QStringLiteral("%1.%2").arg(r).arg(c));
                QCOMPARE(g.texto(), QStringLiteral("%1.%2").arg(r).arg(c));
            }
            g.defineCorFundo(Qt::yellow);
        }
        QCOMPARE(tabela.item(linhasEscritas - 1, 1)->text(), QStringLiteral("%1.2").arg(linhasEscritas));
        QCOMPARE(g.linhas(), qMax(5, linhasEscritas));
        QCOMPARE(linhasNovas.count(), qMax(0, linhasEscritas - 5)); // rows are announced as they come
        // One notice, at the first write, naming every cell the table had then.
        QCOMPARE(alteracoes.count(), 1);
        const QModelIndex primeira = alteracoes.at(0).at(0).toModelIndex();
        const QModelIndex ultima = alteracoes.at(0).at(1).toModelIndex();
        QCOMPARE(primeira, tabela.model()->index(0, 0));
        QCOMPARE(ultima, tabela.model()->index(4, 2));
        QCoreApplication::processEvents();
        QCOMPARE(alteracoes.count(), 1);

        // The clear action is one notice too, and leaves colours alone.
        g.defineCol(-1);
        g.defineRow(-1);
        g.defineAcao(Grade::AcaoLimpaTexto);
        QCOMPARE(tabela.item(0, 0)->text(), QString());
        QCOMPARE(tabela.item(linhasEscritas - 1, 2)->background().color(), QColor(Qt::yellow));
        QCOMPARE(alteracoes.count(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(alteracoes.count(), 2);
    }

    // A window exposed right after a fill paints the new cells; nothing makes
    // the grid paint them all a second time afterwards.
    void umaPinturaDepoisDoPreenchimento_data()
    {
        QTest::addColumn<int>("linhasEscritas");
        QTest::newRow("dentro das linhas da grade") << 20;
        QTest::newRow("abaixo da última linha") << 45;
    }
    void umaPinturaDepoisDoPreenchimento()
    {
        QTableWidget tabela(30, 5);
        tabela.resize(400, 300);
        tabela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabela));
        QCoreApplication::processEvents();
        ContaPinturas pinturas(tabela.viewport());

        Grade g(&tabela, QColor(185, 255, 255));
        QFETCH(int, linhasEscritas);
        for (int r = 1; r <= linhasEscritas; ++r)
            for (int c = 1; c <= 5; ++c) {
                g.defineRow(r);
                g.defineCol(c);
                g.defineTexto(QStringLiteral("%1.%2").arg(r).arg(c));
            }
        g.concluiPreenchimento();
        tabela.viewport()->repaint(); // what the window's exposure does first
        QCOMPARE(pinturas.vezes, 1);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(pinturas.vezes, 1);
    }

    // Cells made for rows below the last take the cell colour of their own
    // grid, also when two grids with different colours grow in turns.
    void celulasNovasComACorDaGrade()
    {
        QTableWidget azul(1, 2), verde(1, 2);
        const QColor corAzul(185, 255, 255), corVerde(200, 255, 200);
        Grade a(&azul, corAzul), v(&verde, corVerde);
        for (int r = 2; r <= 4; ++r)
            for (Grade *g : {&a, &v}) {
                g->defineRow(r);
                g->defineCol(1);
                g->defineTexto(QStringLiteral("x"));
            }
        a.defineRow(3);
        a.defineCol(2);
        a.defineCorFundo(Qt::red);
        for (int r = 2; r <= 4; ++r) {
            QCOMPARE(azul.item(r - 1, 0)->background().color(), corAzul);
            QCOMPARE(verde.item(r - 1, 0)->background().color(), corVerde);
            QCOMPARE(azul.item(r - 1, 0)->foreground().color(), QColor(Qt::black));
            QVERIFY(!(verde.item(r - 1, 0)->flags() & Qt::ItemIsEditable));
        }
        QCOMPARE(azul.item(2, 1)->background().color(), QColor(Qt::red));
        QCOMPARE(azul.item(1, 1), nullptr); // only written cells are made
    }

    // Field positions found by one spelling belong to one statement: the next
    // statement on the same record set finds its own.
    void camposPorGrafiaACadaComando()
    {
        QTemporaryDir pasta;
        const QString banco = bancoteste::criaBancoFirebird(pasta.path());
        {
            bancoteste::Dados d(bancoteste::abreEscritaFirebird(banco, QStringLiteral("escrita")));
            d.cliente(7, QStringLiteral("Conceição Araújo"));
        }
        bancoteste::fechaConexao(QStringLiteral("escrita"));

        Conexao conexao;
        conexao.abre(QStringLiteral("provider=LCPI.IBProvider.1;data source=") + banco
                     + QStringLiteral(";user id=sysdba;password=quillfern"));
        Registros rs;
        rs.abre(QStringLiteral("Select IDCliente, Cliente as Nome From Cliente"), conexao);
        QCOMPARE(rs.campo(QStringLiteral("Nome")).toString(), QStringLiteral("Conceição Araújo"));
        QCOMPARE(rs.campo(QStringLiteral("NOME")).toString(), QStringLiteral("Conceição Araújo"));
        QCOMPARE(rs.campo(QStringLiteral("idcliente")).toInt(), 7);
        rs.fecha();

        // The same names at swapped positions.
        rs.abre(QStringLiteral("Select IDCliente + 1 as Nome, Cliente as IDCliente From Cliente"), conexao);
        QCOMPARE(rs.campo(QStringLiteral("Nome")).toInt(), 8);
        QCOMPARE(rs.campo(QStringLiteral("NOME")).toInt(), 8);
        QCOMPARE(rs.campo(QStringLiteral("idcliente")).toString(), QStringLiteral("Conceição Araújo"));
        for (int vez = 0; vez < 2; ++vez) { // a name once missing stays missing
            try {
                rs.campo(QStringLiteral("Descricao"));
                QFAIL("campo inexistente foi aceito");
            } catch (const ErroSistema &e) {
                QCOMPARE(e.numero(), long(ErroItemNaoEncontrado));
            }
        }
        rs.fecha();
    }
};

QTEST_MAIN(TestPreenchimento)
#include "tst_preenchimento.moc"
