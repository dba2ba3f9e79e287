// Descriptions to identifiers, for the names of parameterised cases.
#include "support/CaseName.h"

#include <cctype>

namespace mirabo {

std::string CamelCase(std::string_view description) {
  std::string name;
  bool wordStart = true;
  for (const char c : description) {
    const auto byte = static_cast<unsigned char>(c);
    if (!std::isalnum(byte)) {
      wordStart = true;
      continue;
    }
    name += wordStart ? char(std::toupper(byte)) : c;
    wordStart = false;
  }
  return name;
}

}  // namespace mirabo
