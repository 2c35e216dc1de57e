#include "games/core/randomsource.h"

#include <ctime>

namespace nimbara {

void ClockSeededRandom::seedFromClock() {
    m_engine.seed(static_cast<std::mt19937::result_type>(std::time(nullptr)));
}

}  // namespace nimbara
