#include "platform/RandomInt.h"

#include <cstdint>

#include "platform/Random.h"
#include "text/Output.h"

int RandomInt(int min, int max) {
  if (max < min) {
    PrintLine("ERROR (RandomInt): Min %d > Max %d", min, max);
    return 0;
  }
  // The span is computed in 64 bits so that the full int range cannot overflow.
  const int64_t span = static_cast<int64_t>(max) - min + 1;
  const int result = static_cast<int>(min + NextRandom15() % span);
  DebugPrintLine("Modified random number = %u", static_cast<unsigned>(result));
  return result;
}
