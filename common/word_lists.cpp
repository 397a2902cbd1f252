#include "common/word_lists.h"

namespace VXCommon {

Variant gIrCodeFlagWords;
Variant gRsCodeFlagWords;
Variant gPowerSenseWords;
Variant gIrWiringWords;
Variant gCtsUseWords;
Variant gRelayWords;
Variant gSerialWords;
Variant gConnectorWords;
Variant gPinWords;
Variant gCoreFunctWords;
Variant gHidFunctWords;

void resetWordLists() {
  for (Variant* list : {&gIrCodeFlagWords, &gRsCodeFlagWords, &gPowerSenseWords, &gIrWiringWords,
                        &gCtsUseWords, &gRelayWords, &gSerialWords, &gConnectorWords, &gPinWords,
                        &gCoreFunctWords, &gHidFunctWords})
    *list = Variant();
}

}  // namespace VXCommon
