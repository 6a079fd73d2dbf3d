#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>

#include "options/Options.h"
#include "persistence/modAssociate.h"
#include "platform/system/Registry.h"
#include "shared/DataForm.h"
#include "support/SkinFixture.h"

using testsupport::PlayerFixture;
using testsupport::SkinFixture;

namespace {

// Writes down the association page's calls instead of registering.
class RecordingAssociate : public modAssociate {
  public:
    RecordingAssociate(ui::Application& app, QStringList& calls)
        : modAssociate(app), calls_(calls) {}
    void CreateAssociation(const QString& identifier, const QString& extension,
                           const QString& description, const QString& iconPath,
                           const QString& arguments) override {
        calls_ << QStringList{"Create", identifier, extension, description, iconPath, arguments}
                      .join('|');
    }
    void RemoveAssociation(const QString& identifier, const QString& extension) override {
        calls_ << "Remove|" + identifier + "|" + extension;
    }
    void NotifyAssociationChanged() override { calls_ << "Notify"; }

  private:
    QStringList& calls_;
};

// The association page, the subtitle group and the skin and language lists.
class OptionsPages : public ::testing::Test {
  protected:
    SkinFixture p;
    Options& o = p.form<Options>();

    bool registered(const QString& extension) {
        return p.app->registry().keyExists("HKEY_CLASSES_ROOT\\" + extension);
    }
    QString marks(const ui::ListBox& list) const {
        QString s;
        for (int i = 0; i < list.ListCount(); ++i)
            s += list.Selected(i) ? "1" : "0";
        return s;
    }
    std::optional<std::int32_t> filterValue(const QString& key, const QString& name) {
        const auto v = p.app->registry().value(PlenkApp::subtitleFilterKey() + "\\" + key, name);
        if (!v) return std::nullopt;
        return static_cast<std::int32_t>(v->toUInt());
    }
    std::optional<std::int32_t> delay() { return filterValue("Timing", "Subtitle Delay"); }
    std::optional<std::int32_t> hide() { return filterValue("General", "Hide"); }
    void apply(const QString& delayText) {
        o.SubDelay.setText(delayText);
        o.Command3_Click();
    }
    // A press and release of the user's on a row (-1: on no row); the right
    // button moves nothing.
    void pick(ui::ListBox& list, int row, bool right = false) {
        if (!right && row >= 0) list.setListIndex(row);
        if (&list == &o.SkinSelector) {
            o.SkinSelector_MouseDown();
            o.SkinSelector_MouseUp();
        } else {
            o.LanguageSelector_MouseDown();
            o.LanguageSelector_MouseUp();
        }
    }
};

TEST_F(OptionsPages, ApplyingRegistersTheMarkedTypesAndRemovesTheOthers) {
    o.Check17.setValue(1);
    o.Check18.setValue(1);
    EXPECT_EQ(marks(o.TpfAudio), QString(11, u'1'));
    EXPECT_EQ(marks(o.TpfVideo), QString(18, u'1'));
    o.Command2_Click();
    for (const auto& t : modAssociate::kAudioTypes)
        EXPECT_TRUE(registered(t.extension)) << t.extension;
    for (const auto& t : modAssociate::kVideoTypes)
        EXPECT_TRUE(registered(t.extension)) << t.extension;
    EXPECT_EQ(p.app->registry().value("HKEY_CLASSES_ROOT\\Plenk Player FLV").value_or(""),
              "FLV File");
    o.Check17.setValue(0);
    o.Check18.setValue(0);
    o.Command2_Click();
    o.Command2_Click();
    for (const auto& t : modAssociate::kAudioTypes)
        EXPECT_FALSE(registered(t.extension)) << t.extension;
    for (const auto& t : modAssociate::kVideoTypes)
        EXPECT_FALSE(registered(t.extension)) << t.extension;
}

// One call per row, audio rows then video rows, each after its own mark and
// icon, then one notice to the shell.
TEST_F(OptionsPages, ApplyingCallsTheAssociationsRowByRowThenNotifiesOnce) {
    QStringList calls;
    p.app->provideModule<modAssociate>(std::make_unique<RecordingAssociate>(*p.app, calls));
    const QString audioIcon = p.form<DataForm>().programFile("\\audio.ico");
    const QString videoIcon = p.form<DataForm>().programFile("\\video.ico");
    o.Check17.setValue(1);
    o.Check18.setValue(1);
    o.Command2_Click();
    ASSERT_EQ(calls.size(), 30);
    EXPECT_EQ(calls[0], "Create|Plenk Player Mp3|.mp3|Mp3 File|" + audioIcon + "|");
    EXPECT_EQ(calls[10], "Create|Plenk Player Rmi|.rmi|rmi File|" + audioIcon + "|");
    EXPECT_EQ(calls[11], "Create|Plenk Player Mpg|.mpg|mpg File|" + videoIcon + "|");
    EXPECT_EQ(calls[26], "Create|Plenk Player Mp4|.mp4|MPEG4 File|" + videoIcon + "|");
    EXPECT_EQ(calls[28], "Create|Plenk Player 3GP|.3gp|3GP File|" + videoIcon + "|");
    EXPECT_EQ(calls[29], "Notify");
    for (int row = 0; row < 29; ++row) {
        const auto& t =
            row < 11 ? modAssociate::kAudioTypes[row] : modAssociate::kVideoTypes[row - 11];
        EXPECT_TRUE(calls[row].startsWith(QString("Create|") + t.identifier + "|" + t.extension))
            << row;
    }

    calls.clear();
    o.Check17.setValue(0);
    o.Check18.setValue(0);
    o.TpfAudio.setSelected(4, true);
    o.TpfVideo.setSelected(17, true);
    o.Command2_Click();
    ASSERT_EQ(calls.size(), 30);
    EXPECT_EQ(calls[0], "Remove|Plenk Player Mp3|.mp3");
    EXPECT_EQ(calls[4], "Create|Plenk Player Midi|.midi|midi File|" + audioIcon + "|");
    EXPECT_EQ(calls[11], "Remove|Plenk Player Mpg|.mpg");
    EXPECT_EQ(calls[27], "Remove|Plenk Player FLV|.flv");
    EXPECT_EQ(calls[28], "Create|Plenk Player 3GP|.3gp|3GP File|" + videoIcon + "|");
    EXPECT_EQ(calls.filter("Create|").size(), 2);
    EXPECT_EQ(calls.filter("Remove|").size(), 27);
    EXPECT_EQ(calls[29], "Notify");
    EXPECT_FALSE(registered(".midi")) << "nothing reached the registry";
}

TEST_F(OptionsPages, TheAllBoxesMarkWholeListsAndHandMarksLeaveThem) {
    o.TpfAudio.setSelected(3, true);
    EXPECT_EQ(o.Check17.Value(), 0) << "a hand mark leaves the box";
    o.Check17.setValue(2);
    EXPECT_EQ(marks(o.TpfAudio), "00010000000") << "2 leaves the marks";
    o.Check17.setValue(1);
    EXPECT_EQ(marks(o.TpfAudio), "11111111111");
    o.TpfAudio.setSelected(5, false);
    EXPECT_EQ(o.Check17.Value(), 1);
    o.Check17.setValue(0);
    EXPECT_EQ(marks(o.TpfAudio), "00000000000") << "hand marks go too";
    EXPECT_EQ(marks(o.TpfVideo), QString(18, u'0'));
}

// The delay is rounded half to even; a text that is no whole 32-bit number
// of milliseconds is refused with a message, and "Hide" is written anyway.
TEST_F(OptionsPages, ApplyNowWritesTheDelayAndTheVisibility) {
    apply("-250");
    EXPECT_EQ(delay(), -250);
    EXPECT_EQ(hide(), 0);
    const sys::RegistryWriter* writer = o.registryWriter();
    ASSERT_NE(writer, nullptr);
    for (auto [text, ms] : {std::pair{"0", 0},
                            {"", 0},
                            {"12.5", 12},
                            {"13.5", 14},
                            {"-0", 0},
                            {" 40 ", 40},
                            {"2147483647", 2147483647}}) {
        apply(text);
        EXPECT_EQ(delay(), ms) << text;
    }
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0);
    apply("-250");
    o.Check5.setValue(0);
    for (const QString& bad : {QString("abc"), QString("1e20"), QString("2147483648"),
                               QString::fromUtf8("٣"), QString(10000, u'9')}) {
        apply(bad);
        EXPECT_EQ(delay(), -250) << bad.left(10).toStdString();
        EXPECT_EQ(p.dialogs->shown.back().text,
                  "The subtitle delay must be a whole number of milliseconds.");
    }
    EXPECT_EQ(p.dialogs->count("MsgBox"), 5);
    EXPECT_EQ(hide(), 1);
    EXPECT_EQ(o.registryWriter(), writer) << "one writer for the window's life";
}

// The engine takes the values at every open, and at once for an open medium.
TEST_F(OptionsPages, TheVideoEngineFollowsTheWrittenValues) {
    const std::string clip = p.program.file("clip.avi").toStdString();
    p.media().addMedium(clip, {3000, 25, QSize(160, 120)});
    const auto send = [&](const std::string& command) {
        return p.app->mci().mciSendStringA(command.c_str(), nullptr, 0, 0);
    };
    ASSERT_EQ(send("open \"" + clip + "\" type mpegvideo alias movie"), 0u);
    const auto received = [&] { return p.media().state(clip)->subtitles; };
    EXPECT_EQ(received(), std::vector<media::SubtitleSettings>({{0, false}}));
    o.Check5.setValue(0);
    apply("-250");
    ASSERT_FALSE(received().empty());
    EXPECT_EQ(received().back(), (media::SubtitleSettings{-250, true}));
    send("close movie");
    ASSERT_EQ(send("open \"" + clip + "\" type mpegvideo alias movie"), 0u);
    EXPECT_EQ(received(), std::vector<media::SubtitleSettings>({{-250, true}}));
}

TEST_F(OptionsPages, TheSkinListHoldsTheSkinsFoldersOwnSubFolders) {
    EXPECT_EQ(o.SkinSelector.items(), QStringList({"Default", "Silver"})) << "listed at load";
    QDir skins(p.program.file("Skins"));
    for (const char* sub : {"dark", ".hidden", "Default/Extra", "with blank", "a*b", "q?",
                            "\xC3\xA9t\xC3\xA9", "Locked"})
        skins.mkpath(QString::fromUtf8(sub));
    p.program.write("Skins/file.txt", "not a folder");
    QFile::setPermissions(skins.filePath("Locked"), {});
    o.SkinSelector.Clear();
    o.GetSubDirs(skins.path());
    QFile::setPermissions(skins.filePath("Locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(o.SkinSelector.items(),
              QStringList({"a*b", "dark", "Default", "Locked", "q?", "Silver", "with blank",
                           QString::fromUtf8("été")}));
    o.SkinSelector.Clear();
    o.GetSubDirs(p.program.file("Skins/file.txt"));
    o.GetSubDirs(p.program.file("Missing"));
    EXPECT_EQ(o.SkinSelector.ListCount(), 0);
}

TEST_F(OptionsPages, ThousandsOfSkinFoldersAreListedInOrder) {
    QDir skins(p.program.file("Skins"));
    for (int i = 0; i < 1000; ++i)
        ::mkdir(QFile::encodeName(skins.filePath(QString("s%1").arg(i, 4, 10, QChar('0')))), 0700);
    o.SkinSelector.Clear();
    o.GetSubDirs(skins.path());
    ASSERT_EQ(o.SkinSelector.ListCount(), 1002);
    EXPECT_EQ(o.SkinSelector.List(1), "s0000");
    EXPECT_EQ(o.SkinSelector.List(1000), "s0999");
    EXPECT_EQ(o.SkinSelector.List(1001), "Silver");
}

// After every press and release exactly one row is marked; a release with
// no current row applies nothing.
TEST_F(OptionsPages, EveryPickLeavesOneMark) {
    ui::ListBox& list = o.SkinSelector;
    list.setSelected(0, true);
    DataForm& d = p.form<DataForm>();
    d.SkinSettings.AddItem("stale");
    pick(list, 1);
    EXPECT_EQ(marks(list), "01");
    EXPECT_EQ(o.SkinName.Text(), "Silver");
    QStringList lines;
    for (int i = 0; i < d.SkinSettings.ListCount(); ++i)
        lines << d.SkinSettings.List(i);
    EXPECT_EQ(lines.size(), 17) << "cleared, then read whole";
    EXPECT_NE(lines.front(), "stale");
    pick(list, 1);
    EXPECT_EQ(marks(list), "01") << "already marked";
    pick(list, 0, true);
    EXPECT_EQ(marks(list), "01") << "the right button moves nothing";
    list.setListIndex(-1);
    pick(list, -1);
    EXPECT_EQ(marks(list), "01");
    EXPECT_EQ(o.SkinName.Text(), "Silver") << "nothing to apply";
    pick(list, 0);
    EXPECT_EQ(marks(list), "10");
    EXPECT_EQ(o.SkinName.Text(), "Default");

    ui::ListBox& languages = o.LanguageSelector;
    pick(languages, 1);
    EXPECT_EQ(marks(languages), "01");
    pick(languages, 0, true);
    EXPECT_EQ(marks(languages), "01");
    languages.setListIndex(-1);
    pick(languages, -1);
    EXPECT_EQ(marks(languages), "01");
    pick(languages, 0);
    EXPECT_EQ(marks(languages), "10");
}

}  // namespace
