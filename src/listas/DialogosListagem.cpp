#include "listas/DialogosListagem.h"
#include "listas/CsvListagem.h"
#include "listas/ImprimeListagem.h"
#include "toolkit/Toolkit.h"

#include <QDir>
#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <memory>

namespace listas {

namespace {
// Qt's own dialogs speak the program's language: Qt's Brazilian Portuguese
// texts, where the system has them (qt6-translations-l10n), loaded the first
// time a dialog opens rather than at every start.
void dialogosEmPortugues()
{
    static const bool carregado = [] {
        auto *traducao = new QTranslator(qApp);
        if (traducao->load(QStringLiteral("qtbase_pt_BR"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return QCoreApplication::installTranslator(traducao);
        delete traducao;
        return false;
    }();
    Q_UNUSED(carregado);
}
} // namespace

void imprimeEscolhida(const Listagem &listagem, QPrinter &impressora)
{
    if (!imprime(listagem, impressora))
        toolkit::caixaMensagem(mensagemNaoImprimiu(), toolkit::EstiloExclamacao);
}

void salvaEscolhido(const Listagem &listagem, const QString &caminho)
{
    QString motivo;
    if (!salvaCsv(listagem, caminho, &motivo))
        toolkit::caixaMensagem(mensagemNaoSalvou(caminho, motivo), toolkit::EstiloExclamacao);
}

void abreImpressao(QWidget *janela, const Listagem &listagem)
{
    // The printer outlives the dialog: it goes with the dialog's connection.
    dialogosEmPortugues();
    auto impressora = std::make_shared<QPrinter>(QPrinter::HighResolution);
    impressora->setDocName(listagem.titulo);
    auto *dialogo = new QPrintDialog(impressora.get(), janela);
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    dialogo->setWindowTitle(QStringLiteral("Imprimir lista"));
    dialogo->setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo->setOption(QAbstractPrintDialog::PrintPageRange, false);
    // Printed once the dialog is closed; the window's thread goes on meanwhile.
    QObject::connect(dialogo, &QDialog::accepted, dialogo, [impressora, listagem] {
        const std::shared_ptr<QPrinter> escolhida = impressora;
        const Listagem lista = listagem;
        toolkit::executaManipulador([&] { imprimeEscolhida(lista, *escolhida); });
    });
    dialogo->open();
}

void abreExportacao(QWidget *janela, const Listagem &listagem, const QDate &dia)
{
    dialogosEmPortugues();
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (pasta.isEmpty() || !QDir(pasta).exists())
        pasta = QDir::homePath();
    auto *dialogo = new QFileDialog(janela, QStringLiteral("Exportar lista"), pasta,
                                    QStringLiteral("Planilha CSV (*.csv)"));
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    dialogo->setAcceptMode(QFileDialog::AcceptSave);
    dialogo->setFileMode(QFileDialog::AnyFile);
    dialogo->setDefaultSuffix(QStringLiteral("csv"));
    dialogo->selectFile(QDir(pasta).filePath(nomeArquivoPadrao(listagem.prefixoArquivo, dia)));
    // Saved once the dialog is closed, so a message about it is not under it.
    QObject::connect(dialogo, &QDialog::accepted, dialogo, [dialogo, listagem] {
        const QString caminho = dialogo->selectedFiles().value(0);
        const Listagem lista = listagem;
        if (!caminho.isEmpty())
            toolkit::executaManipulador([&] { salvaEscolhido(lista, caminho); });
    });
    dialogo->open();
}

} // namespace listas
