#pragma once

#include "games/core/gamedefinition.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace nimbara {

// A game in a failure message: its import id.
inline void PrintTo(const GameDefinition& game, std::ostream* out) {
    *out << game.importId;
}

namespace test {

// A test row named after its game: "clouds-normal" as "cloudsnormal".
inline std::string gameRowName(const std::string& importId) {
    std::string name = importId;
    std::erase(name, '-');
    return name;
}

inline std::string gameRowName(const testing::TestParamInfo<GameDefinition>& row) {
    return gameRowName(row.param.importId);
}

}  // namespace test
}  // namespace nimbara
