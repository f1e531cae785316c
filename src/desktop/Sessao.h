#pragma once
#include <functional>

class QObject;

// The desktop session around the program, over D-Bus.
namespace sessao {

// Calls aoRetomar each time the machine wakes from suspend (logind's
// PrepareForSleep(false) on the system bus), for as long as contexto lives.
// Without a system bus or logind nothing is ever called; false then.
bool aoRetomar(QObject *contexto, std::function<void()> aoRetomar);

} // namespace sessao
