#include "platform/ui/Event.h"

#include <stdexcept>
#include <string>

namespace ui {

void failSecondConnect(const char* eventName) {
    throw std::logic_error(std::string(eventName) + " already has a handler");
}

}  // namespace ui
