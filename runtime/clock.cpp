#include "runtime/clock.h"

#include <ctime>
#include <optional>

namespace rt {
namespace {
std::optional<TimeOfDay> pinned_time;
}

TimeOfDay Now() {
  if (pinned_time) return *pinned_time;
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_hour, local.tm_min, local.tm_sec};
}

void SetTimeOfDayForTests(const TimeOfDay* pinned) {
  if (pinned) pinned_time = *pinned; else pinned_time.reset();
}

}  // namespace rt
