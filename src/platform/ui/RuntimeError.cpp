#include "platform/ui/RuntimeError.h"

#include <cstdio>

namespace ui {

QString standardDescription(int number) {
    switch (number) {
        case kInvalidCall:
            return "Invalid procedure call or argument";
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kSubscriptOutOfRange:
            return "Subscript out of range";
        case kDivisionByZero:
            return "Division by zero";
        case kTypeMismatch:
            return "Type mismatch";
        case kFileNotFound:
            return "File not found";
        case kPathFileAccess:
            return "Path/File access error";
        case kObjectNotSet:
            return "Object variable or With block variable not set";
        case kControlArrayElementMissing:
            return "Control array element doesn't exist";
        case kInvalidPropertyValue:
            return "Invalid property value";
        case kInvalidPropertyArrayIndex:
            return "Invalid property array index";
        case kInvalidPicture:
            return "Invalid picture";
        case kIndexOutOfBounds:
            return "Index out of bounds";
        default:
            return QString("Application-defined or object-defined error");
    }
}

RuntimeError::RuntimeError(int number, QString description)
    : number_(number),
      description_(description.isEmpty() ? standardDescription(number) : std::move(description)),
      what_(QString("%1: %2").arg(number_).arg(description_).toStdString()) {}

void reportError(const std::string& where, const std::string& text) {
    std::fprintf(stderr, "plenk-player: %s: %s\n", where.c_str(), text.c_str());
}

void reportEscapedError(const char* eventName, const std::exception& e) {
    reportError(std::string("error in ") + eventName, e.what());
}

}  // namespace ui
