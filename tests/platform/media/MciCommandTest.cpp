#include <gtest/gtest.h>

#include <string>

#include "MciTestSupport.h"
#include "platform/media/MciCommand.h"

namespace {

using namespace media;

OpenArgs parseOpen(const std::string& text) {
    const ParsedCommand parsed = parseMciCommand(text);
    EXPECT_EQ(parsed.error, MciError::None) << text;
    return parsed.error == MciError::None ? std::get<OpenArgs>(parsed.command.args) : OpenArgs{};
}

MciError errorOf(const std::string& text) {
    return parseMciCommand(text).error;
}

TEST(MciCommand, OpenTakesTheWholePathBeforeTheFlags) {
    const OpenArgs open = parseOpen(
        "open /home/ana/My Videos/type one.avi type MPEGVideo Alias movie parent 65540 Style "
        "1073741824");
    EXPECT_EQ(open.element, "/home/ana/My Videos/type one.avi");
    EXPECT_EQ(open.type, "MPEGVideo");
    EXPECT_EQ(open.alias, "movie");
    EXPECT_EQ(open.parent, 65540);
}

TEST(MciCommand, OpenPathsWithKeywordsDoubleBlanksQuotesAndNoType) {
    EXPECT_EQ(parseOpen("open /v/a  b alias x.avi type MPEGVideo alias movie").element,
              "/v/a  b alias x.avi");
    EXPECT_EQ(parseOpen("OPEN \"/v/with type in it.avi\" TYPE mpegvideo ALIAS Movie").element,
              "/v/with type in it.avi");
    EXPECT_EQ(parseOpen("open /v/Alias Files/x.avi alias m").element, "/v/Alias Files/x.avi");
    EXPECT_EQ(parseOpen("open cdaudio").element, "cdaudio");
    // An alias that happens to read "type" does not end the path early.
    const OpenArgs open = parseOpen("open /v/x.avi type MPEGVideo alias type");
    EXPECT_EQ(open.element, "/v/x.avi");
    EXPECT_EQ(open.alias, "type");
}

TEST(MciCommand, OpenWithAnEmptyPathKeepsTheFlags) {
    const ParsedCommand parsed =
        parseMciCommand("open  type MPEGVideo Alias movie parent 4 Style 1073741824");
    ASSERT_EQ(parsed.error, MciError::None);
    EXPECT_EQ(std::get<OpenArgs>(parsed.command.args).element, "");
    EXPECT_EQ(parsed.command.device, "movie");
}

TEST(MciCommand, PlayRangesAcceptEmptyValues) {
    auto play = [](const std::string& text) {
        const ParsedCommand parsed = parseMciCommand(text);
        EXPECT_EQ(parsed.error, MciError::None) << text;
        return std::get<PlayArgs>(parsed.command.args);
    };
    EXPECT_EQ(play("play movie from 0 to 50").from, 0);
    EXPECT_EQ(play("play movie from 0 to 50").to, 50);
    EXPECT_FALSE(play("play movie from  to ").from.has_value());
    EXPECT_FALSE(play("play movie from  to ").to.has_value());
    EXPECT_EQ(play("Play movie to 7").to, 7);
    EXPECT_TRUE(play("play movie from 3 wait").wait);
}

TEST(MciCommand, ReadsEveryOtherCommandOfThePlayer) {
    EXPECT_EQ(std::get<StatusItem>(parseMciCommand("status movie position").command.args),
              StatusItem::Position);
    EXPECT_EQ(
        std::get<SetArgs>(parseMciCommand("set movie time format frames").command.args).timeFormat,
        TimeFormat::Frames);
    EXPECT_EQ(std::get<SetArgs>(parseMciCommand("Set CDAudio Door Closed").command.args).doorOpen,
              false);
    EXPECT_EQ(std::get<SeekArgs>(parseMciCommand("seek movie to 1500").command.args).to, 1500);
    const auto rect =
        std::get<WindowRect>(parseMciCommand("put movie window at 1 1 320 240").command.args);
    EXPECT_EQ(rect.left + rect.top + rect.width + rect.height, 562);
    const auto audio =
        std::get<SetAudioArgs>(parseMciCommand("setaudio movie Left Volume to 580").command.args);
    EXPECT_EQ(audio.channel, Channel::Left);
    EXPECT_EQ(audio.volume, 580);
    EXPECT_EQ(parseMciCommand("Close All").command.device, "All");
    for (const char* text : {"Pause movie", "Resume movie", "Stop movie", "Close movie",
                             "Where movie destination", "status movie speed"}) {
        EXPECT_EQ(errorOf(text), MciError::None) << text;
    }
}

TEST(MciCommand, RefusesMalformedCommands) {
    EXPECT_EQ(errorOf(""), MciError::MissingCommand);
    EXPECT_EQ(errorOf("   "), MciError::MissingCommand);
    EXPECT_EQ(errorOf("jump movie"), MciError::UnrecognizedCommand);
    EXPECT_EQ(errorOf("play"), MciError::MissingDeviceName);
    EXPECT_EQ(errorOf("play movie backwards"), MciError::UnrecognizedKeyword);
    EXPECT_EQ(errorOf("play movie from x"), MciError::BadInteger);
    EXPECT_EQ(errorOf("play movie from -1"), MciError::OutOfRange);
    EXPECT_EQ(errorOf("play movie from 1 from 2"), MciError::DuplicateKeyword);
    EXPECT_EQ(errorOf("seek movie to 99999999999999999999"), MciError::OutOfRange);
    EXPECT_EQ(errorOf("seek movie"), MciError::MissingParameter);
    EXPECT_EQ(errorOf("status movie"), MciError::MissingParameter);
    EXPECT_EQ(errorOf("status movie volume"), MciError::UnrecognizedKeyword);
    EXPECT_EQ(errorOf("set movie time format smpte"), MciError::UnrecognizedKeyword);
    EXPECT_EQ(errorOf("setaudio movie volume to 1001"), MciError::OutOfRange);
    EXPECT_EQ(errorOf("put movie window at 1 2 3"), MciError::MissingParameter);
    EXPECT_EQ(errorOf("put movie window at 1 2 -3 4"), MciError::OutOfRange);
    EXPECT_EQ(errorOf("open \"/v/unterminated.avi type MPEGVideo"), MciError::NoClosingQuote);
    EXPECT_EQ(errorOf("stop all"), MciError::CannotUseAll);
}

TEST(MciCommand, HugeCommandsParse) {
    const std::string path(10000, 'p');
    EXPECT_EQ(parseOpen("open /" + path + " type MPEGVideo alias movie").element, "/" + path);
    std::string words = "open";
    for (int i = 0; i < 2500; ++i)
        words += " alias";
    EXPECT_EQ(errorOf(words), MciError::None);
    EXPECT_EQ(errorOf("play movie" + std::string(10000, ' ') + "from 1"), MciError::None);
    EXPECT_EQ(errorOf("status movie " + path), MciError::UnrecognizedKeyword);
}

}  // namespace
