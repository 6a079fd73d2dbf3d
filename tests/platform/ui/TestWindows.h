#pragma once

#include <QStringList>

#include "platform/ui/Application.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Menu.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"

// A window with one control of each kind; every event is written to `log`.
class Sample : public ui::Form {
  public:
    explicit Sample(ui::Application& app) : ui::Form(app, "Sample") {
        Caption.setCaption("design");
        Text.setText("typed");
        Check.setValue(1);
        Tick.setInterval(100);
        GroupB.setContainer(&Box);
        OnlyInBox.setContainer(&Box);
        OptA.setValue(true);
        Multi.AddItem("m0");
        Multi.AddItem("m1");
        Cells.add(0).setCaption("cell0");
        Cells.add(3).setCaption("cell3");
        setWidth(6000);
        setHeight(4000);

        Caption.Change.connect([this] { log << "Caption_Change"; });
        Text.Change.connect([this] { log << "Text_Change"; });
        List.Click.connect([this] { log << QString("List_Click %1").arg(List.ListIndex()); });
        Combo.Click.connect([this] { log << QString("Combo_Click %1").arg(Combo.ListIndex()); });
        Combo.Change.connect([this] { log << "Combo_Change"; });
        Check.Click.connect([this] { log << QString("Check_Click %1").arg(Check.Value()); });
        OptA.Click.connect([this] { log << "OptA_Click"; });
        OptB.Click.connect([this] { log << "OptB_Click"; });
        GroupB.Click.connect([this] { log << "GroupB_Click"; });
        Tick.TimerEvent.connect([this] { Tick_Timer(); });
        Cells(3).Change.connect([this] { log << "Cells_Change 3"; });
        Fails.Click.connect([this] { throw ui::RuntimeError(ui::kTypeMismatch); });
        List.KeyDown.connect(
            [this](int& code, int) { log << QString("List_KeyDown %1").arg(code); });
    }

    void Form_Load() override { log << "Form_Load"; }
    void Form_Unload(int& Cancel) override {
        log << "Form_Unload";
        Cancel = cancelUnload;
    }
    void Form_Resize() override { log << "Form_Resize"; }
    void Form_KeyDown(int& KeyCode, int) override {
        log << QString("Form_KeyDown %1").arg(KeyCode);
    }

    void Tick_Timer() {
        log << "Tick";
        if (unloadInTick) Unload();
        if (disableInTick) Tick.setEnabled(false);
    }

    QStringList log;
    int cancelUnload = 0;
    bool unloadInTick = false;
    bool disableInTick = false;

    ui::Label Caption{*this, "Caption"};
    ui::TextBox Text{*this, "Text"};
    ui::ListBox List{*this, "List"};
    ui::ListBox Multi{*this, "Multi", ui::ListControl::vbMultiSelectSimple};
    ui::ListBox SortedList{*this, "SortedList", ui::ListControl::vbMultiSelectNone, true};
    ui::ComboBox Combo{*this, "Combo"};
    ui::CheckBox Check{*this, "Check"};
    ui::Frame Box{*this, "Box"};
    ui::OptionButton OptA{*this, "OptA"};
    ui::OptionButton OptB{*this, "OptB"};
    ui::OptionButton GroupB{*this, "GroupB"};
    ui::OptionButton OnlyInBox{*this, "OnlyInBox"};
    ui::Timer Tick{*this, "Tick"};
    ui::ControlArray<ui::Label> Cells{*this, "Cells"};
    ui::Label Fails{*this, "Fails"};
    ui::Menu Popup{*this, "Popup"};
    ui::Menu PopupOpen{*this, "PopupOpen", &Popup};
    ui::Menu PopupSub{*this, "PopupSub", &Popup};
    ui::Menu PopupSubItem{*this, "PopupSubItem", &PopupSub};
};

class Other : public ui::Form {
  public:
    explicit Other(ui::Application& app) : ui::Form(app, "Other") {}
    void Form_Load() override { ++loads; }
    int loads = 0;
    ui::Label Value{*this, "Value"};
};

struct TestApp {
    ui::ManualClock* clock;
    ui::RecordingDialogs* dialogs;
    ui::Application app;

    TestApp() : TestApp(new ui::ManualClock, new ui::RecordingDialogs) {}

  private:
    TestApp(ui::ManualClock* c, ui::RecordingDialogs* d)
        : clock(c),
          dialogs(d),
          app(std::unique_ptr<ui::Clock>(c), std::unique_ptr<ui::Dialogs>(d)) {}
};
