#include "platform/media/MciErrors.h"

#include <map>

namespace media {

const char* mciErrorText(std::uint32_t value) {
    static const std::map<MciError, const char*> texts = {
        {MciError::None, "The specified command was carried out."},
        {MciError::InvalidDeviceName,
         "The specified device is not open or is not recognized by MCI."},
        {MciError::UnrecognizedCommand, "The specified command is not recognized by MCI."},
        {MciError::UnrecognizedKeyword,
         "The command contains a word that is not recognized. Check the command's parameters."},
        {MciError::MissingCommand, "No command was specified."},
        {MciError::MissingDeviceName, "The command requires a device name or an alias."},
        {MciError::MissingParameter,
         "The specified command requires a parameter. Please supply one."},
        {MciError::BadInteger, "A number in the command is missing or is not a valid integer."},
        {MciError::OutOfRange,
         "The specified parameter is out of range for the specified command."},
        {MciError::NoClosingQuote, "A closing quotation mark is missing."},
        {MciError::DuplicateKeyword, "A parameter was given more than once in the same command."},
        {MciError::CannotUseAll, "The device name \"all\" is not allowed for this command."},
        {MciError::DuplicateAlias,
         "The specified alias is already being used in this application. Use a unique alias."},
        {MciError::UnknownDeviceType,
         "The specified device type is not installed or is not recognized by MCI."},
        {MciError::FilenameRequired, "A valid file name is required."},
        {MciError::FileNotFound,
         "The specified file cannot be found. Make sure the path and file name are correct."},
        {MciError::InvalidFile,
         "The specified file cannot be played on the specified MCI device. The file may be corrupt "
         "or in a format that is not supported."},
        {MciError::LoadTimeout,
         "The file did not finish loading in time. It may be on a slow or unavailable drive."},
        {MciError::BadWindowHandle, "The window handle given for the video is not valid."},
        {MciError::NoWindow, "There is no display window."},
        {MciError::UnsupportedFunction, "The specified MCI device does not support this command."},
        {MciError::NoCdDrive, "No CD drive is present, or the drive cannot be used."},
        {MciError::DeviceFailed, "The device reported a failure while carrying out the command."},
        {MciError::EngineUnavailable, "The media engine could not be started."},
    };
    auto it = texts.find(static_cast<MciError>(value));
    return it == texts.end() ? nullptr : it->second;
}

}  // namespace media
