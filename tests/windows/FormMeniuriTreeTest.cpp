#include <gtest/gtest.h>

#include <QStringList>

#include "controls/modUserMenus.h"
#include "options/Options.h"
#include "platform/ui/Colors.h"
#include "platform/ui/MenuPanel.h"
#include "platform/ui/OwnerDraw.h"
#include "shared/DataForm.h"
#include "skins/LanguagesMod.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/FormMeniuri.h"

using testsupport::PlayerFixture;

namespace {

std::vector<ui::Menu*> menusOf(FormMeniuri& w) {
    std::vector<ui::Menu*> out;
    for (ui::Control* c : w.controls())
        if (auto* m = dynamic_cast<ui::Menu*>(c)) out.push_back(m);
    return out;
}

QStringList namesWhere(FormMeniuri& w, const std::function<bool(ui::Menu&)>& test) {
    QStringList out;
    for (ui::Menu* m : menusOf(w))
        if (test(*m)) out << m->Name();
    return out;
}

QStringList checkedItems(FormMeniuri& w) {
    return namesWhere(w, [](ui::Menu& m) { return m.Checked(); });
}

class MenuTree : public ::testing::Test {
  protected:
    PlayerFixture p;
    FormMeniuri& menus = p.form<FormMeniuri>();
    Options& options = p.form<Options>();

    void reload() {
        menus.Unload();
        p.form<FormMeniuri>();
    }
};

TEST_F(MenuTree, HoldsNineMenusOf75ItemsWithTheirPictures) {
    const auto all = menusOf(menus);
    ASSERT_EQ(all.size(), 84u);
    EXPECT_EQ(namesWhere(menus, [](ui::Menu& m) { return !m.parentMenu(); }),
              QStringList({"MeniuPlaylist", "MainMenu1", "MainMenu2", "MainMenu3", "PlaylistMenu1",
                           "PlaylistMenu2", "PresetMenu", "VideoMenu", "SysTrayMenu"}));
    EXPECT_EQ(namesWhere(menus, [](ui::Menu& m) { return m.isSeparator(); }).size(), 13);
    EXPECT_EQ(namesWhere(menus, [](ui::Menu& m) { return m.parentMenu() && !m.items().empty(); }),
              QStringList({"MeniuMelodie", "ShowMenu", "PlaybackModeMenu", "VideoSizeMenu"}));
    EXPECT_EQ(namesWhere(menus, [](ui::Menu& m) { return !m.Tag().isEmpty(); }).size(), 56);
    EXPECT_EQ(menus.MeniuPlaylist.Caption(), "Playlist");
    EXPECT_EQ(menus.SysTrayMenu.Caption(), "System Tray");
    EXPECT_EQ(menus.MeniuProgrameaza.Caption(), "Set as next (schedule)");
    EXPECT_EQ(menus.MeniuProgrameaza.Tag(), "1");
    EXPECT_EQ(menus.MeniuPreferinte.Tag(), "28");
    EXPECT_EQ(menus.FullMiniMenu.Tag(), "");
    EXPECT_EQ(menus.Caption(), "Meniuri");
    EXPECT_FALSE(menus.Visible());
}

TEST_F(MenuTree, DesignHasNoCheckAndOnlyTheTwoHiddenItems) {
    reload();
    EXPECT_EQ(checkedItems(menus), QStringList());
    EXPECT_EQ(namesWhere(menus, [](ui::Menu& m) { return !m.Visible(); }),
              QStringList({"OpenCdMenu", "MediaLibraryMenu"}));
    EXPECT_EQ(namesWhere(menus, [](ui::Menu& m) { return !m.Enabled(); }), QStringList());
}

TEST_F(MenuTree, OwnerDrawnSetUpKeepsTheHiddenItemsHidden) {
    menus.SetMenuStuff();
    EXPECT_EQ(p.app->module<modUserMenus>().records().size(), 84u);
    EXPECT_FALSE(menus.OpenCdMenu.Visible());
    EXPECT_FALSE(menus.MediaLibraryMenu.Visible());
    EXPECT_TRUE(static_cast<bool>(menus.ownerDraw()));
}

TEST_F(MenuTree, RowMenuAndPlaylistOptionsEndWithTheirSeparator) {
    menus.SetMenuStuff();
    ui::PainterCanvas measuring(nullptr, ui::toQFont(ui::FontSpec()));
    const ui::MenuPanel rows(menus.MeniuPlaylist, measuring);
    ASSERT_EQ(rows.items().size(), 15u);
    EXPECT_EQ(rows.items().back().menu, &menus.Separator3);
    EXPECT_GT(rows.items().back().rect.bottom, rows.items().back().rect.top);
    const ui::MenuPanel options2(menus.PlaylistMenu2, measuring);
    EXPECT_EQ(options2.items().back().menu, &menus.Separator7);
    const ui::MenuPanel first(menus.MainMenu1, measuring);
    EXPECT_EQ(first.items().size(), 5u) << "the CD item is not in the menu";
}

TEST_F(MenuTree, IconsAre28SilverPicturesOf17By18) {
    ASSERT_EQ(menus.Icons.Count(), 28);
    for (int i = 1; i <= 28; ++i) {
        const QImage image = menus.Icons.ListImages(i).image();
        ASSERT_EQ(image.size(), QSize(17, 18)) << "picture " << i;
        EXPECT_EQ(image.pixelColor(0, 0), QColor(192, 192, 192)) << "picture " << i;
        EXPECT_EQ(menus.Icons.maskedImage(i).pixelColor(0, 0).alpha(), 0) << "picture " << i;
    }
    EXPECT_NE(menus.Icons.ListImages(16).image(), menus.Icons.ListImages(25).image());
}

struct Order {
    ui::OptionButton Options::*option;
    QStringList checked;
};

TEST_F(MenuTree, SetMenuStuffChecksThePlayOrderAndVideoSizeInBothMenus) {
    const Order orders[] = {
        {&Options::Option1, {"MeniuLaRand", "ShuffleOfMenu"}},
        {&Options::Option2, {"MeniuAleatoriu", "ShuffleOnMenu"}},
        {&Options::Option3, {"MeniuPreferinte", "PlayTheBestMenu"}},
    };
    const Order sizes[] = {
        {&Options::Option14, {"StretchMenu"}},
        {&Options::Option16, {"OriginalSizeMenu"}},
        {&Options::Option17, {"OriginalSize2Menu"}},
    };
    for (const Order& order : orders)
        for (const Order& size : sizes) {
            (options.*order.option).setValue(true);
            (options.*size.option).setValue(true);
            reload();
            ASSERT_EQ(checkedItems(menus), QStringList()) << "a reload starts unchecked";
            menus.SetMenuStuff();
            QStringList expected = order.checked + size.checked;
            QStringList got = checkedItems(menus);
            expected.sort();
            got.sort();
            EXPECT_EQ(got, expected);
        }
}

TEST_F(MenuTree, ALanguageChangeRebuildsTheWindowWithTheOptionsChecks) {
    options.Option2.setValue(true);
    menus.MeniuProgrameaza.setCaption("changed");
    menus.FullMiniMenu.setEnabled(false);
    LanguagesMod::ApplyLanguage(*p.app, "English");
    EXPECT_EQ(menus.MeniuProgrameaza.Caption(), "Set as next (schedule)");
    EXPECT_TRUE(menus.FullMiniMenu.Enabled());
    EXPECT_TRUE(menus.MeniuAleatoriu.Checked());
    EXPECT_TRUE(menus.ShuffleOnMenu.Checked());
    EXPECT_FALSE(menus.MeniuLaRand.Checked());
    EXPECT_FALSE(menus.MediaLibraryMenu.Visible());
}

TEST_F(MenuTree, AChosenItemRunsItsActionAndHiddenOrDisabledOnesCannotBeChosen) {
    QStringList log;
    menus.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, log));
    // The tray head is hidden when the main window loses the focus; it pops up all the same.
    menus.SysTrayMenu.setVisible(false);
    p.dialogs->menuAnswers = {"SysTrayPlay"};
    menus.PopupMenu(menus.SysTrayMenu);
    EXPECT_EQ(log, QStringList({"Play"}));

    menus.SysTrayPause.setEnabled(false);
    p.dialogs->menuAnswers = {"SysTrayPause"};
    menus.PopupMenu(menus.SysTrayMenu);
    p.dialogs->menuAnswers = {"OpenCdMenu"};
    menus.PopupMenu(menus.MainMenu1);
    EXPECT_EQ(log, QStringList({"Play"}));
    EXPECT_EQ(p.form<DataForm>().ListaProgramate.ListCount(), 0);
}

}  // namespace
