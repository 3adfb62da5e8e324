// The run-time error number a piece of code raises, 0 when it raises none.
#pragma once

#include "runtime/errors.h"

namespace test_support {

int ErrorOf(auto&& body) {
  try {
    body();
  } catch (const rt::RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace test_support
