#pragma once
#include <condition_variable>
#include <mutex>

namespace bancodados {

// A gate that calls pass, counted, while it is open. Closing it waits a while
// for the calls inside to leave; calls that come after wait until it opens
// again. Never destroyed once made: threads may wait at it while the process
// ends.
class Portao {
public:
    void entra();
    void sai();
    // False when calls were still inside after `ms`.
    bool fecha(int ms);
    void abre();

private:
    std::mutex mutex_;
    std::condition_variable aviso_;
    int dentro_ = 0;
    bool fechado_ = false;
};

} // namespace bancodados
