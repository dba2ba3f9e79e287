// Names for the cases of parameterised GoogleTest tests. A case type holds a `name`, a
// short description of the case; GoogleTest wants identifiers, so the case's tests are
// named by that description in CamelCase: "leading space" names the case LeadingSpace.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace mirabo {

// The description's letters and digits, each word begun with a capital.
std::string CamelCase(std::string_view description);

// Give as the last argument of INSTANTIATE_TEST_SUITE_P.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return CamelCase(info.param.name);
  }
};

}  // namespace mirabo
