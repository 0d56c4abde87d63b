#include <windows.h>

#include "bench/process_time.h"

namespace zet {

double ProcessTimeMs() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
    return 0;
  }
  const auto ms = [](const FILETIME& time) {
    return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
           1e4;  // units of 100 ns
  };
  return ms(kernel) + ms(user);
}

}  // namespace zet
