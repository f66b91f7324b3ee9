#include "cli/number_option.h"

#include <algorithm>

namespace barloom {

const CLI::Validator DecimalNumber{
    [](std::string& text) -> std::string {
      const std::size_t sign = !text.empty() && text.front() == '-' ? 1 : 0;
      if (text.size() == sign || text.find_first_not_of("0123456789", sign) != std::string::npos)
        return "not a number: " + text + " (numbers are written in decimal digits)";
      const std::size_t significant = std::min(text.find_first_not_of('0', sign), text.size() - 1);
      text.erase(sign, significant - sign);
      return {};
    },
    "", "DECIMAL"};

}  // namespace barloom
