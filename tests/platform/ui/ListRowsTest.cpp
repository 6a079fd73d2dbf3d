#include <gtest/gtest.h>

#include <QStringList>
#include <random>

#include "TestWindows.h"
#include "platform/ui/ListRows.h"

namespace {

QString loneSurrogate() {
    return QString("a") + QChar(char16_t(0xD800)) + "b";
}

// Texts in each of the stored encodings, of every length class.
QStringList samples() {
    return {"",
            "plain ascii",
            QString("caf") + QChar(0xE9) + " \u00FF\u00B5",
            "日本語 and ascii",
            QString::fromUtf8("\xF0\x9F\x8E\xB5 note"),
            loneSurrogate(),
            QString("nul") + QChar(0) + "inside",
            QString(100000, QChar('x'))};
}

QStringList all(const ui::ListRows& rows) {
    QStringList out;
    for (int i = 0; i < rows.size(); ++i)
        out << rows.at(i);
    return out;
}

TEST(ListRows, EveryTextComesBackAsGivenAndAsUtf8) {
    ui::ListRows rows;
    const QStringList texts = samples();
    for (const QString& text : texts)
        rows.insert(rows.size(), text);
    EXPECT_EQ(all(rows), texts);
    for (int i = 0; i < texts.size(); ++i) {
        QByteArray utf8 = "prefix";
        EXPECT_EQ(rows.appendUtf8(i, utf8), texts[i].isValidUtf16()) << i;
        EXPECT_EQ(utf8, "prefix" + texts[i].toUtf8()) << i;
    }
    rows.insertUtf8(0, "\xC3\xA9t\xC3\xA9");
    rows.insertUtf8(0, "plain");
    EXPECT_EQ(rows.at(0), "plain");
    EXPECT_EQ(rows.at(1), QString::fromUtf8("\xC3\xA9t\xC3\xA9"));
}

// Random inserts, replacements and removals, with long rows now and then, give
// what a plain vector of texts gives, across the moves into fresh blocks.
TEST(ListRows, EditsMatchAPlainListThroughCompaction) {
    std::mt19937 random(7);
    ui::ListRows rows;
    std::vector<QString> expected;
    for (int step = 0; step < 20000; ++step) {
        const int count = static_cast<int>(expected.size());
        const QString text =
            random() % 50 == 0 ? QString(5000 + step % 7, QChar('L'))
                               : QString("row %1 \u00E9%2").arg(step).arg(step % 3 ? "" : "\u65E5");
        const unsigned op = random() % 10;
        const int at = count ? static_cast<int>(random() % count) : 0;
        if (op < 5 || count == 0) {
            rows.insert(at, text);
            expected.insert(expected.begin() + at, text);
        } else if (op < 7) {
            rows.replace(at, text);
            expected[at] = text;
        } else if (op < 9) {
            rows.erase(at);
            expected.erase(expected.begin() + at);
        } else {
            const int to = static_cast<int>(random() % count);
            rows.move(at, to);
            const QString moved = expected[at];
            expected.erase(expected.begin() + at);
            expected.insert(expected.begin() + to, moved);
        }
    }
    ASSERT_EQ(rows.size(), static_cast<int>(expected.size()));
    for (int i = 0; i < rows.size(); ++i)
        ASSERT_EQ(rows.at(i), expected[i]) << i;
}

TEST(ListRows, CopiesAndSharedRowsStayApartFromLaterEdits) {
    ui::ListRows source;
    for (int i = 0; i < 1000; ++i)
        source.insert(i, QString("entry %1").arg(i));
    ui::ListRows copy = source;
    ui::ListRows some;
    const std::vector<int> picked = {999, 0, 500};
    some.appendFrom(source, picked);
    // Both go on writing: neither may write over the other's new text.
    for (int i = 0; i < 100; ++i) {
        source.insert(0, QString("source %1").arg(i));
        copy.insert(copy.size(), QString("copy %1").arg(i));
    }
    while (source.size() > 1)
        source.erase(0);
    source.replace(0, u"last");
    source.clear();
    EXPECT_EQ(copy.size(), 1100);
    EXPECT_EQ(copy.at(0), "entry 0");
    EXPECT_EQ(copy.at(999), "entry 999");
    EXPECT_EQ(copy.at(1099), "copy 99");
    EXPECT_EQ(all(some), QStringList({"entry 999", "entry 0", "entry 500"}));
    ui::ListRows self = some;
    self.appendFrom(self, std::vector<int>{0, 1, 2, 0});
    EXPECT_EQ(all(self), QStringList({"entry 999", "entry 0", "entry 500", "entry 999", "entry 0",
                                      "entry 500", "entry 999"}));
}

TEST(ListRows, RowsHoldingComparesUpperCasesOneUnitForOne) {
    ui::ListRows rows;
    const QStringList texts = {"Alpha beta",
                               QString("r") + QChar(0xE9) + "sum" + QChar(0xE9),
                               QString("Y") + QChar(0xFF),
                               "Ωmega 日本",
                               "ends with ab",
                               "",
                               QString(2, QChar(0xB5)),
                               loneSurrogate()};
    for (const QString& text : texts)
        rows.insert(rows.size(), text);
    using Found = std::vector<int>;
    EXPECT_EQ(rows.rowsHolding("BETA", false), Found({0}));
    EXPECT_EQ(rows.rowsHolding("a", false), Found({0, 3, 4, 7}));
    EXPECT_EQ(rows.rowsHolding("AB", false), Found({4}));
    EXPECT_EQ(rows.rowsHolding(QString(QChar(0xC9)), false), Found({1}));
    EXPECT_EQ(rows.rowsHolding(QString(QChar(0x178)), false), Found({2}));
    EXPECT_EQ(rows.rowsHolding(QString(QChar(0x39C)), false), Found({6}));
    EXPECT_EQ(rows.rowsHolding("ωMEGA", false), Found({3}));
    EXPECT_EQ(rows.rowsHolding("日本", false), Found({3}));
    EXPECT_EQ(rows.rowsHolding("A" + QString(QChar(0xD800)), false), Found({7}));
    EXPECT_EQ(rows.rowsHolding("beta", true), Found({0}));
    EXPECT_EQ(rows.rowsHolding("BETA", true), Found());
    EXPECT_EQ(rows.rowsHolding("", false), Found());
    EXPECT_EQ(rows.rowsHolding("Alpha beta and more", false), Found());
}

class ListControls : public ::testing::Test {
  protected:
    TestApp t;
    Sample& w = t.app.form<Sample>();
};

TEST_F(ListControls, RowsAddedFromAnotherListBehaveAsAddItem) {
    for (const char* s : {"one", "two", "three"})
        w.List.AddItem(s);
    w.Multi.setSelected(0, true);
    w.Multi.setItemData(0, 42);
    w.Multi.AddItemsOf(w.List, std::vector<int>{2, 0});
    EXPECT_EQ(w.Multi.items(), QStringList({"m0", "m1", "three", "one"}));
    EXPECT_EQ(w.Multi.NewIndex(), 3);
    EXPECT_TRUE(w.Multi.Selected(0));
    EXPECT_FALSE(w.Multi.Selected(3));
    EXPECT_EQ(w.Multi.ItemData(0), 42);
    EXPECT_EQ(w.Multi.ItemData(3), 0);
    EXPECT_THROW(w.Multi.AddItemsOf(w.List, std::vector<int>{3}), ui::RuntimeError);
    w.SortedList.AddItem("b");
    w.SortedList.AddItemsOf(w.List);
    EXPECT_EQ(w.SortedList.items(), QStringList({"b", "one", "three", "two"}));
    w.List.Clear();
    EXPECT_EQ(w.Multi.List(2), "three");
}

TEST_F(ListControls, MovingARowsTextLeavesRowDataAndSelectionInPlace) {
    for (const char* s : {"a", "b", "c", "d"})
        w.Multi.AddItem(s);
    w.Multi.setItemData(5, 7);
    w.Multi.setSelected(1, true);
    w.Multi.moveListText(1, 5);
    EXPECT_EQ(w.Multi.items(), QStringList({"m0", "a", "b", "c", "d", "m1"}));
    EXPECT_EQ(w.Multi.ItemData(5), 7);
    EXPECT_TRUE(w.Multi.Selected(1));
    w.Multi.moveListText(5, 0);
    EXPECT_EQ(w.Multi.items(), QStringList({"m1", "m0", "a", "b", "c", "d"}));
    for (const auto& [from, to] : {std::pair{-1, 2}, {2, 6}, {6, 0}}) {
        EXPECT_THROW(w.Multi.moveListText(from, to), ui::RuntimeError) << from << "->" << to;
        EXPECT_EQ(w.Multi.List(0), "m1") << "nothing moved";
    }
}

template <typename View>
View afterSlash(View text) {
    return text.sliced(text.lastIndexOf(QLatin1Char('/')) + 1);
}
template <>
QByteArrayView afterSlash(QByteArrayView text) {
    return text.sliced(text.lastIndexOf('/') + 1);
}

TEST_F(ListControls, PartsOfRowsKeepTheirTextInEveryEncoding) {
    const QStringList paths = {"/music/song.mp3",
                               "/日本/曲.ogg",
                               "no slash",
                               "",
                               "/x/" + loneSurrogate(),
                               QString("/caf") + QChar(0xE9) + "/f"};
    for (const QString& path : paths)
        w.List.AddItem(path);
    w.Multi.AddPartsOf(w.List, afterSlash<QByteArrayView>, afterSlash<QStringView>);
    const QStringList expected = {"song.mp3", "曲.ogg", "no slash", "", loneSurrogate(), "f"};
    EXPECT_EQ(w.Multi.items(), QStringList({"m0", "m1"}) + expected);
    EXPECT_EQ(w.Multi.NewIndex(), 7);
    w.List.Clear();
    EXPECT_EQ(w.Multi.List(3), "曲.ogg");
    w.SortedList.AddPartsOf(w.Multi, afterSlash<QByteArrayView>, afterSlash<QStringView>);
    EXPECT_EQ(w.SortedList.List(0), "");
    EXPECT_EQ(w.SortedList.List(1), loneSurrogate());
    EXPECT_EQ(w.SortedList.List(2), "f");
}

TEST_F(ListControls, Utf8RowsAreAddedAsTheirText) {
    w.List.AddItem("first");
    w.List.setListIndex(0);
    w.List.AddItemUtf8("\xC3\xA9l\xC3\xA8ve");
    EXPECT_EQ(w.List.List(1), QString::fromUtf8("\xC3\xA9l\xC3\xA8ve"));
    EXPECT_EQ(w.List.NewIndex(), 1);
    EXPECT_EQ(w.List.ListIndex(), 0);
    w.SortedList.AddItemUtf8("b");
    w.SortedList.AddItemUtf8("A");
    EXPECT_EQ(w.SortedList.items(), QStringList({"A", "b"}));
    QByteArray out;
    EXPECT_TRUE(w.List.appendRowUtf8(1, out));
    EXPECT_EQ(out, "\xC3\xA9l\xC3\xA8ve");
    EXPECT_THROW(w.List.appendRowUtf8(2, out), ui::RuntimeError);
}

TEST_F(ListControls, AMillionRowsAddSearchAndClear) {
    const QString path = "/home/user/Music/Artist 12/Album 3/0123 - Some song title.mp3";
    for (int i = 0; i < 1000000; ++i)
        w.List.AddItem(path);
    EXPECT_EQ(w.List.ListCount(), 1000000);
    EXPECT_EQ(w.List.rowsHolding("SONG").size(), 1000000u);
    w.List.Clear();
    EXPECT_EQ(w.List.ListCount(), 0);
}

}  // namespace
