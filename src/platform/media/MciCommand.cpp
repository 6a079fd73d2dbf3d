#include "platform/media/MciCommand.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace media {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct Word {
    std::string text;
    std::size_t start = 0;  // offset of the word (or its opening quote) in the command
    bool quoted = false;
};

MciError splitWords(std::string_view text, std::vector<Word>& words) {
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size()) return MciError::None;
        Word word{{}, i, text[i] == '"'};
        if (word.quoted) {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) return MciError::NoClosingQuote;
            word.text = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            std::size_t end = i;
            while (end < text.size() && !isBlank(text[end]))
                ++end;
            word.text = text.substr(i, end - i);
            i = end;
        }
        words.push_back(std::move(word));
    }
}

// A cursor over the words that follow the device name.
class Args {
  public:
    Args(const std::vector<Word>& words, std::size_t first) : words_(words), next_(first) {}

    bool atEnd() const { return next_ >= words_.size(); }

    bool nextIs(std::string_view keyword) const {
        return !atEnd() && !words_[next_].quoted && equalsIgnoreCase(words_[next_].text, keyword);
    }

    bool nextIsAnyOf(std::initializer_list<std::string_view> keywords) const {
        return std::any_of(keywords.begin(), keywords.end(),
                           [this](std::string_view k) { return nextIs(k); });
    }

    bool take(std::string_view keyword) {
        if (!nextIs(keyword)) return false;
        ++next_;
        return true;
    }

    MciError value(std::string& out) {
        if (atEnd()) return MciError::MissingParameter;
        out = words_[next_++].text;
        return MciError::None;
    }

    MciError number(std::int64_t min, std::int64_t max, std::int64_t& out) {
        std::string text;
        if (MciError e = value(text); e != MciError::None) return e;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
        if (ec == std::errc::result_out_of_range) return MciError::OutOfRange;
        if (ec != std::errc() || end != text.data() + text.size()) return MciError::BadInteger;
        return out < min || out > max ? MciError::OutOfRange : MciError::None;
    }

    MciError number(int min, int max, int& out) {
        std::int64_t wide = 0;
        MciError e = number(std::int64_t{min}, std::int64_t{max}, wide);
        out = static_cast<int>(wide);
        return e;
    }

    // The next word must be one of the keywords; gives its index.
    MciError oneOf(std::initializer_list<std::string_view> keywords, std::size_t& index) {
        if (atEnd()) return MciError::MissingParameter;
        index = 0;
        for (std::string_view k : keywords) {
            if (take(k)) return MciError::None;
            ++index;
        }
        return MciError::UnrecognizedKeyword;
    }

    MciError expect(std::string_view keyword) {
        if (atEnd()) return MciError::MissingParameter;
        return take(keyword) ? MciError::None : MciError::UnrecognizedKeyword;
    }

    MciError expectEnd() const { return atEnd() ? MciError::None : MciError::UnrecognizedKeyword; }

  private:
    const std::vector<Word>& words_;
    std::size_t next_;
};

constexpr int kMaxInt = std::numeric_limits<int>::max();

// Runs the steps in order and stops at the first failure.
template <typename... Steps>
MciError sequence(Steps&&... steps) {
    MciError result = MciError::None;
    ((result == MciError::None ? (result = steps(), 0) : 0), ...);
    return result;
}

MciError once(bool seen) {
    return seen ? MciError::DuplicateKeyword : MciError::None;
}

MciError parseOpenFlags(Args& args, OpenArgs& open) {
    bool styled = false;
    while (!args.atEnd()) {
        MciError e = MciError::UnrecognizedKeyword;
        if (args.take("type")) {
            e = sequence([&] { return once(!open.type.empty()); },
                         [&] { return args.value(open.type); });
        } else if (args.take("alias")) {
            e = sequence([&] { return once(!open.alias.empty()); },
                         [&] { return args.value(open.alias); });
        } else if (args.take("parent")) {
            int parent = 0;
            e = sequence([&] { return once(open.parent.has_value()); },
                         [&] { return args.number(0, kMaxInt, parent); });
            open.parent = parent;
        } else if (args.take("style")) {
            std::int64_t style = 0;
            e = sequence(
                [&] { return once(std::exchange(styled, true)); },
                [&] { return args.number(0, std::numeric_limits<std::uint32_t>::max(), style); });
        }
        if (e != MciError::None) return e;
    }
    return MciError::None;
}

bool flagsParseFrom(const std::vector<Word>& words, std::size_t first) {
    Args args(words, first);
    OpenArgs scratch;
    return parseOpenFlags(args, scratch) == MciError::None;
}

// Index of the word at which the open flags begin (words.size() when there are none).
std::size_t openFlagsStart(const std::vector<Word>& words) {
    if (words[1].quoted) return 2;
    for (std::size_t k = words.size(); k-- > 1;) {
        if (!words[k].quoted && equalsIgnoreCase(words[k].text, "type") && flagsParseFrom(words, k))
            return k;
    }
    for (std::size_t k = 2; k < words.size(); ++k) {
        if (flagsParseFrom(words, k)) return k;
    }
    return words.size();
}

MciError parseOpen(std::string_view text, const std::vector<Word>& words, MciCommand& command) {
    OpenArgs open;
    const std::size_t flags = openFlagsStart(words);
    if (words[1].quoted) {
        open.element = words[1].text;
    } else {
        const std::size_t end = flags < words.size() ? words[flags].start : text.size();
        open.element = trimmed(text.substr(words[1].start, end - words[1].start));
    }
    Args args(words, flags);
    if (MciError e = parseOpenFlags(args, open); e != MciError::None) return e;
    command.device = open.alias.empty() ? open.element : open.alias;
    command.args = std::move(open);
    return MciError::None;
}

// A from or to with no number after it stands for the start or the end.
MciError playPosition(Args& args, std::optional<std::int64_t>& position) {
    if (position) return MciError::DuplicateKeyword;
    if (args.atEnd() || args.nextIsAnyOf({"from", "to", "wait"})) return MciError::None;
    std::int64_t value = 0;
    MciError e = args.number(0, kMaxInt, value);
    position = value;
    return e;
}

MciError parsePlay(Args& args, MciCommand& command) {
    PlayArgs play;
    while (!args.atEnd()) {
        MciError e = MciError::UnrecognizedKeyword;
        if (args.take("from")) {
            e = playPosition(args, play.from);
        } else if (args.take("to")) {
            e = playPosition(args, play.to);
        } else if (args.take("wait")) {
            e = once(std::exchange(play.wait, true));
        }
        if (e != MciError::None) return e;
    }
    command.args = play;
    return MciError::None;
}

MciError parseStatus(Args& args, MciCommand& command) {
    std::size_t item = 0;
    MciError e = sequence(
        [&] {
            return args.oneOf({"mode", "length", "position", "speed"}, item);
        },
        [&] { return args.expectEnd(); });
    command.args = static_cast<StatusItem>(item);
    return e;
}

MciError parseSet(Args& args, MciCommand& command) {
    SetArgs set;
    if (args.atEnd()) return MciError::MissingParameter;
    while (!args.atEnd()) {
        std::size_t choice = 0;
        MciError e = MciError::UnrecognizedKeyword;
        if (args.take("time")) {
            e = sequence([&] { return once(set.timeFormat.has_value()); },
                         [&] { return args.expect("format"); },
                         [&] {
                             return args.oneOf({"ms", "milliseconds", "frames"}, choice);
                         });
            set.timeFormat = choice == 2 ? TimeFormat::Frames : TimeFormat::Milliseconds;
        } else if (args.take("door")) {
            e = sequence([&] { return once(set.doorOpen.has_value()); },
                         [&] {
                             return args.oneOf({"open", "closed"}, choice);
                         });
            set.doorOpen = choice == 0;
        }
        if (e != MciError::None) return e;
    }
    command.args = set;
    return MciError::None;
}

MciError parseSeek(Args& args, MciCommand& command) {
    SeekArgs seek;
    MciError e = sequence([&] { return args.expect("to"); },
                          [&] { return args.number(0, kMaxInt, seek.to); },
                          [&] { return args.expectEnd(); });
    command.args = seek;
    return e;
}

MciError parsePut(Args& args, MciCommand& command) {
    constexpr int kMinInt = std::numeric_limits<int>::min();
    WindowRect rect;
    MciError e = sequence([&] { return args.expect("window"); }, [&] { return args.expect("at"); },
                          [&] { return args.number(kMinInt, kMaxInt, rect.left); },
                          [&] { return args.number(kMinInt, kMaxInt, rect.top); },
                          [&] { return args.number(0, kMaxInt, rect.width); },
                          [&] { return args.number(0, kMaxInt, rect.height); },
                          [&] { return args.expectEnd(); });
    command.args = rect;
    return e;
}

MciError parseWhere(Args& args, MciCommand& command) {
    std::size_t rect = 0;
    MciError e = sequence(
        [&] {
            return args.oneOf({"destination", "source"}, rect);
        },
        [&] { return args.expectEnd(); });
    command.args = static_cast<WhereRect>(rect);
    return e;
}

MciError parseSetAudio(Args& args, MciCommand& command) {
    SetAudioArgs audio;
    if (args.take("left"))
        audio.channel = Channel::Left;
    else if (args.take("right"))
        audio.channel = Channel::Right;
    MciError e = sequence([&] { return args.expect("volume"); }, [&] { return args.expect("to"); },
                          [&] { return args.number(0, 1000, audio.volume); },
                          [&] { return args.expectEnd(); });
    command.args = audio;
    return e;
}

MciError parseNoArgs(Args& args, MciCommand&) {
    return args.expectEnd();
}

struct VerbEntry {
    std::string_view name;
    Verb verb;
    MciError (*parse)(Args&, MciCommand&);
};

constexpr VerbEntry kVerbs[] = {
    {"open", Verb::Open, nullptr},         {"close", Verb::Close, parseNoArgs},
    {"play", Verb::Play, parsePlay},       {"pause", Verb::Pause, parseNoArgs},
    {"resume", Verb::Resume, parseNoArgs}, {"stop", Verb::Stop, parseNoArgs},
    {"seek", Verb::Seek, parseSeek},       {"status", Verb::Status, parseStatus},
    {"set", Verb::Set, parseSet},          {"put", Verb::Put, parsePut},
    {"where", Verb::Where, parseWhere},    {"setaudio", Verb::SetAudio, parseSetAudio},
};

}  // namespace

ParsedCommand parseMciCommand(std::string_view text) {
    ParsedCommand result;
    std::vector<Word> words;
    result.error = splitWords(text, words);
    if (result.error != MciError::None) return result;
    if (words.empty()) return {MciError::MissingCommand, {}};
    const auto* entry = std::find_if(std::begin(kVerbs), std::end(kVerbs), [&](const VerbEntry& v) {
        return !words[0].quoted && equalsIgnoreCase(words[0].text, v.name);
    });
    if (entry == std::end(kVerbs)) return {MciError::UnrecognizedCommand, {}};
    if (words.size() < 2) return {MciError::MissingDeviceName, {}};
    MciCommand& command = result.command;
    command.verb = entry->verb;
    if (entry->verb == Verb::Open) {
        result.error = parseOpen(text, words, command);
        return result;
    }
    command.device = words[1].text;
    if (command.verb != Verb::Close && equalsIgnoreCase(command.device, "all")) {
        return {MciError::CannotUseAll, {}};
    }
    Args args(words, 2);
    result.error = entry->parse(args, command);
    return result;
}

}  // namespace media
