// The run time's time-of-day service.
#pragma once

namespace rt {

struct TimeOfDay {
  int hour;    // 0 to 23
  int minute;  // 0 to 59
  int second;  // 0 to 59
};

// The local time of day now. Tests may pin it with SetTimeOfDayForTests.
TimeOfDay Now();
void SetTimeOfDayForTests(const TimeOfDay* pinned);  // nullptr returns to the real clock

}  // namespace rt
