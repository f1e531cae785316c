#pragma once
#include <functional>

// The immediate end of the process, shared by encerraPrograma and the
// platform's own way of taking the system's request to end.
namespace toolkit {
// Runs right before every immediate end; set once, before any other thread starts.
void defineAntesDoFimImediato(std::function<void()> antesDoFim);
[[noreturn]] void fimImediato(int status);
} // namespace toolkit
