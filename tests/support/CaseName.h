#pragma once

#include <gtest/gtest.h>

#include <string>

// Names each case of a parameterised test by its `name` field, so that a
// failure line and `ctest -R` say which case it is.
struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const
    {
        return info.param.name;
    }
};
