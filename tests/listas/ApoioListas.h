#pragma once
// Reading back what the lists module wrote: the text of a PDF through
// pdftotext, and a CSV file through Python's csv module.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QList>
#include <QPrinter>
#include <QProcess>
#include <QStringList>

namespace apoiolistas {

// A printer that writes a PDF file, as the print dialog's "print to file".
inline void paraPdf(QPrinter &impressora, const QString &arquivo)
{
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(arquivo);
}

// The pages of a PDF as text, in reading order (empty when pdftotext failed).
inline QStringList paginasDoPdf(const QString &arquivo, QString *erro = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                          arquivo, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (erro)
            *erro = p.errorString() + QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    QStringList paginas = QString::fromUtf8(p.readAllStandardOutput()).split(QChar(12));
    if (!paginas.isEmpty() && paginas.constLast().trimmed().isEmpty())
        paginas.removeLast();
    return paginas;
}

// The rows of a CSV file as Python's csv module reads them (";" separated,
// UTF-8 with its byte-order mark taken off).
inline QList<QStringList> leCsv(const QString &arquivo, QString *erro = nullptr)
{
    const QString script = QStringLiteral(
        "import csv, json, sys\n"
        "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
        "    json.dump(list(csv.reader(f, delimiter=';')), sys.stdout)\n");
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, arquivo});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        if (erro)
            *erro = p.errorString() + QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    QList<QStringList> linhas;
    for (const QJsonValue &linha : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
        QStringList campos;
        for (const QJsonValue &c : linha.toArray())
            campos << c.toString();
        linhas << campos;
    }
    return linhas;
}

} // namespace apoiolistas
