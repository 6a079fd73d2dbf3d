#include <gtest/gtest.h>

#include "platform/ui/RuntimeError.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "shared/TextCodec.h"

using namespace shared;

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(57.5), 58);
    EXPECT_EQ(roundHalfEven(56.5), 56);
    EXPECT_EQ(roundHalfEven(0.49999), 0);
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_THROW(CLng(2147483647.5), ui::RuntimeError);
    EXPECT_THROW(CInt(32767.5), ui::RuntimeError);
    EXPECT_EQ(CInt(-32768.4), -32768);
}

TEST(NumberText, WritesSinglesAndDoublesInTheLocalesFormat) {
    ScopedDecimalSeparator dot('.');
    EXPECT_EQ(formatSingle(1234.5f), "1234.5");
    EXPECT_EQ(formatSingle(0.1f), "0.1");
    EXPECT_EQ(formatSingle(-300), "-300");
    EXPECT_EQ(formatSingle(12345678), "1.234568E+07");
    EXPECT_EQ(formatSingle(3530.25f), "3530.25");
    EXPECT_EQ(formatDouble(245.32), "245.32");
    EXPECT_EQ(formatDouble(0.1 + 0.2), "0.3");
    EXPECT_EQ(formatDouble(0.00001), "1E-05");
    EXPECT_EQ(formatDouble(0), "0");
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(formatDouble(12.48), "12,48");
}

TEST(NumberText, ReadsTheLocalesSeparatorAndThePoint) {
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(parseNumber("12,5"), 12.5);
    EXPECT_EQ(parseNumber(" 12.5 "), 12.5);
    EXPECT_EQ(parseNumber("-3E+2"), -300);
    EXPECT_FALSE(parseNumber("12abc"));
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("1,2,3"));
    EXPECT_THROW(toDouble("garbage"), ui::RuntimeError);
}

TEST(NumberText, ValTakesTheLeadingNumber) {
    EXPECT_EQ(Val("750 frames"), 750);
    EXPECT_EQ(Val("1 2 3"), 123);
    EXPECT_EQ(Val("12.48"), 12.48);
    EXPECT_EQ(Val("12,48"), 12);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
}

TEST(TextCodec, WindowsCodePageRoundTripsAndUnknownCharactersBecomeQuestionMarks) {
    const QByteArray bytes("\x80 caf\xe9 \x9f", 8);
    const QString text = fromCp1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("€ café Ÿ"));
    EXPECT_EQ(toCp1252(text), bytes);
    EXPECT_EQ(toCp1252(QString::fromUtf8("ș")), QByteArray("?"));
}

TEST(TextCodec, OnlyValidUtf8DecodesAsUtf8) {
    EXPECT_EQ(decodeUtf8(QString::fromUtf8("Ștefan").toUtf8(), false), QString::fromUtf8("Ștefan"));
    EXPECT_FALSE(decodeUtf8(QByteArray("Beyonc\xe9"), false));
    EXPECT_FALSE(decodeUtf8(QByteArray("\xc3"), false)) << "a sequence cut at the end";
    EXPECT_EQ(decodeUtf8(QByteArray("\xef\xbb\xbfx"), true)->size(), 2)
        << "a byte-order mark stays in the text";
}

TEST(TextCodec, EachLineIsUtf8WhenValidAndWindows1252Otherwise) {
    EXPECT_EQ(decodeLine(QString::fromUtf8("Ștefan – café").toUtf8(), false),
              QString::fromUtf8("Ștefan – café"));
    EXPECT_EQ(decodeLine(QByteArray("Beyonc\xe9 \x80"), false), QString::fromUtf8("Beyoncé €"));
    EXPECT_EQ(decodeLine(QByteArray("caf\xc3"), false), QString::fromUtf8("cafÃ"))
        << "a sequence cut at the end";
    EXPECT_EQ(decodeLine(QByteArray("\xef\xbb\xbfx"), true), QString(QChar(0xFEFF)) + "x");
    EXPECT_EQ(decodeLine(QByteArray(), false), QString());
}
