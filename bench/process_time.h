// The processor time this process has used, user and system together, in
// milliseconds: less disturbed than the clock by other work on the machine.
#pragma once

namespace zet {

double ProcessTimeMs();

}  // namespace zet
