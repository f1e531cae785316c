// The notice window's lists, the overdue window's and the coming days', printed and saved from
// the windows on a real database: the dialogs open without holding the
// window, the CSV file chosen holds the rows on screen, the PDF their text.
#include "ApoioAviso.h"
#include "listas/ApoioListas.h"
#include "listas/ImprimeListagem.h"
#include "notice/FrmAVencer.h"
#include "notice/FrmVencidas.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

using ambienteaviso::Ambiente;
using ambienteaviso::Backend;
using namespace apoioaviso;
using namespace apoiolistas;

namespace {
template <typename Dialogo> Dialogo *dialogoAberto(QWidget *janela)
{
    Dialogo *d = nullptr;
    QTest::qWaitFor([&] { return (d = janela->findChild<Dialogo *>()) && d->isVisible(); }, 5000);
    return d && d->isVisible() ? d : nullptr;
}
} // namespace

class TestListas : public QObject {
    Q_OBJECT
    const QDate hoje = QDate(2026, 12, 8);

private slots:
    void init() { iniciaCaso(hoje); }
    void cleanup() { ambienteaviso::encerraPrograma(); }

    void imprimeEExporta_data()
    {
        QTest::addColumn<QString>("janelaLida");
        QTest::addColumn<QString>("nomePadrao");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QStringList>("receber");
        QTest::addColumn<QStringList>("pagar");
        QTest::addColumn<QString>("totalPagar");
        const QStringList cabecalho{"Lado", "Código Detalhe", "Descrição do Pagamento", "Data Vencimento", "Valor",
                                    "Prov S/N"};
        // Shortcuts on the notice window, the delay box holding the focus.
        QTest::newRow("aviso") << "aviso" << "contas-2026-12-08.csv" << "Orvo Aviso - Versão 1.2"
                               << QStringList{"Receber", "10", "Souza; Filhos - Pedido \"1\"", "08/12/2026", "1234,56", "S"}
                               << QStringList{"Pagar", "30", "Distribuidora Sul - NF 10", "08/12/2026", "90,00", "N"}
                               << "90,00";
        // The overdue window's buttons; its days late come along.
        QTest::newRow("vencidas") << "vencidas" << "vencidas-2026-12-08.csv" << "Contas Vencidas em Aberto"
                                  << QStringList{"Receber", "11", "Souza; Filhos - Pedido \"1\"", "07/12/2026", "100,00", "N", "1"}
                                  << QStringList{"Pagar", "31", "Distribuidora Sul - NF 10", "28/11/2026", "1500,00", "N", "10"}
                                  << "1.500,00";
        // The coming days' buttons; its day-by-day table is printed, not saved.
        QTest::newRow("a vencer") << "avencer" << "a-vencer-2026-12-08.csv" << "Contas a Vencer"
                                  << QStringList{"Receber", "12", "Souza; Filhos - Pedido \"1\"", "09/12/2026", "50,00", "N"}
                                  << QStringList{"Pagar", "32", "Distribuidora Sul - NF 10", "10/12/2026", "75,00", "N"}
                                  << "75,00";
    }
    void imprimeEExporta()
    {
        QFETCH(QString, janelaLida);
        const bool vencidas = janelaLida == QLatin1String("vencidas");
        const bool aVencer = janelaLida == QLatin1String("avencer");
        QFETCH(QString, nomePadrao);
        QFETCH(QString, titulo);
        QFETCH(QStringList, receber);
        QFETCH(QStringList, pagar);
        QFETCH(QString, totalPagar);
        Ambiente amb(Backend::Embutido);
        EXIGE_AMBIENTE(amb);
        auto &d = amb.dados();
        d.cliente(1, QStringLiteral("Souza; Filhos"));
        d.conta(1, "R", 1, {}, {}, QStringLiteral("Pedido \"1\""));
        d.parcela(10, 1, hoje, hoje.addDays(-5), 1234.56, "N", "N", QStringLiteral("S"));
        d.parcela(11, 1, hoje.addDays(-1), hoje.addDays(-5), 100.00);
        d.parcela(12, 1, hoje.addDays(1), hoje.addDays(-5), 50.00);
        d.fornecedor(1, QStringLiteral("Distribuidora Sul"));
        d.conta(20, "P", {}, 1, {}, QStringLiteral("NF 10"));
        d.parcela(30, 20, hoje, hoje.addDays(-30), 90.00);
        d.parcela(31, 20, hoje.addDays(-10), hoje.addDays(-30), 1500.00);
        d.parcela(32, 20, hoje.addDays(2), hoje.addDays(-30), 75.00);

        const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
        ambienteaviso::iniciaPrograma(amb.pasta());
        QVERIFY(esperaPreenchimento());
        FrmRobo &aviso = FrmRobo::instancia();
        QWidget *janela = &aviso;
        if (vencidas) {
            QVERIFY(abreVencidasEEspera());
            janela = &FrmVencidas::instancia();
        } else if (aVencer) {
            aviso.cmdProximos->click();
            QVERIFY(esperaLeituras());
            QVERIFY(FrmAVencer::carregada());
            janela = &FrmAVencer::instancia();
        }
        QVERIFY(toolkit::mensagensMostradas().empty());
        const listas::Listagem lista = vencidas ? FrmVencidas::instancia().listagem()
            : aVencer                            ? FrmAVencer::instancia().listagem()
                                                 : aviso.listagem();
        QVERIFY(lista.lidaEm >= antes && lista.lidaEm <= QDateTime::currentDateTime());

        if (janelaLida == QLatin1String("aviso")) {
            // The grids' menu holds both; it pops up and the handler returns.
            QContextMenuEvent clique(QContextMenuEvent::Mouse, QPoint(10, 10));
            QCoreApplication::sendEvent(aviso.tabelaPag->viewport(), &clique);
            auto *menu = dialogoAberto<QMenu>(&aviso);
            QVERIFY(menu);
            QStringList textos;
            for (QAction *a : menu->actions())
                textos << a->text() + QLatin1Char('|') + a->shortcut().toString();
            QCOMPARE(textos, (QStringList{"Imprimir…|Ctrl+P", "Exportar…|Ctrl+E"}));
            menu->close();
            aviso.txtHora->setFocus();
        }
        // The notice by its shortcuts, the other windows by their buttons.
        QPushButton *imprimir = vencidas ? FrmVencidas::instancia().cmdImprimir
            : aVencer                    ? FrmAVencer::instancia().cmdImprimir
                                         : nullptr;
        QPushButton *exportar = vencidas ? FrmVencidas::instancia().cmdExportar
            : aVencer                    ? FrmAVencer::instancia().cmdExportar
                                         : nullptr;
        const auto pede = [&](QPushButton *botao, Qt::Key tecla) {
            if (botao)
                botao->click();
            else
                QTest::keyClick(QApplication::focusWidget(), tecla, Qt::ControlModifier);
        };

        // Saved where the file dialog was pointed, under its default name first.
        pede(exportar, Qt::Key_E);
        auto *arquivos = dialogoAberto<QFileDialog>(janela);
        QVERIFY(arquivos);
        QCOMPARE(QFileInfo(arquivos->selectedFiles().value(0)).fileName(), nomePadrao);
        // Qt's own dialog in Portuguese too.
        QStringList botoes;
        for (const QPushButton *botao : arquivos->findChildren<QPushButton *>())
            botoes << botao->text().remove(u'&');
        QVERIFY2(botoes.contains(QStringLiteral("Salvar")), qPrintable(botoes.join(u',')));
        QTemporaryDir pasta;
        const QString csv = pasta.filePath(nomePadrao);
        arquivos->selectFile(csv);
        static_cast<QDialog *>(arquivos)->accept(); // as its "Save" button
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(csv); }, 5000));
        QVERIFY(toolkit::mensagensMostradas().empty());
        QString erro;
        const QList<QStringList> linhas = leCsv(csv, &erro);
        QVERIFY2(linhas.size() == 3, qPrintable(erro + QString::number(linhas.size())));
        QCOMPARE(linhas.at(0).mid(0, 6), (QStringList{"Lado", "Código Detalhe", "Descrição do Pagamento",
                                                      "Data Vencimento", "Valor", "Prov S/N"}));
        QCOMPARE(linhas.at(1), receber);
        QCOMPARE(linhas.at(2), pagar);

        // The system's print dialog opens over the window and is left.
        pede(imprimir, Qt::Key_P);
        auto *impressao = dialogoAberto<QPrintDialog>(janela);
        QVERIFY(impressao);
        impressao->reject();

        // What it prints, on a PDF printer.
        const QString pdf = pasta.filePath(QStringLiteral("lista.pdf"));
        QPrinter impressora(QPrinter::HighResolution);
        paraPdf(impressora, pdf);
        QVERIFY(listas::imprime(lista, impressora));
        const QString texto = paginasDoPdf(pdf, &erro).join(QChar(10));
        QVERIFY2(!texto.isEmpty(), qPrintable(erro));
        QVERIFY(texto.contains(titulo));
        QVERIFY(texto.contains(QStringLiteral("Leitura de ") + listas::textoDaLeitura(lista.lidaEm)));
        QVERIFY(texto.contains(QStringLiteral("Página 1 de 1")));
        QVERIFY(texto.contains(QStringLiteral("Souza; Filhos - Pedido \"1\"")));
        QVERIFY(texto.contains(QStringLiteral("Total Pagar: ") + totalPagar));
        QCOMPARE(texto.contains(QStringLiteral("Pagar-Receber")), janelaLida == QLatin1String("aviso"));
        QCOMPARE(texto.contains(QStringLiteral("Saldo acumulado")), aVencer);
    }
};

QTEST_MAIN(TestListas)
#include "tst_listas.moc"
