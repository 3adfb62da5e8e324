#include "platform/unsupported.h"

#include <string>

namespace win {

void Unsupported(std::string_view call, std::string_view what) {
  throw UnsupportedCall(std::string(call) + ": " + std::string(what) + " is not supported");
}

}  // namespace win
