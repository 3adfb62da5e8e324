#include "platform/environment.h"

#include <cstdlib>

namespace env {

std::string Get(Variable variable) {
  const char* value = std::getenv(variable.name);
  return value ? std::string(value) : std::string();
}

}  // namespace env
