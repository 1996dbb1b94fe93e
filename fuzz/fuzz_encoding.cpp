// Fuzzes the detection of a roster's encoding: any bytes are read without a crash; Windows-1252
// text that holds more than ASCII, saved as UTF-8, comes back exactly; ASCII stays as it is.
#include <cstdint>

#include "base/codec.h"
#include "fuzz_support.h"

using namespace pelora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string read = textAsCp1252(input);
    bool ascii = true;
    for (unsigned char c : input)
        ascii = ascii && c < 0x80;
    if (ascii) PELORA_CHECK(read == input);
    if (!ascii) PELORA_CHECK(textAsCp1252(cp1252ToUtf8(input)) == input);
    return 0;
}
