#include "notice/ProgramaDoAviso.h"

#include <QtGlobal>

namespace {
ProgramaDoAviso *programa = nullptr;
}

ProgramaDoAviso &programaDoAviso()
{
    Q_ASSERT_X(programa, "programaDoAviso", "the program is made before its windows");
    return *programa;
}

void defineProgramaDoAviso(ProgramaDoAviso *novo) { programa = novo; }
