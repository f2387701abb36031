#include "platform/RandomInt.h"

#include "platform/Random.h"
#include "text/Output.h"

int RandomInt(int min, int max) {
  if (max < min) {
    PrintLine("ERROR (RandomInt): Min %d > Max %d", min, max);
    return 0;
  }
  // The span is computed in 64 bits so that extreme bounds never overflow.
  const long long span = static_cast<long long>(max) - min + 1;
  const int r = NextRandom15();
  const int result = static_cast<int>(min + static_cast<long long>(r) % span);
  if (DebugMode()) DebugPrintLine("Modified random number = %u", static_cast<unsigned>(result));
  return result;
}
