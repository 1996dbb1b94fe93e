#include "base/desktop.h"

#include <exception>

#include "base/codec.h"

namespace pelora {

void runGuarded(Desktop& desktop, const std::string& title, const std::function<void()>& command) {
    try {
        command();
    } catch (const ProgramEnd&) {
        throw;
    } catch (const std::exception& error) {
        // Messages of the standard library are UTF-8 (or plain ASCII).
        desktop.MsgBox(utf8ToCp1252(error.what()), Desktop::Buttons::Ok, Desktop::Icon::Exclamation,
                       title);
    }
}

}  // namespace pelora
