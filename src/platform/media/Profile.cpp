#include "platform/media/Profile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/files/Files.h"
#include "platform/media/Text.h"

namespace media {

namespace {

// The raw lines of a profile file (a trailing "\r" stays with its line).
struct Lines {
    std::vector<std::string> lines;

    // The name of a "[section]" line.
    static std::optional<std::string_view> sectionName(std::string_view line) {
        line = trimmed(line);
        if (line.size() < 2 || line.front() != '[') return std::nullopt;
        const auto close = line.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        return trimmed(line.substr(1, close - 1));
    }

    // Index of the section's header line, or lines.size().
    std::size_t findSection(std::string_view section) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            auto name = sectionName(lines[i]);
            if (name && equalsIgnoreCase(*name, section)) return i;
        }
        return lines.size();
    }

    // One past the section's last line.
    std::size_t sectionEnd(std::size_t header) const {
        std::size_t i = header + 1;
        while (i < lines.size() && !sectionName(lines[i]))
            ++i;
        return i;
    }

    // Index of the key's line inside the section, or nothing.
    std::optional<std::size_t> findKey(std::size_t header, std::string_view key) const {
        const std::size_t end = sectionEnd(header);
        for (std::size_t i = header + 1; i < end; ++i) {
            const auto eq = lines[i].find('=');
            if (eq != std::string::npos &&
                equalsIgnoreCase(trimmed(std::string_view(lines[i]).substr(0, eq)), key))
                return i;
        }
        return std::nullopt;
    }

    // Replaces the key's line, or adds it after the section's last entry, or
    // adds the section at the end.
    void put(std::string_view section, std::string_view key, std::string entry) {
        const std::size_t header = findSection(section);
        if (header == lines.size()) {
            lines.push_back("[" + std::string(section) + "]");
            lines.push_back(std::move(entry));
        } else if (auto line = findKey(header, key)) {
            lines[*line] = std::move(entry);
        } else {
            std::size_t at = sectionEnd(header);
            while (at > header + 1 && trimmed(lines[at - 1]).empty())
                --at;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
        }
    }
};

QString localPath(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

// Names and values that would break the line structure are refused.
bool fitsOnALine(std::string_view text, std::string_view forbidden) {
    return text.find_first_of(forbidden) == std::string_view::npos;
}

Lines readLines(const std::string& path) {
    Lines result;
    QFile file(localPath(path));
    if (!files::openRegularFile(file, QIODevice::ReadOnly)) return result;
    const QByteArray bytes = file.readAll();
    for (const QByteArray& line : bytes.split('\n'))
        result.lines.emplace_back(line.toStdString());
    if (!result.lines.empty() && result.lines.back().empty()) result.lines.pop_back();
    return result;
}

bool writeLines(const std::string& path, const Lines& content) {
    QSaveFile file(localPath(path));
    if (!files::openReplacing(file, QIODevice::WriteOnly)) return false;
    for (const std::string& line : content.lines) {
        file.write(line.data(), static_cast<qint64>(line.size()));
        file.write("\n", 1);
    }
    return file.commit();
}

}  // namespace

std::string Profile::privatePath(const char* fileName) const {
    if (fileName == nullptr) return {};
    const std::string_view name(fileName);
    const auto slash = name.find_last_of("/\\");
    const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    if (last.empty() || last == "." || last == "..") return {};
    return folder_ + "/" + std::string(last);
}

bool Profile::passedOver(const std::string& path) const {
    if (passedOver_.count(path)) return true;
    if (!files::passedOver(localPath(path))) return false;
    passedOver_.insert(path);
    return true;
}

std::uint32_t Profile::GetWindowsDirectoryA(char* buffer, std::uint32_t size) const {
    return copyWholeToBuffer(folder_, buffer, size);
}

std::uint32_t Profile::GetPrivateProfileStringA(const char* section, const char* key,
                                                const char* defaultValue, char* buffer,
                                                std::uint32_t size, const char* fileName) const {
    const std::string_view fallback = defaultValue ? defaultValue : "";
    const std::string path = privatePath(fileName);
    if (section == nullptr || key == nullptr || path.empty() || passedOver(path))
        return copyToBuffer(fallback, buffer, size);
    const Lines content = readLines(path);
    const std::size_t header = content.findSection(section);
    if (header == content.lines.size()) return copyToBuffer(fallback, buffer, size);
    const auto line = content.findKey(header, key);
    if (!line) return copyToBuffer(fallback, buffer, size);
    const std::string& text = content.lines[*line];
    return copyToBuffer(trimmed(std::string_view(text).substr(text.find('=') + 1)), buffer, size);
}

bool Profile::WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                         const char* fileName) const {
    const std::string path = privatePath(fileName);
    if (section == nullptr || key == nullptr || value == nullptr || path.empty()) return false;
    if (trimmed(key).empty() || trimmed(section).empty() || key[0] == '[') return false;
    if (!fitsOnALine(section, "]\r\n") || !fitsOnALine(key, "=\r\n") || !fitsOnALine(value, "\r\n"))
        return false;
    Lines content = readLines(path);
    content.put(section, key, std::string(key) + "=" + value);
    QDir().mkpath(localPath(folder_));
    return writeLines(path, content);
}

}  // namespace media
