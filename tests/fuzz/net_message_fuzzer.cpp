// libFuzzer target: any bytes as a net peer's message, for decodeMessage() under limits the
// input chooses (net_message_check.h).
#include <cstddef>
#include <cstdint>

#include "net_message_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkNetMessage(data, size);
    return 0;
}
