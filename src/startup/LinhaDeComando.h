#pragma once
#include <QStringList>
#include <optional>

// The program's command line: --help and --version answer and end; anything
// else unknown is refused. Read before the window toolkit starts, so both
// work with no desktop.
namespace linhadecomando {

// The status to end with at once, or nothing when the program is to run.
// Answers go to standard output, refusals to standard error.
std::optional<int> interpreta(const QStringList &argumentos, const QString &versao);

} // namespace linhadecomando
