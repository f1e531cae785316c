// The database server goes away while the notice window is hidden and comes
// back: the Firebird server, and the PostgreSQL server behind the ODBC data
// source. At the notice the error report shows and the program stays; once the
// server is back, the next notice fills normally, new rows included.
#include "ApoioFalhas.h"
#include "support/ServidoresTeste.h"

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;
using namespace apoiofalhas;

namespace {

bool paraServidor(Backend b) { return b == Backend::Servidor ? servidoresteste::paraFirebird() : servidoresteste::paraPostgres(); }
bool iniciaServidor(Backend b) { return b == Backend::Servidor ? servidoresteste::iniciaFirebird() : servidoresteste::iniciaPostgres(); }

// A write connection made after the restart: the fixture's died with the server.
QSqlDatabase novaEscrita(const Ambiente &amb, const QString &nome)
{
    if (amb.backend() == Backend::Odbc)
        return servidoresteste::conexaoEscritaPostgres(nome);
    return bancoteste::abreEscritaFirebird(servidoresteste::nomeNoServidor(amb.arquivoBanco()), nome);
}

} // namespace

class TestFalhasServidor : public QObject {
    Q_OBJECT
    QList<Contagem> contagens;

private slots:
    void init()
    {
        iniciaCaso(Hoje);
    }

    void cleanup()
    {
        ambienteaviso::encerraPrograma();
        bancoteste::fechaConexao(QStringLiteral("escrita-depois"));
        // A failed test must not leave the next ones without their servers.
        if (servidoresteste::disponiveis()) {
            if (!servidoresteste::portaResponde(servidoresteste::portaFirebird()))
                QVERIFY(servidoresteste::iniciaFirebird());
            if (!servidoresteste::portaResponde(servidoresteste::portaPostgres()))
                QVERIFY(servidoresteste::iniciaPostgres());
        }
    }

    void cleanupTestCase() { imprimeTotais(contagens); }

    // Stopped for one notice or for two in a row (the second one also fails to
    // open the connection again), then started.
    void servidorParadoEReiniciado_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<int>("avisosParado");
        QTest::newRow("firebird, um aviso") << Backend::Servidor << 1;
        QTest::newRow("firebird, dois avisos") << Backend::Servidor << 2;
        QTest::newRow("postgresql/odbc, um aviso") << Backend::Odbc << 1;
        QTest::newRow("postgresql/odbc, dois avisos") << Backend::Odbc << 2;
    }
    void servidorParadoEReiniciado()
    {
        QFETCH(Backend, backend);
        QFETCH(int, avisosParado);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QCOMPARE(linhasErradasNoAviso(), 0);
        FrmRobo &j = FrmRobo::instancia();
        const QString totalReceber = j.lblTotalAberto->text();

        contagens.append(Contagem{QByteArray(QTest::currentDataTag())});
        Contagem &c = contagens.last();
        int relatadas = 0;
        for (int i = 0; i < avisosParado; ++i) {
            const int antes = mensagensDeErro();
            bool parou = true;
            QVERIFY(proximoAviso([&] {
                if (i == 0)
                    parou = paraServidor(backend);
            }));
            QVERIFY(parou);
            ++c.injetadas;
            QVERIFY2(avisoSobreviveu(c, antes), "o aviso não sobreviveu à queda do servidor");
            QCOMPARE(mensagensDeErro(), antes + 1);
            const toolkit::MensagemMostrada &m = toolkit::mensagensMostradas().back();
            qInfo("relatório: %s", qPrintable(QString(m.texto).replace(QChar(13), QStringLiteral(" | "))));
            QCOMPARE(m.estilo, int(toolkit::EstiloExclamacao));
            QCOMPARE(m.titulo, tituloMostraErro());
            QVERIFY2(!m.texto.startsWith(QStringLiteral("(Nº")), qPrintable(m.texto)); // the provider says why
            // The grids are empty and no total of an earlier notice is left beside them.
            QVERIFY(!totalReceber.isEmpty());
            QCOMPARE(j.lblTotalAberto->text(), QString());
            ++relatadas;
        }

        QVERIFY(iniciaServidor(backend));
        {
            bancoteste::Dados depois(novaEscrita(amb, QStringLiteral("escrita-depois")));
            depois.parcela(13, 1, Hoje, Hoje.addDays(-1), 5.00);
        }
        bancoteste::fechaConexao(QStringLiteral("escrita-depois"));
        const int antes = mensagensDeErro();
        QVERIFY(proximoAviso());
        QCOMPARE(mensagensDeErro(), antes);
        QList<QStringList> receber = receberEsperado();
        receber.insert(1, {"13", "Ana Lima - Pedido 7", "08/12/2026", "5,00", "N"});
        const int erradas = linhasErradasNoAviso(receber);
        c.linhasErradas += erradas;
        QCOMPARE(erradas, 0);
        QCOMPARE(j.lblTotalAberto->text(), QStringLiteral("1.389,56"));
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("390,10"));
        QCOMPARE(j.lblTotalGeral->text(), QStringLiteral("999,46"));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
        c.sobrevividas += relatadas;
        c.imprime();
        QCOMPARE(c.sobrevividas, c.injetadas);
        QCOMPARE(c.linhasErradas, 0);
    }
};

QTEST_MAIN(TestFalhasServidor)
#include "tst_falhas_servidor.moc"
