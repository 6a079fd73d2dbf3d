#pragma once

#include <QString>
#include <exception>
#include <string>

namespace ui {

// Error numbers of the runtime the windows were written against; handlers
// that show an error build their text from the number and the description.
enum ErrorNumber {
    kInvalidCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kDivisionByZero = 11,
    kTypeMismatch = 13,
    kFileNotFound = 53,
    kPathFileAccess = 75,
    kObjectNotSet = 91,
    kControlArrayElementMissing = 340,
    kInvalidPropertyValue = 380,
    kInvalidPropertyArrayIndex = 381,
    kInvalidPicture = 481,
    kIndexOutOfBounds = 35600,
};

// A failing statement.  Routines that "skip a failing statement and go on"
// run each statement through step(); the others let it reach their caller.
class RuntimeError : public std::exception {
  public:
    explicit RuntimeError(int number, QString description = {});
    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

  private:
    int number_;
    QString description_;
    std::string what_;
};

QString standardDescription(int number);

// Ends the process at once.  Live, the application exits without unwinding;
// in tests the injected exit throws this, which no step or event dispatch
// swallows, so nothing after the exit point runs.
struct ProcessExit {
    int code;
};

// Runs one statement; a runtime error is dropped and the caller goes on.  Any
// other exception (a programming fault, memory exhausted) is no failing
// statement: it goes on to the event dispatch, which reports it.
template <class F>
void step(F&& statement) {
    try {
        statement();
    } catch (const RuntimeError&) {
    }
}

// The program's own error report, on standard error: "plenk-player: " + where +
// ": " + text.
void reportError(const std::string& where, const std::string& text);
void reportEscapedError(const char* eventName, const std::exception& e);

// Runs an event handler: an error that escapes it is written to standard
// error and the program goes on.
template <class F>
void dispatchEvent(const char* eventName, F&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        reportEscapedError(eventName, e);
    }
}

}  // namespace ui
