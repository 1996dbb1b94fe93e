// Fuzzes the detection of a roster's encoding: any bytes are read without a crash; Windows-1252
// text that holds more than ASCII, saved as UTF-8, comes back exactly; ASCII stays as it is; and
// the escapes of names as written (base/codec.h).
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

    // Names as written: any bytes come back from UTF-8 as they were, escapes and all, and a text
    // loses one character, never part of an escape, each time its last one is dropped.
    const std::string written = textAsWritten(input);
    PELORA_CHECK(utf8AsWritten(asUtf8(input)) == input);
    PELORA_CHECK(utf8AsWritten(asUtf8(written)) == written);
    PELORA_CHECK(withoutEscapes(written).size() == characterCount(written));
    std::string shorter = written;
    for (std::size_t count = characterCount(written); !shorter.empty() && size < 4096;) {
        dropLastCharacter(shorter);
        PELORA_CHECK(characterCount(shorter) == --count);
    }
    return 0;
}
