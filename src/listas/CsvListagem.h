#pragma once
#include "listas/Listagem.h"

#include <QByteArray>
#include <QString>

// A list saved for a spreadsheet: a header row, then one row per instalment
// with its side ("Receber", "Pagar") first and the grid's columns after it,
// separated by ";"; amounts with the workstation's decimal symbol and no
// grouping, so a spreadsheet of the same workstation reads them as numbers.
// UTF-8 with a byte-order mark, lines ended by CR LF, fields quoted when they
// hold ";", quotes or line breaks. The extra table is left out: its rows are
// not instalments, and a spreadsheet reads one table a file.
namespace listas {

QByteArray textoCsv(const Listagem &listagem);

// Writes the file whole or not at all: a file already there stays as it was
// when the writing fails. False, with the system's reason, on failure.
bool salvaCsv(const Listagem &listagem, const QString &caminho, QString *motivo = nullptr);

// What the user is told when the file could not be written.
QString mensagemNaoSalvou(const QString &caminho, const QString &motivo);

} // namespace listas
