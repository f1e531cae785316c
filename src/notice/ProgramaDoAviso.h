#pragma once

class AgendaAviso;
class FrmRobo;
namespace bancodados {
class Conexao;
}

// What the notice's windows need of the running program that owns them: the
// schedule, the one connection, its queue of readings, and to be told of the
// notice window as it is made. The program puts itself here before the first
// window is made.
class ProgramaDoAviso {
public:
    virtual ~ProgramaDoAviso() = default;
    virtual AgendaAviso &agenda() = 0;
    virtual bancodados::Conexao &conexao() = 0;
    virtual void acompanha(FrmRobo *janela) = 0;
    // "Contas a Vencer" is to be read and shown, once the queue lets it.
    virtual void pedeAVencer() = 0;
};

ProgramaDoAviso &programaDoAviso();
void defineProgramaDoAviso(ProgramaDoAviso *programa);
