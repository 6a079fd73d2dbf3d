#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "options/Options.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

class OptionsSettings : public ::testing::Test {
  protected:
    PlayerFixture p;
    Options& o = p.form<Options>();
    Main& m = p.form<Main>();
    FormMeniuri& menus = p.form<FormMeniuri>();

    QString videoMarks() const {
        return QString("%1%2%3")
            .arg(menus.StretchMenu.Checked())
            .arg(menus.OriginalSizeMenu.Checked())
            .arg(menus.OriginalSize2Menu.Checked());
    }
    // What the user's typing does: the character lands at the caret.
    void type(int index, const QString& text) { o.AsciBox(index).setSelText(text); }
    void keyUp(int index, int code) { o.AsciBox_KeyUp(index, code, 0); }
};

TEST_F(OptionsSettings, FormValuesBeforeAnySettingsFile) {
    for (ui::CheckBox* on : {&o.Check7, &o.Check6, &o.Check4, &o.Check2, &o.Check5})
        EXPECT_EQ(on->Value(), 1) << on->Name().toStdString();
    for (ui::CheckBox* off : {&o.Check1, &o.Check3, &o.Check8, &o.Check17, &o.Check18})
        EXPECT_EQ(off->Value(), 0) << off->Name().toStdString();
    for (ui::OptionButton* on :
         {&o.Option1, &o.Option4, &o.Option7, &o.Option8, &o.Option12, &o.Option14, &o.Option15})
        EXPECT_TRUE(on->Value()) << on->Name().toStdString();
    EXPECT_EQ(o.SubDelay.Text(), "0");
    EXPECT_EQ(o.AsciText(0).BackColor(), 0xE0E0E0u);
    EXPECT_FALSE(o.SkinName.Enabled());
    EXPECT_EQ(o.LanguageSelector.items(), QStringList({"English", "Romana"}));
    EXPECT_EQ(o.Label1.Caption(), "Graphic equalizer");
    EXPECT_EQ(o.Label18.Caption(), "Audio             Video");
}

TEST_F(OptionsSettings, PlayOrderSetsTheSixMenuMarks) {
    const auto marks = [&] {
        QString s;
        for (ui::Menu* item : {&menus.MeniuLaRand, &menus.MeniuAleatoriu, &menus.MeniuPreferinte,
                               &menus.ShuffleOfMenu, &menus.ShuffleOnMenu, &menus.PlayTheBestMenu})
            s += item->Checked() ? "1" : "0";
        return s;
    };
    o.Option2.setValue(true);
    EXPECT_EQ(marks(), "010010");
    o.Option3.setValue(true);
    EXPECT_EQ(marks(), "001001");
    o.Option1.setValue(true);
    EXPECT_EQ(marks(), "100100");
}

// Stretch shrinks the main window to its minimum whether or not a video is
// open; the grip follows the choice only with a video.
TEST_F(OptionsSettings, StretchShrinksTheMainWindowToItsMinimum) {
    m.LbActualCx(0).setCaption("-1");
    o.Option16.setValue(true);
    m.Move(m.Left(), m.Top(), 9000, 7000);
    const bool grip = m.ResizeArea.Visible();
    o.Option16_Click();
    EXPECT_EQ(m.Width(), 9000) << "without a video only the marks change";
    EXPECT_EQ(videoMarks(), "010");
    o.Option14.setValue(true);
    EXPECT_EQ(m.Width(), 6100);
    EXPECT_EQ(m.Height(), p.form<DataForm>().MainMode.Caption() == "Full" ? 3530 : 2000);
    EXPECT_EQ(m.ResizeArea.Visible(), grip);
    EXPECT_EQ(videoMarks(), "100");
}

TEST_F(OptionsSettings, WithAVideoTheSizeFollowsTheChoice) {
    m.LbActualCx(0).setCaption("320");
    m.LbActualCy(0).setCaption("240");
    o.Option17.setValue(true);
    EXPECT_EQ(m.FrameVideo(0).Width(), 9600);
    EXPECT_FALSE(m.ResizeArea.Visible());
    EXPECT_EQ(videoMarks(), "001");
    o.Option14.setValue(true);
    EXPECT_TRUE(m.ResizeArea.Visible());
    EXPECT_EQ(m.Width(), 6100);
    EXPECT_EQ(m.Height(), 3530) << "the minimum with a video";
    const float width = m.Width();
    o.Option14.setValue(true);
    EXPECT_EQ(m.Width(), width) << "the chosen button raises nothing";
}

// A main window that counts the layouts asked of it.
class CountingMain : public Main {
  public:
    using Main::Main;
    void AdjustVideo() override {
        ++adjusts;
        Main::AdjustVideo();
    }
    int adjusts = 0;
};

// With a video, Stretch lays it out for the choice and again after the
// shrink; without one only after the shrink; "Original size" only once.
TEST(OptionsVideoSize, StretchAdjustsTheVideoTwiceWithAVideoAndOnceWithout) {
    PlayerFixture p(testsupport::notStarted());
    auto counting = std::make_unique<CountingMain>(*p.app);
    CountingMain& m = *counting;
    p.app->provideForm<Main>(std::move(counting));
    p.start();
    ASSERT_EQ(&p.form<Main>(), &m);
    Options& o = p.form<Options>();
    const auto adjustsOf = [&](ui::OptionButton& choice) {
        m.adjusts = 0;
        choice.setValue(true);
        return m.adjusts;
    };
    m.LbActualCx(0).setCaption("-1");
    EXPECT_EQ(adjustsOf(o.Option16), 0);
    EXPECT_EQ(adjustsOf(o.Option14), 1);
    m.LbActualCx(0).setCaption("320");
    m.LbActualCy(0).setCaption("240");
    EXPECT_EQ(adjustsOf(o.Option17), 1);
    EXPECT_EQ(adjustsOf(o.Option14), 2);
    EXPECT_EQ(m.Width(), 6100);
    EXPECT_EQ(m.Height(), 3530);
    EXPECT_EQ(adjustsOf(o.Option14), 0) << "the chosen button raises nothing";
}

// The box's first character is the key's: the one typed in front, or the
// old code's first digit for a key that types nothing.
TEST_F(OptionsSettings, KeyCaptureStoresTheCodeAndTheCharacter) {
    o.AsciBox(0).setText("0");
    o.AsciBox_Click(0);
    type(0, "a");
    keyUp(0, 65);
    EXPECT_EQ(o.AsciText(0).Text(), "a");
    EXPECT_EQ(o.AsciBox(0).Text(), "65");
    o.AsciBox_Click(0);
    keyUp(0, 116);
    EXPECT_EQ(o.AsciText(0).Text(), "6") << "F5 types nothing";
    EXPECT_EQ(o.AsciBox(0).Text(), "116");
    o.AsciBox_Click(0);
    type(0, "7");
    keyUp(0, 55);
    EXPECT_EQ(o.AsciText(0).Text(), "7");
    EXPECT_EQ(o.AsciBox(0).Text(), "55");
    keyUp(0, 16);
    EXPECT_EQ(o.AsciText(0).Text(), "5") << "Shift";
    EXPECT_EQ(o.AsciBox(0).Text(), "16");
    o.AsciBox_Click(0);
    type(0, QString(5000, u'p'));
    keyUp(0, 86);
    EXPECT_EQ(o.AsciText(0).Text(), "p") << "pasted text";
    EXPECT_EQ(o.AsciBox(0).Text(), "86");
}

// A held key types its character again and again, and is stored once.
TEST_F(OptionsSettings, AHeldKeyIsStoredOnItsRealRelease) {
    ui::TextBox& box = o.AsciBox(3);
    o.Show();
    box.setText("0");
    o.AsciBox_Click(3);
    QWidget* w = box.widget();
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, 0, 0, 0, "b", repeat);
        QApplication::sendEvent(w, &press);
        if (!repeat) continue;
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, 0, 0, 0, "b", true);
        QApplication::sendEvent(w, &release);
        EXPECT_EQ(o.AsciText(3).Text(), "0") << "no KeyUp while the key repeats";
    }
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, 0, 0, 0, "b", false);
    QApplication::sendEvent(w, &release);
    EXPECT_EQ(o.AsciText(3).Text(), "b");
    EXPECT_EQ(box.Text(), "66");
    o.Hide();
}

TEST_F(OptionsSettings, AFontSizeThatIsNoNumberGivesEightPoints) {
    Playlist& list = p.form<Playlist>();
    o.PlaylistFontSize.setText("12");
    o.PlaylistFontSize_Click();
    EXPECT_EQ(list.PicList.Font().size, 12);
    o.PlaylistFontSize.setText("abc");
    o.PlaylistFontSize_Click();
    EXPECT_EQ(list.PicList.Font().size, 8);
    o.Check3.setValue(1);
    EXPECT_TRUE(list.PicList.Font().bold);
    o.Check8.setValue(1);
    EXPECT_FALSE(list.FrameScroll.Visible());
}

TEST_F(OptionsSettings, TheSliderChoosesTheTransparencyButton) {
    o.Slider1.setValue(100);
    EXPECT_TRUE(o.Option7.Value());
    o.Slider1.setValue(37);
    EXPECT_TRUE(o.Option6.Value());
    o.Slider1.setValue(100);
    EXPECT_TRUE(o.Option7.Value());
}

TEST_F(OptionsSettings, UntickingTheTrayBoxRemovesTheIcon) {
    o.Check7.setValue(0);
    o.Check7.setValue(1);
    EXPECT_EQ(p.app->tray().icons().count(m.trayId()), 1u);
    o.Check7.setValue(0);
    EXPECT_TRUE(p.app->tray().icons().empty());
}

}  // namespace
