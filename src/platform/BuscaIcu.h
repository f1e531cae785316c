#pragma once
#include <string>
#include <unordered_set>
#include <vector>

// At its first attachment in a process the embedded engine looks for the ICU
// library by asking the dynamic loader for one version's file name after
// another ("libicuuc.so.5_2", "libicuuc.so.4_19", …, twice each) until one
// loads: on this system some 470 failed look-ups of five file system calls
// each, about 20 ms of every start-up. The program
// answers those requests itself (dlopen is defined in the program, which the
// engine's calls reach first): an ICU name that no folder searched by the
// loader holds is refused at once, with the loader's own message, and every
// other request goes to the loader untouched. The engine ends with the same
// library as before, only sooner.
namespace bancodados::icu {

// A plain file name of an ICU library: "libicuuc.so.…" or "libicui18n.so.…".
bool nomeDoIcu(const char *nome);

// The folders the loader searches for a plain name: those of LD_LIBRARY_PATH
// and the program's own, the system's, those its configuration
// (/etc/ld.so.conf) lists, and their subfolders for the processor. A
// superset of the loader's, so that no library it would find is refused.
std::vector<std::string> pastasDoCarregador();

// The ICU file names ("libicu…") those folders hold, read once.
const std::unordered_set<std::string> &nomesPresentes();

} // namespace bancodados::icu
