#include "database/firebird/Portao.h"

#include <chrono>

namespace bancodados {

void Portao::entra()
{
    std::unique_lock<std::mutex> trava(mutex_);
    aviso_.wait(trava, [this] { return !fechado_; });
    ++dentro_;
}

void Portao::sai()
{
    std::lock_guard<std::mutex> trava(mutex_);
    if (--dentro_ == 0 && fechado_)
        aviso_.notify_all();
}

bool Portao::fecha(int ms)
{
    std::unique_lock<std::mutex> trava(mutex_);
    fechado_ = true;
    return aviso_.wait_for(trava, std::chrono::milliseconds(ms), [this] { return dentro_ == 0; });
}

void Portao::abre()
{
    std::lock_guard<std::mutex> trava(mutex_);
    fechado_ = false;
    aviso_.notify_all();
}

} // namespace bancodados
