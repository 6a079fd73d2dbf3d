#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include <QFontMetrics>
#include <QRegularExpression>

#include "controls/modUserMenus.h"
#include "options/Options.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Label.h"
#include "platform/ui/Twips.h"
#include "playlist/MediaLibrary.h"
#include "shared/DataForm.h"
#include "support/LanguageFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

using LanguageTable::Row;
using LanguageTable::Window;
using testsupport::LanguageFixture;

namespace {

const std::vector<Row>& rows() {
    return LanguageTable::rows();
}

bool isMenuRow(const Row& row) {
    return row.window == Window::FormMeniuri;
}

// Every row whose control exists shows what its line gives; the others keep before.
void expectLines(LanguageFixture& f, const QStringList& lines, int count,
                 const LanguageFixture::Captions& before) {
    const LanguageFixture::Captions now = f.captions();
    for (std::size_t i = 0; i < rows().size(); ++i) {
        const Row& row = rows()[i];
        if (!now[i]) continue;
        if (row.line < count) {
            EXPECT_EQ(*now[i], LanguageFixture::shown(lines, row.line))
                << LanguageFixture::where(row);
        } else {
            EXPECT_EQ(now[i], before[i]) << LanguageFixture::where(row);
        }
    }
}

}  // namespace

TEST(LanguageTable, HoldsOneRecordPerCaptionInLineOrder) {
    EXPECT_EQ(rows().size(), 136u);
    std::map<int, int> perLine;
    std::map<Window, int> perWindow;
    int last = 0;
    for (const Row& row : rows()) {
        EXPECT_GE(row.line, last) << "ordered by line";
        last = row.line;
        ++perLine[row.line];
        ++perWindow[row.window];
        EXPECT_TRUE(row.line >= 1 && row.line <= LanguageTable::kLastLine);
        EXPECT_FALSE(row.line == 3 || (row.line >= 53 && row.line <= 60)) << row.line;
        EXPECT_TRUE(row.control || (row.window == Window::Options && row.line == 94));
    }
    EXPECT_EQ(perLine.size(), 127u);
    std::set<int> doubled;
    for (auto [line, n] : perLine)
        if (n > 1) doubled.insert(line);
    EXPECT_EQ(doubled, (std::set<int>{12, 14, 16, 17, 18, 19, 116, 117, 118}));
    EXPECT_EQ(perWindow[Window::FormMeniuri], 50);
    EXPECT_EQ(perWindow[Window::Options], 67) << "66 controls and the window's caption";
    EXPECT_EQ(perWindow[Window::DialogForm], 9);
    EXPECT_EQ(perWindow[Window::Main], 5);
    EXPECT_EQ(perWindow[Window::MediaLibrary], 3);
    EXPECT_EQ(perWindow[Window::Playlist], 2);
}

TEST(LanguageTable, EveryNamedControlExistsAndShowsACaption) {
    LanguageFixture f;
    for (const Row& row : rows()) {
        if (!row.control) continue;
        const ui::Control* c = LanguageTable::control(*f.app, row);
        ASSERT_TRUE(c) << LanguageFixture::where(row);
        EXPECT_TRUE(ui::captionOf(*c)) << LanguageFixture::where(row);
        const auto* label = dynamic_cast<const ui::Label*>(c);
        EXPECT_FALSE(label && label->Change.connected()) << "a caption write raises nothing";
    }
}

TEST(ApplyLanguage, CompleteFileSetsEveryCaptionAndIgnoresLaterLines) {
    LanguageFixture f;
    const auto before = f.captions();
    QStringList lines = LanguageFixture::numbered(137);
    lines << "after the last line";
    f.writeLanguage("Test", lines);
    f.apply("Test");
    expectLines(f, lines, 137, before);
    for (const auto& c : f.captions())
        EXPECT_NE(c, "after the last line");
    EXPECT_EQ(f.form<Options>().Caption(), "L94");
    EXPECT_EQ(f.form<DataForm>().LangList.ListCount(), 138) << "the list holds the whole file";
}

TEST(ApplyLanguage, EnglishRepeatsTheDesignButForItsOwnTexts) {
    LanguageFixture f;
    const auto design = f.captions();
    f.ship();
    f.apply("English");
    const auto english = f.captions();
    const QStringList lines = LanguageFixture::shippedLines("English");
    // Lines 12, 14 and 116 give one text to two controls whose designs differ.
    const std::set<int> own{12, 14, 65, 68, 69, 70, 116, LanguageTable::kAboutLine};
    for (std::size_t i = 0; i < rows().size(); ++i) {
        const Row& row = rows()[i];
        ASSERT_TRUE(english[i]) << LanguageFixture::where(row);
        const QString expected =
            own.count(row.line) ? LanguageFixture::shown(lines, row.line) : design[i].value_or("");
        EXPECT_EQ(*english[i], expected) << LanguageFixture::where(row);
    }
    EXPECT_EQ(f.form<Options>().Option1.Caption(), "In list order");
    EXPECT_EQ(f.menu("AboutPlenkMenu"), "About Plenk Player " + PlenkApp::version());
}

TEST(ApplyLanguage, RomanianThenEnglishGivesEveryEnglishCaptionBack) {
    LanguageFixture f;
    f.ship();
    f.apply("English");
    const auto english = f.captions();
    f.apply("Romana");
    expectLines(f, LanguageFixture::shippedLines("Romana"), 137, {});
    f.apply("English");
    EXPECT_EQ(f.captions(), english);
}

TEST(ApplyLanguage, ShortFileSetsItsLinesAndTheMenusAreStillSetUp) {
    LanguageFixture f;
    f.form<Options>().Option2.setValue(true);
    f.form<Options>().Option17.setValue(true);
    const auto before = f.captions();
    const QStringList lines = LanguageFixture::numbered(37);
    f.writeLanguage("Short", lines);
    f.apply("Short");
    expectLines(f, lines, 37, before);
    FormMeniuri& m = f.form<FormMeniuri>();
    EXPECT_TRUE(m.ownerDraw()) << "owner-drawn";
    EXPECT_EQ(f.app->module<modUserMenus>().records().size(),
              static_cast<std::size_t>(std::count_if(
                  m.controls().begin(), m.controls().end(),
                  [](ui::Control* c) { return dynamic_cast<ui::Menu*>(c) != nullptr; })));
    EXPECT_TRUE(m.MeniuAleatoriu.Checked());
    EXPECT_TRUE(m.ShuffleOnMenu.Checked());
    EXPECT_FALSE(m.MeniuLaRand.Checked());
    EXPECT_TRUE(m.OriginalSize2Menu.Checked());
    EXPECT_FALSE(m.StretchMenu.Checked());
}

TEST(ApplyLanguage, MissingFileOrNoNameLeavesTheWindowsAndShowsTheMenusDesign) {
    LanguageFixture f;
    const auto design = f.captions();
    f.ship();
    f.apply("Romana");
    const auto romanian = f.captions();
    for (const QString& name : {QString("Klingon"), QString()}) {
        f.apply(name);
        EXPECT_EQ(f.form<DataForm>().LangList.ListCount(), 0);
        const auto now = f.captions();
        for (std::size_t i = 0; i < rows().size(); ++i)
            EXPECT_EQ(now[i], isMenuRow(rows()[i]) ? design[i] : romanian[i])
                << LanguageFixture::where(rows()[i]) << " after \"" << name.toStdString() << "\"";
        EXPECT_TRUE(f.form<FormMeniuri>().ownerDraw());
        EXPECT_TRUE(f.form<FormMeniuri>().MeniuLaRand.Checked());
    }
}

TEST(ApplyLanguage, TheSameLanguageTwiceCarriesOneVersion) {
    LanguageFixture f;
    f.ship();
    f.apply("Romana");
    const auto once = f.captions();
    f.apply("Romana");
    EXPECT_EQ(f.captions(), once);
}

TEST(ApplyLanguage, ShorterFileLeavesTheWindowsInTheEarlierLanguage) {
    LanguageFixture f;
    const auto design = f.captions();
    f.ship();
    f.apply("Romana");
    const auto romanian = f.captions();
    const QStringList lines = LanguageFixture::numbered(50);
    f.writeLanguage("Half", lines);
    f.apply("Half");
    const auto now = f.captions();
    for (std::size_t i = 0; i < rows().size(); ++i) {
        const Row& row = rows()[i];
        if (row.line < 50) {
            EXPECT_EQ(now[i], now[i] ? std::optional(LanguageFixture::shown(lines, row.line))
                                     : std::nullopt);
        } else {
            EXPECT_EQ(now[i], isMenuRow(row) ? design[i] : romanian[i])
                << LanguageFixture::where(row);
        }
    }
}

TEST(ApplyLanguage, LinesKeepLeadingBlanksAndEmptyLinesGiveEmptyCaptions) {
    LanguageFixture f;
    QStringList lines = LanguageFixture::numbered(137);
    lines[6] = "";
    lines[7] = "  Opt  ";
    lines[12] = "&Play && pause";
    f.writeLanguage("Odd", lines);
    f.apply("Odd");
    EXPECT_EQ(f.form<Main>().Label1.Caption(), "");
    EXPECT_EQ(f.form<Main>().Label3.Caption(), "  Opt");
    EXPECT_EQ(f.menu("MenuInfo"), "&Play && pause")
        << "kept as written; the menus show the mnemonic";
    EXPECT_EQ(f.menu("FileInfoMenu"), "&Play && pause") << "one line, two items";
    EXPECT_EQ(f.form<Options>().Option14.Caption(), "L116");
    EXPECT_EQ(f.menu("StretchMenu"), "L116");
}

TEST(ApplyLanguage, Windows1252LinesAreRead) {
    LanguageFixture f;
    f.program.write("Languages/Old.ini", "Vieux\r\nTotal \xe9t\xe9:\r\nZ\xfcge:\r\n");
    f.apply("Old");
    EXPECT_EQ(f.form<MediaLibrary>().TotalFramesL.Caption(), QString::fromUtf8("Total été:"));
    EXPECT_EQ(f.form<MediaLibrary>().Label15.Caption(), QString::fromUtf8("Züge:"));
}

TEST(ApplyLanguage, MenuLinesAreCutAt79AndATabStartsTheShortcut) {
    LanguageFixture f;
    QStringList lines = LanguageFixture::numbered(137);
    lines[12] = QString(100, 'x');
    lines[116] = "Stretch\tCtrl+S\tmore";
    f.writeLanguage("Long", lines);
    f.apply("Long");
    FormMeniuri& m = f.form<FormMeniuri>();
    EXPECT_EQ(m.MenuInfo.Caption().size(), 100) << "the item keeps its whole text";
    std::map<const ui::Menu*, clsUserMenus> shown;
    for (const clsUserMenus& r : f.app->module<modUserMenus>().records())
        shown[r.umMenuID] = r;
    EXPECT_EQ(shown[&m.MenuInfo].umCaption, QString(79, 'x'));
    EXPECT_EQ(shown[&m.StretchMenu].umCaption, "Stretch");
    EXPECT_EQ(shown[&m.StretchMenu].umShortcut, "Ctrl+S");
}

TEST(ApplyLanguage, StepOneDropsTheMenusRunTimeStateAndStepFiveSetsTheMarks) {
    LanguageFixture f;
    FormMeniuri& m = f.form<FormMeniuri>();
    m.MenuInfo.setEnabled(false);
    m.FileInfoMenu.setVisible(false);
    m.MeniuLaRand.setChecked(false);
    f.form<Options>().Option3.setValue(true);
    f.apply("Missing");
    EXPECT_TRUE(m.MenuInfo.Enabled());
    EXPECT_TRUE(m.FileInfoMenu.Visible());
    EXPECT_TRUE(m.MeniuPreferinte.Checked());
    EXPECT_TRUE(m.PlayTheBestMenu.Checked());
    EXPECT_FALSE(m.MeniuLaRand.Checked());
}

TEST(ShippedLanguages, HoldOneLinePerCaptionInCrLfUtf8) {
    for (const char* name : {"English", "Romana"}) {
        const QByteArray bytes = testsupport::readAll(LanguageFixture::shippedFile(name));
        EXPECT_EQ(bytes.count("\r\n"), 137) << name;
        EXPECT_EQ(bytes.count('\n'), 137) << name;
        EXPECT_EQ(bytes.count('\r'), 137) << name;
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << name;
        EXPECT_TRUE(QString::fromUtf8(bytes).toUtf8() == bytes) << name << " is UTF-8";
        EXPECT_FALSE(bytes.contains('\t')) << name;
        const QStringList lines = LanguageFixture::shippedLines(name);
        for (const Row& row : rows()) {
            EXPECT_FALSE(lines[row.line].isEmpty()) << name << " line " << row.line;
            EXPECT_EQ(lines[row.line], lines[row.line].trimmed()) << name << " line " << row.line;
            const int room = isMenuRow(row) ? 79 : 1000;
            EXPECT_LE(lines[row.line].size(), room) << name << " line " << row.line;
        }
    }
    EXPECT_EQ(LanguageFixture::shippedLines("English")[0], "English");
    EXPECT_EQ(LanguageFixture::shippedLines("Romana")[0], QString::fromUtf8("Română"));
}

TEST(ShippedLanguages, RomanianTranslatesEveryLineButTheFewThatReadAlike) {
    const QStringList en = LanguageFixture::shippedLines("English");
    const QStringList ro = LanguageFixture::shippedLines("Romana");
    const QSet<QString> alike{"Top 20", "Audio", "Info"};
    for (const Row& row : rows()) {
        if (alike.contains(en[row.line])) continue;
        EXPECT_NE(ro[row.line], en[row.line]) << "line " << row.line;
    }
    EXPECT_EQ(ro[LanguageTable::kAboutLine], QString::fromUtf8("Despre Plenk Player"));
    EXPECT_TRUE(ro.join("").contains(QString::fromUtf8("ș"))) << "with its diacritics";
}

// One-line labels hold their caption in either language ("Întârziere:" did not).
TEST(ShippedLanguages, OneLineLabelsHoldTheirCaptions) {
    LanguageFixture f;
    f.ship();
    for (const char* name : {"English", "Romana"}) {
        f.apply(name);
        for (const Row& row : rows()) {
            if (!row.control) continue;
            const auto* label = dynamic_cast<const ui::Label*>(LanguageTable::control(*f.app, row));
            if (!label || label->WordWrap()) continue;
            QString shown = label->Caption();
            if (label->UseMnemonic()) shown.replace(QRegularExpression("&(.)"), "\\1");
            const QFontMetrics metrics(ui::toQFont(label->Font()));
            EXPECT_LE(metrics.horizontalAdvance(shown), ui::toPixels(label->Width()))
                << name << " " << LanguageFixture::where(row) << " '" << shown.toStdString() << "'";
        }
    }
}

TEST(Mnemonics, LabelsShowingMediaTextsShowEveryAmpersand) {
    LanguageFixture f;
    Main& m = f.form<Main>();
    for (ui::Label* l : {&m.Titlu, &m.InfoIDTag, &m.LabelVideo})
        EXPECT_FALSE(l->UseMnemonic()) << l->Name().toStdString();
    EXPECT_FALSE(f.form<MediaLibrary>().Song(0).UseMnemonic());
    EXPECT_TRUE(m.Label1.UseMnemonic()) << "captions keep theirs";
}

TEST(ApplyLanguage, TheAboutItemCarriesTheVersionOnce) {
    LanguageFixture f;
    f.ship();
    f.apply("English");
    EXPECT_EQ(f.menu("AboutPlenkMenu"), "About Plenk Player " + PlenkApp::version());
    f.apply("English");
    EXPECT_EQ(f.menu("AboutPlenkMenu"), "About Plenk Player " + PlenkApp::version());
    f.apply("Romana");
    EXPECT_EQ(f.menu("AboutPlenkMenu"),
              QString::fromUtf8("Despre Plenk Player ") + PlenkApp::version());
    f.writeLanguage("Short", LanguageFixture::numbered(36));
    f.apply("Short");
    EXPECT_EQ(f.menu("AboutPlenkMenu"), "About Plenk Player") << "a file without line 36";
    f.writeLanguage("Short", LanguageFixture::numbered(37));
    f.apply("Short");
    EXPECT_EQ(f.menu("AboutPlenkMenu"), "L36 " + PlenkApp::version());
}

TEST(ApplyLanguage, PickedInTheOptionsWindowOpenedFromOneOfTheMenus) {
    LanguageFixture f;
    f.ship();
    f.apply("English");
    FormMeniuri& m = f.form<FormMeniuri>();
    Options& o = f.form<Options>();
    m.FullMiniMenu.setEnabled(false);
    o.Option2.setValue(true);
    f.dialogs->menuAnswers = {"LanguageMenu"};
    f.dialogs->whileShown = [&](const ui::RecordingDialogs::Shown& shown) {
        if (shown.kind != "Modal") return;
        o.LanguageSelector.setListIndex(1);
        o.LanguageSelector_MouseUp();
        o.Hide();
    };
    f.form<Main>().PopupMenu(m.MainMenu2);
    EXPECT_EQ(m.LanguageMenu.Caption(), "Alege limba");
    EXPECT_TRUE(m.FullMiniMenu.Enabled()) << "the reload drops the run-time state";
    EXPECT_TRUE(m.MeniuAleatoriu.Checked());
    EXPECT_TRUE(m.ShuffleOnMenu.Checked());
    // The owner-drawn set-up took the new captions, once for every item.
    const auto& records = f.app->module<modUserMenus>().records();
    std::size_t items = 0;
    for (ui::Control* c : m.controls()) {
        auto* item = dynamic_cast<ui::Menu*>(c);
        if (!item) continue;
        ASSERT_LT(items, records.size());
        EXPECT_EQ(records[items].umMenuID, item);
        EXPECT_EQ(records[items].umCaption, item->isSeparator() ? QString() : item->Caption());
        ++items;
    }
    EXPECT_EQ(items, records.size());
    // The items still work after their window was reloaded under them.
    f.dialogs->menuAnswers = {"ChangeSkinMenu"};
    f.dialogs->whileShown = [&](const ui::RecordingDialogs::Shown&) { o.Hide(); };
    f.form<Main>().PopupMenu(m.MainMenu2);
    EXPECT_EQ(o.Fr.Caption(), "Skin");
}
