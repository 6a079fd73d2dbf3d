#include <gtest/gtest.h>

#include <vector>

#include "playlist/CBoyerMoore.h"

namespace {

// Every start FindNext reports, in order; each with the pattern's length.
std::vector<qsizetype> starts(const QString& pattern, const QString& text,
                              bool caseSensitive = false) {
    CBoyerMoore search;
    search.setCaseSensitive(caseSensitive);
    search.setFindText(pattern);
    search.setText(text);
    search.Reset();
    std::vector<qsizetype> found;
    qsizetype start = -1, length = -1;
    while (search.FindNext(start, length)) {
        EXPECT_EQ(length, search.FindText().size());
        found.push_back(start);
    }
    EXPECT_EQ(start, 0) << "no occurrence leaves the start at 0";
    return found;
}

using Starts = std::vector<qsizetype>;

TEST(CBoyerMoore, FindsAnOccurrenceAtTheFirstCharacter) {
    EXPECT_EQ(starts("AB", "ABC"), Starts({1}));
    EXPECT_EQ(starts("ABC", "ABC"), Starts({1}));
    EXPECT_EQ(starts("A", "A"), Starts({1}));
}

TEST(CBoyerMoore, ReportsOverlappingOccurrencesInOrder) {
    EXPECT_EQ(starts("AB", "XABAB"), Starts({2, 4}));
    EXPECT_EQ(starts("AA", "XAAA"), Starts({2, 3}));
    EXPECT_EQ(starts("AA", "AAAA"), Starts({1, 2, 3}));
    EXPECT_EQ(starts("ABA", "ABABABA"), Starts({1, 3, 5}));
}

TEST(CBoyerMoore, SkipTableNeverJumpsOverAnOccurrence) {
    // Repeated and shared characters in the pattern, and characters outside
    // the single-byte range that share table entries with others.
    EXPECT_EQ(starts("ABCAB", "ZZABCABCABZZABCAB"), Starts({3, 6, 13}));
    EXPECT_EQ(starts("ĂB", "xxĂBxxĂB"), Starts({3, 7}));
    EXPECT_EQ(starts("Ă", QString("ăĂ") + QChar(0x0102 + 0x100)), Starts({1, 2}));
    EXPECT_EQ(starts("ȘI", "CASĂ ŞI ȘI"), Starts({9}));
}

TEST(CBoyerMoore, CaseFoldingUnlessCaseSensitive) {
    EXPECT_EQ(starts("ab", "XAB"), Starts({2}));
    EXPECT_EQ(starts("ab", "XAB", true), Starts());
    EXPECT_EQ(starts("AB", "xab", true), Starts());
    EXPECT_EQ(starts("café", "CAFÉ CAFé café"), Starts({1, 6, 11}));
    EXPECT_EQ(starts("É", "été", true), Starts());
    EXPECT_EQ(starts("straße", "STRASSE straße"), Starts({9})) << "one character for one";

    CBoyerMoore search;
    search.setFindText("é");
    search.setText("aé");
    EXPECT_EQ(search.FindText(), "É");
    EXPECT_EQ(search.Text(), "AÉ");
}

TEST(CBoyerMoore, NothingToFind) {
    EXPECT_EQ(starts("ABCD", "ABC"), Starts());
    EXPECT_EQ(starts("A", ""), Starts());
    EXPECT_EQ(starts("", "ABC"), Starts()) << "an empty pattern occurs nowhere";
    EXPECT_EQ(starts("", ""), Starts());
}

TEST(CBoyerMoore, NewPatternRestartsTheScanNewTextDoesNot) {
    CBoyerMoore search;
    search.setFindText("A");
    search.setText("AXA");
    search.Reset();
    qsizetype start = 0, length = 0;
    ASSERT_TRUE(search.FindNext(start, length));
    EXPECT_EQ(start, 1);
    search.setText("AAA");
    ASSERT_TRUE(search.FindNext(start, length));
    EXPECT_EQ(start, 2) << "the position goes on in the new text";
    search.setFindText("A");
    ASSERT_TRUE(search.FindNext(start, length));
    EXPECT_EQ(start, 1);
}

}  // namespace
