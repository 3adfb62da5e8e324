// The run time's previous-instance test: whether another process of this program is running.
// Each process marks itself with a lock that the system drops when the process ends, however it
// ends, so a crashed instance never leaves a stale mark behind.
#pragma once

namespace forms {

// The first call marks this process and answers; later calls give the same answer.
bool AnotherInstanceRunning();

}  // namespace forms
