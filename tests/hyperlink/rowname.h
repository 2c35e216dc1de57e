#pragma once

#include <gtest/gtest.h>

#include <string>

namespace nimbara::test {

// Names a table test's row by its name member.
template <typename Row>
std::string rowName(const testing::TestParamInfo<Row>& row) {
    return row.param.name;
}

}  // namespace nimbara::test
