#include "platform/interface_thread.h"

#include <thread>

namespace forms {
namespace {

// Static initialisation runs on the process's first thread, before main.
const std::thread::id interface_thread = std::this_thread::get_id();

}  // namespace

bool OnInterfaceThread() {
  return std::this_thread::get_id() == interface_thread;
}

}  // namespace forms
