#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include "TestWindows.h"

#include "platform/ui/PictureBox.h"
#include "platform/ui/UserControl.h"

namespace {

// A small control of the program's own kind: two picture areas side by side
// measured in pixels, a pulse timer it starts itself, and two persisted
// properties.
class Gauge : public ui::UserControl {
  public:
    Gauge(ui::Form& form, QString name, QStringList& log) : UserControl(form, name), log_(log) {
        setScaleMode(ui::vbPixels);
        for (ui::PictureBox* area : {&Left, &Right}) {
            area->setContainer(this);
            area->setScaleMode(ui::vbPixels);
            area->setBorderStyle(0);
        }
        Left.Move(0, 0, 10, 10);
        Right.Move(20, 0, 10, 10);
        Caption.setContainer(this);
        Caption.Move(0, 12, 30, 4);
        Pulse.setInterval(100);
        Pulse.setEnabled(false);
        keepDesign(props);
        Pulse.TimerEvent.connect([this] { note("Pulse"); });
        Left.MouseDown.connect([this](int button, int, float x, float y) {
            note(QString("Left_MouseDown %1 %2 %3").arg(button).arg(x).arg(y));
        });
        Caption.MouseUp.connect([this](int, int, float x, float y) {
            note(QString("Caption_MouseUp %1 %2").arg(x).arg(y));
        });
    }

    struct Props {
        double level = 0;
        int ticks = 3;
        QString label = "none";
    } props;
    bool failReading = false;

    ui::PictureBox Left{parentForm(), "Left"};
    ui::PictureBox Right{parentForm(), "Right"};
    ui::Label Caption{parentForm(), "Caption"};
    ui::Timer Pulse{parentForm(), "Pulse"};

  protected:
    void UserControl_Initialize() override {
        note("Initialize");
        Pulse.setEnabled(true);
    }
    void UserControl_InitProperties() override {
        note("InitProperties");
        props.level = 5;
    }
    void UserControl_ReadProperties(ui::PropertyBag& bag) override {
        note("ReadProperties");
        if (failReading) throw std::runtime_error("broken design");
        ui::step([&] { props.level = bag.readDouble("Level", 0); });
        ui::step([&] { props.ticks = bag.readInteger("Ticks", 3); });
        ui::step([&] { props.label = bag.ReadProperty("Label", "none").toString(); });
    }
    void UserControl_WriteProperties(ui::PropertyBag& bag) override {
        bag.WriteProperty("Level", props.level, 0.0);
        bag.WriteProperty("Ticks", props.ticks, 3);
        bag.WriteProperty("Label", props.label, "none");
    }
    void UserControl_Resize() override { note(QString("Resize %1").arg(ScaleWidth())); }
    void UserControl_Show() override { note("Show"); }
    void UserControl_Terminate() override { note("Terminate"); }

  private:
    void note(const QString& what) {
        log_ << QString("%1(%2) %3").arg(Name()).arg(Index()).arg(what);
    }
    QStringList& log_;
};

ui::PropertyBag designOf(double level, const QString& label) {
    ui::PropertyBag bag;
    bag.WriteProperty("level", level, 0.0);
    bag.WriteProperty("LABEL", label, "none");
    return bag;
}

class Dashboard : public ui::Form {
  public:
    explicit Dashboard(ui::Application& app) : ui::Form(app, "Dashboard") {
        Meter.setDesign(designOf(7.5, "vol"));
        Meter.Move(150, 300, 450, 300);
        Meters.add(0, log).setDesign(designOf(1, "a"));
        Meters.add(1, log).setDesign(designOf(2, "b"));
    }
    void Form_Load() override { log << "Form_Load"; }
    QStringList log;
    Gauge Meter{*this, "Meter", log};
    ui::ControlArray<Gauge> Meters{*this, "Meters"};
};

void press(QWidget* widget, QPoint at, QEvent::Type type = QEvent::MouseButtonPress) {
    QMouseEvent e(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(widget, &e);
}

class UserControls : public ::testing::Test {
  protected:
    TestApp t;
    Dashboard& w = t.app.form<Dashboard>();
    Gauge& meter = w.Meter;
};

TEST_F(UserControls, LoadingTheWindowRunsEachInstancesLifeCycleFromItsDesign) {
    EXPECT_EQ(w.log.mid(0, 4), QStringList({"Meter(-1) Initialize", "Meter(-1) ReadProperties",
                                            "Meter(-1) Resize 30", "Meters(0) Initialize"}));
    EXPECT_EQ(w.log.last(), "Form_Load");
    EXPECT_EQ(meter.props.level, 7.5);
    EXPECT_EQ(meter.props.label, "vol");
    EXPECT_EQ(w.Meters(1).props.level, 2);
    w.log.clear();
    w.Show();
    EXPECT_TRUE(w.log.contains("Meter(-1) Show"));
    EXPECT_TRUE(w.log.contains("Meters(1) Show"));
}

TEST_F(UserControls, ChildrenArePlacedAndReportTheMouseInTheControlsPixels) {
    EXPECT_EQ(meter.Right.Left(), 20);
    EXPECT_EQ(meter.Right.widget()->geometry(), QRect(20, 0, 10, 10));
    EXPECT_EQ(meter.Width(), 450) << "the control itself measures in its window's twips";
    w.log.clear();
    press(meter.Left.widget(), {3, 4});
    press(meter.Caption.widget(), {6, 1}, QEvent::MouseButtonRelease);
    EXPECT_EQ(w.log,
              QStringList({"Meter(-1) Left_MouseDown 1 3 4", "Meter(-1) Caption_MouseUp 6 1"}));
}

TEST_F(UserControls, TimersTickOnTheClockAndStopWhenTheWindowUnloads) {
    t.clock->advance(250);
    EXPECT_EQ(w.log.count("Meter(-1) Pulse"), 2);
    w.log.clear();
    w.Unload();
    EXPECT_TRUE(w.log.contains("Meter(-1) Terminate"));
    EXPECT_TRUE(w.log.contains("Meters(1) Terminate"));
    w.log.clear();
    t.clock->advance(1000);
    EXPECT_TRUE(w.log.isEmpty());
    EXPECT_FALSE(t.app.isLoaded<Dashboard>());
}

TEST_F(UserControls, UnloadRestoresTheDesignAndTheNextLoadReadsItAgain) {
    meter.props.level = 99;
    meter.Right.setLeft(25);
    meter.setWidth(600);
    EXPECT_TRUE(w.log.contains("Meter(-1) Resize 40"));
    w.Unload();
    EXPECT_EQ(meter.props.level, 0) << "the value from before the first load";
    w.log.clear();
    w.Show();
    EXPECT_EQ(meter.props.level, 7.5);
    EXPECT_EQ(meter.Right.Left(), 20);
    EXPECT_EQ(meter.Width(), 450);
    EXPECT_EQ(meter.design(), designOf(7.5, "vol"));
}

TEST_F(UserControls, SavingWritesOnlyValuesThatDifferFromTheirDefaults) {
    meter.props = {0, 40, "vol"};
    const ui::PropertyBag saved = meter.saveDesign();
    EXPECT_EQ(saved.keys(), QStringList({"Ticks", "Label"}));
    EXPECT_EQ(saved.readInteger("ticks", 3), 40);
    EXPECT_EQ(saved.readDouble("Level", 0), 0);
}

TEST_F(UserControls, AnElementLoadedAtRunTimeStartsAtOnceAndGoesAtUnload) {
    w.log.clear();
    Gauge& extra = w.Meters.add(2, w.log);
    EXPECT_EQ(w.log, QStringList({"Meters(2) Initialize", "Meters(2) InitProperties",
                                  "Meters(2) Resize 80"}));
    EXPECT_EQ(extra.props.level, 5);
    w.Unload();
    EXPECT_TRUE(w.log.contains("Meters(2) Terminate"));
    EXPECT_FALSE(w.Meters.exists(2));
}

TEST(PropertyBags, KeysIgnoreCaseAndBadValuesFailAsConversionsDo) {
    ui::PropertyBag bag;
    bag.WriteProperty("Max", 100, 100);
    EXPECT_TRUE(bag.keys().isEmpty());
    bag.WriteProperty("Max", 200, 100);
    bag.WriteProperty("MAX", 300, 100);
    bag.WriteProperty("Words", "abc");
    bag.WriteProperty("Big", 70000);
    bag.WriteProperty("Flag", "true");
    bag.WriteProperty("Colour", -2147483628);
    bag.WriteProperty("Text", "2.5");
    EXPECT_EQ(bag.keys(), QStringList({"Max", "Words", "Big", "Flag", "Colour", "Text"}));
    EXPECT_EQ(bag.readDouble("max", 100), 300);
    EXPECT_EQ(bag.readDouble("unknown", 100), 100);
    EXPECT_EQ(bag.ReadProperty("unknown", "dflt"), "dflt");
    EXPECT_TRUE(bag.readBoolean("FLAG", false));
    EXPECT_EQ(bag.readColor("Colour", 0), 0x80000014u);
    EXPECT_EQ(bag.readInteger("Text", 0), 2) << "halves to even";
    const auto fails = [](int number, auto read) {
        try {
            read();
            ADD_FAILURE() << "expected error " << number;
        } catch (const ui::RuntimeError& e) {
            EXPECT_EQ(e.number(), number);
        }
    };
    fails(ui::kTypeMismatch, [&] { bag.readDouble("Words", 0); });
    fails(ui::kTypeMismatch, [&] { bag.readBoolean("Words", false); });
    fails(ui::kTypeMismatch, [&] { bag.readPicture("Words"); });
    fails(ui::kOverflow, [&] { bag.readInteger("Big", 0); });
    EXPECT_EQ(bag.readLong("Big", 0), 70000);
    EXPECT_TRUE(bag.readPicture("unknown").isEmpty());
}

class BadDesign : public ui::Form {
  public:
    explicit BadDesign(ui::Application& app) : ui::Form(app, "BadDesign") {
        ui::PropertyBag bag;
        bag.WriteProperty("Level", "loud");
        bag.WriteProperty("Ticks", 1e9);
        bag.WriteProperty("Label", "kept");
        bag.WriteProperty("Colour", "blue");
        Meter.setDesign(bag);
        Broken.setDesign(bag);
        Broken.failReading = true;
    }
    void Form_Load() override { log << "Form_Load"; }
    QStringList log;
    Gauge Meter{*this, "Meter", log};
    Gauge Broken{*this, "Broken", log};
};

TEST(UserControlDesigns, BadValuesAreSkippedAndAFailingReadIsReportedWithoutStoppingTheLoad) {
    TestApp t;
    BadDesign& w = t.app.form<BadDesign>();
    EXPECT_EQ(w.Meter.props.level, 0);
    EXPECT_EQ(w.Meter.props.ticks, 3);
    EXPECT_EQ(w.Meter.props.label, "kept");
    EXPECT_TRUE(w.log.contains("Broken(-1) Resize 80"));
    EXPECT_EQ(w.log.last(), "Form_Load");
}

}  // namespace
