// The embedded database file goes wrong between notices: removed, emptied,
// overwritten, a folder in its place (unreadable for anyone, root included), or
// back with no read permission. At each notice the program stays: it shows the
// error report with empty grids or, while the engine still holds the file open,
// the right rows; never wrong ones. A notice after a failed one opens the
// connection again, so a later fault meets that reopening. Once a good file is
// back, the next notice fills normally. A notice asked for while the report is
// on screen comes once it is closed.
#include "ApoioFalhas.h"

#include <QApplication>
#include <QDir>
#include <QAbstractButton>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTimer>
#include <cstdio>
#include <sys/stat.h>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;
using namespace apoiofalhas;

namespace {

enum class Estrago { Removido, Esvaziado, Sobrescrito, PastaNoLugar, CopiaSemLeitura };

// Puts a good copy at the path as a new file: an engine that still holds the
// old one open keeps its own, and is never handed pages changed under it.
bool poeCopia(const QString &arquivo, const QByteArray &copia, QFileDevice::Permissions permissoes)
{
    QDir().rmdir(arquivo);
    QFile::remove(arquivo);
    QFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly) || f.write(copia) != copia.size())
        return false;
    f.close();
    return ::chmod(QFile::encodeName(arquivo).constData(), permissoes == QFileDevice::Permissions() ? 0 : 0644) == 0;
}

bool estraga(Estrago e, const QString &arquivo, const QByteArray &copia)
{
    QFile f(arquivo);
    switch (e) {
    case Estrago::Removido:
        return f.remove();
    case Estrago::Esvaziado:
        return f.resize(0);
    case Estrago::Sobrescrito: {
        // Every page but the header replaced by garbage, in place.
        if (!f.open(QIODevice::ReadWrite))
            return false;
        const qint64 tamanho = qMax<qint64>(f.size(), 8192);
        f.seek(1024);
        return f.write(QByteArray(int(tamanho - 1024), char(0xA5))) == tamanho - 1024;
    }
    case Estrago::PastaNoLugar:
        QFile::remove(arquivo);
        return QDir().mkdir(arquivo);
    case Estrago::CopiaSemLeitura:
        return poeCopia(arquivo, copia, QFileDevice::Permissions());
    }
    return false;
}

QString nomeDe(Estrago e)
{
    switch (e) {
    case Estrago::Removido: return QStringLiteral("removido");
    case Estrago::Esvaziado: return QStringLiteral("esvaziado");
    case Estrago::Sobrescrito: return QStringLiteral("sobrescrito");
    case Estrago::PastaNoLugar: return QStringLiteral("pasta no lugar");
    case Estrago::CopiaSemLeitura: return QStringLiteral("cópia sem permissão de leitura");
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Estrago)
Q_DECLARE_METATYPE(QList<Estrago>)

class TestFalhasArquivo : public QObject {
    Q_OBJECT
    QList<Contagem> contagens;

private slots:
    void init()
    {
        iniciaCaso(Hoje);
    }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    void cleanupTestCase() { imprimeTotais(contagens); }

    // The file is gone at a notice: its report is a real message box. A
    // notice asked for while the box is open (the tray's "Avisar agora") is
    // kept: nothing is read under the box, and once it is closed the notice
    // comes once, from the good file put back meanwhile.
    void pedidoComCaixaAberta()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        QFile banco(amb.arquivoBanco());
        QVERIFY(banco.open(QIODevice::ReadOnly));
        const QByteArray copia = banco.readAll();
        banco.close();
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &j = FrmRobo::instancia();
        int leituras = 0;
        connect(&j, &FrmRobo::contasLidas, &j, [&] { ++leituras; });

        toolkit::ativaObservacao(false);
        const auto observa = qScopeGuard([] { toolkit::ativaObservacao(true); });
        bool pediu = false, lidoSobACaixa = false, fechou = false;
        QTimer olha;
        connect(&olha, &QTimer::timeout, [&] {
            auto *caixa = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!caixa || toolkit::caixasAbertas() != 1)
                return;
            if (!pediu) {
                pediu = true;
                Aplicacao::instancia().avisaAgora();
                QVERIFY(poeCopia(amb.arquivoBanco(), copia, QFileDevice::ReadOwner));
                return;
            }
            // A few turns of the box's own loop later: still nothing read.
            lidoSobACaixa = leituras > 0 || Aplicacao::instancia().lendo() || !Aplicacao::instancia().temPedido();
            fechou = true;
            caixa->button(QMessageBox::Ok)->click();
        });
        olha.start(100);
        QVERIFY(proximoAviso([&] { QVERIFY(QFile::remove(amb.arquivoBanco())); }));
        QTRY_VERIFY(fechou);
        olha.stop();
        QVERIFY(!lidoSobACaixa);
        QVERIFY(esperaLeituras());
        QCOMPARE(leituras, 1);
        QCOMPARE(linhasErradasNoAviso(), 0);
        QCOMPARE(j.lblTotalPago->text(), QStringLiteral("390,10"));
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
    }

    // One fault before each notice, in this order, then a good file again.
    void arquivoEstragadoEntreAvisos_data()
    {
        QTest::addColumn<QList<Estrago>>("estragos");
        using E = Estrago;
        QTest::newRow("removido") << QList<E>{E::Removido, E::Removido};
        QTest::newRow("esvaziado") << QList<E>{E::Esvaziado, E::Esvaziado};
        QTest::newRow("sobrescrito") << QList<E>{E::Sobrescrito, E::Sobrescrito};
        QTest::newRow("esvaziado, depois removido") << QList<E>{E::Esvaziado, E::Removido};
        QTest::newRow("esvaziado, depois ilegível") << QList<E>{E::Esvaziado, E::PastaNoLugar};
        QTest::newRow("sobrescrito, depois sem permissão") << QList<E>{E::Sobrescrito, E::CopiaSemLeitura};
    }
    void arquivoEstragadoEntreAvisos()
    {
        QFETCH(QList<Estrago>, estragos);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        QFile banco(amb.arquivoBanco());
        QVERIFY(banco.open(QIODevice::ReadOnly));
        const QByteArray copia = banco.readAll();
        banco.close();

        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QCOMPARE(linhasErradasNoAviso(), 0);

        contagens.append(Contagem{QByteArray(QTest::currentDataTag())});
        Contagem &c = contagens.last();
        int sobreviveram = 0;
        for (int i = 0; i < estragos.size(); ++i) {
            const int antes = mensagensDeErro();
            bool estragou = true;
            QVERIFY(proximoAviso([&] {
                const bool jaRemovido = estragos.at(i) == Estrago::Removido && !QFile::exists(amb.arquivoBanco());
                estragou = jaRemovido || estraga(estragos.at(i), amb.arquivoBanco(), copia);
            }));
            QVERIFY(estragou);
            ++c.injetadas;
            const bool sobreviveu = avisoSobreviveu(c, antes);
            qInfo("aviso %d, arquivo %s: %s", i + 1, qPrintable(nomeDe(estragos.at(i))),
                  mensagensDeErro() > antes
                      ? qPrintable(QStringLiteral("relatório ")
                                   + QString(toolkit::mensagensMostradas().back().texto).replace(QChar(13), u' '))
                      : "grades preenchidas");
            QVERIFY2(sobreviveu, "o aviso não sobreviveu ao arquivo estragado");
            if (mensagensDeErro() > antes) {
                // The program's sentence first, then the engine's words and the place.
                const QStringList linhas = toolkit::mensagensMostradas().back().texto.split(QChar(13));
                QVERIFY2(linhas.size() == 3 && linhas.value(0).contains(QStringLiteral("arquivo do banco de dados")),
                         qPrintable(linhas.join(u'|')));
                QVERIFY2(FrmRobo::instancia().lblSituacao->text().startsWith(
                             QStringLiteral("Sem conexão com o banco de dados às ")),
                         qPrintable(FrmRobo::instancia().lblSituacao->text()));
            }
            ++sobreviveram;
        }

        QVERIFY(poeCopia(amb.arquivoBanco(), copia, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        const int antes = mensagensDeErro();
        QVERIFY(proximoAviso());
        QCOMPARE(mensagensDeErro(), antes);
        const int erradas = linhasErradasNoAviso();
        c.linhasErradas += erradas;
        QCOMPARE(erradas, 0);
        QCOMPARE(FrmRobo::instancia().lblTotalGeral->text(), QStringLiteral("994,46"));
        c.sobrevividas += sobreviveram;
        c.imprime();
        QCOMPARE(c.sobrevividas, c.injetadas);
        QCOMPARE(c.linhasErradas, 0);
    }

    // Each failure met at a notice, against the first line of its report and
    // the status line: a database of another version of the sales system (a
    // column or a table the statements read is missing: the database answered)
    // and the file removed while the program runs (no connection); the first
    // on PostgreSQL through ODBC too.
    void primeiraLinhaEStatus_data()
    {
        QTest::addColumn<Backend>("backend");
        QTest::addColumn<QString>("script"); // run on the database before the program starts
        QTest::addColumn<bool>("removido");  // the file removed after the first notice
        QTest::addColumn<QString>("primeiraLinha");
        QTest::addColumn<QString>("situacao");
        const QString outraVersao = QStringLiteral(", que o OrvoAviso lê: ele será de outra versão do sistema de vendas? "
                                                   "Confira a versão com quem o fornece.");
        const QString erroAoLer = QStringLiteral("Erro ao ler as contas às ");
        QTest::newRow("postgresql/odbc, sem a coluna PROVPAGAR")
            << Backend::Odbc << "ALTER TABLE contadet DROP COLUMN provpagar" << false
            << "O banco de dados não tem a coluna PROVPAGAR" + outraVersao << erroAoLer;
        QTest::newRow("sem a coluna PROVPAGAR") << Backend::Embutido << "ALTER TABLE ContaDet DROP PROVPAGAR;\nCOMMIT;\n" << false
                                                << "O banco de dados não tem a coluna PROVPAGAR" + outraVersao << erroAoLer;
        QTest::newRow("sem a coluna Provisionado") << Backend::Embutido << "ALTER TABLE ContaDet DROP Provisionado;\nCOMMIT;\n" << false
                                                   << "O banco de dados não tem a coluna PROVISIONADO" + outraVersao
                                                   << erroAoLer;
        // Its foreign key goes first, whatever name the engine gave it.
        QTest::newRow("sem a tabela ContaGrupo")
            << Backend::Embutido << "SET TERM ^;\n"
               "EXECUTE BLOCK AS DECLARE tabela CHAR(63); DECLARE restricao CHAR(63); BEGIN\n"
               "  FOR SELECT r.RDB$RELATION_NAME, r.RDB$CONSTRAINT_NAME FROM RDB$RELATION_CONSTRAINTS r\n"
               "      JOIN RDB$REF_CONSTRAINTS f ON f.RDB$CONSTRAINT_NAME = r.RDB$CONSTRAINT_NAME\n"
               "      JOIN RDB$RELATION_CONSTRAINTS p ON p.RDB$CONSTRAINT_NAME = f.RDB$CONST_NAME_UQ\n"
               "      WHERE p.RDB$RELATION_NAME = 'CONTAGRUPO' INTO :tabela, :restricao DO\n"
               "    EXECUTE STATEMENT 'ALTER TABLE ' || TRIM(tabela) || ' DROP CONSTRAINT ' || TRIM(restricao);\n"
               "END^\nSET TERM ;^\nCOMMIT;\nDROP TABLE ContaGrupo;\nCOMMIT;\n"
            << false << "O banco de dados não tem a tabela CONTAGRUPO" + outraVersao << erroAoLer;
        QTest::newRow("arquivo removido com o programa aberto")
            << Backend::Embutido << "" << true
            << "O arquivo do banco de dados ARQUIVO não existe: ele foi apagado ou a pasta da linha 1 do orvo.ini não "
               "é a dele. Confira a pasta e se o arquivo está nela."
            << "Sem conexão com o banco de dados às ";
    }
    void primeiraLinhaEStatus()
    {
        QFETCH(Backend, backend);
        QFETCH(QString, script);
        QFETCH(bool, removido);
        QFETCH(QString, primeiraLinha);
        QFETCH(QString, situacao);
        Ambiente amb(backend);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        primeiraLinha.replace(QStringLiteral("ARQUIVO"), amb.arquivoBanco());
        if (backend == Backend::Odbc)
            amb.dados().executa(script);
        else if (!script.isEmpty())
            bancoteste::executaIsql(script, amb.arquivoBanco());
        ambienteaviso::iniciaPrograma(amb.pasta());
        FrmRobo &j = FrmRobo::instancia();
        if (removido) {
            QVERIFY(esperaPreenchimento());
            QVERIFY(proximoAviso([&] { QFile::remove(amb.arquivoBanco()); }));
        }
        QVERIFY(QTest::qWaitFor([] { return mensagensDeErro() == 1; }, 20000));
        const QStringList linhas = toolkit::mensagensMostradas().back().texto.split(QChar(13));
        qInfo("%s", qPrintable(linhas.join(QStringLiteral(" | "))));
        QCOMPARE(linhas.value(0), primeiraLinha);
        // Then the engine's own words and the place, as always.
        QVERIFY(linhas.size() >= 3 && linhas.value(1).contains(QStringLiteral("(Nº: ")));
        QVERIFY(j.lblSituacao->text().startsWith(situacao));
        QCOMPARE(j.lblSituacao->text().size(), situacao.size() + 5);
        QVERIFY(!toolkit::statusDeEncerramento().has_value());
    }

    // A restore written to a new file and moved over the old one, while the
    // engine holds the old one open: the next notice reads the new file.
    void arquivoSubstituidoLidoNoProximoAviso()
    {
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        preencheDados(amb.dados());
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        QCOMPARE(FrmRobo::instancia().lblTotalPago->text(), QStringLiteral("390,10"));

        const QString novo = amb.pasta() + QStringLiteral("/restaurado.fdb");
        QVERIFY(QFile::copy(amb.arquivoBanco(), novo));
        bancoteste::executaIsql(QStringLiteral("INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, "
                                               "ValorParcela) VALUES (32, 20, '%1', '%1', 500);\nCOMMIT;\n")
                                    .arg(Hoje.toString(Qt::ISODate)),
                                novo);
        QCOMPARE(::rename(QFile::encodeName(novo).constData(), QFile::encodeName(amb.arquivoBanco()).constData()), 0);

        const int antes = mensagensDeErro();
        QVERIFY(proximoAviso());
        QCOMPARE(mensagensDeErro(), antes);
        QCOMPARE(FrmRobo::instancia().lblTotalPago->text(), QStringLiteral("890,10"));
        QCOMPARE(apoioaviso::linhasPreenchidas(FrmRobo::instancia().grdPag), 3);
    }
};

QTEST_MAIN(TestFalhasArquivo)
#include "tst_falhas_arquivo.moc"
