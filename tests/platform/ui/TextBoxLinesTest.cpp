#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "TestWindows.h"

namespace {

class Notes : public ui::Form {
  public:
    explicit Notes(ui::Application& app) : ui::Form(app, "Notes") {
        Page.Move(0, 0, 3000, 2000);
        Page.Change.connect([this] { log << "Page_Change"; });
        Code.KeyUp.connect([this](int& code, int) { log << QString("Code_KeyUp %1").arg(code); });
    }
    QStringList log;
    ui::TextBox Page{*this, "Page", true, ui::TextBox::vbVertical};
    ui::TextBox Code{*this, "Code"};
};

// A many-line box keeps its text as written, line ends and all, and shows
// a vertical bar only.
TEST(TextBoxLines, AManyLineBoxKeepsItsTextAndShowsItsBars) {
    TestApp t;
    Notes& w = t.app.form<Notes>();
    const QString text = "first\r\nsecond\rthird\nlast";
    w.Page.setText(text);
    EXPECT_EQ(w.Page.Text(), text);
    EXPECT_TRUE(w.Page.MultiLine());
    EXPECT_FALSE(w.Code.MultiLine());
    auto* edit = qobject_cast<QPlainTextEdit*>(w.Page.widget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(w.log, QStringList({"Page_Change"}));
    w.Page.setLocked(true);
    EXPECT_TRUE(edit->isReadOnly());
}

// SelText reads the span and writing it replaces the span, in both kinds.
TEST(TextBoxLines, SelTextReadsAndReplacesTheSelection) {
    TestApp t;
    Notes& w = t.app.form<Notes>();
    for (ui::TextBox* box : {&w.Page, &w.Code}) {
        box->setText("65");
        box->setSelStart(0);
        box->setSelLength(1);
        EXPECT_EQ(box->SelText(), "6");
        box->setSelText("ab");
        EXPECT_EQ(box->Text(), "ab5");
        EXPECT_EQ(box->SelStart(), 2) << "the caret stands after the new text";
        EXPECT_EQ(box->SelText(), "");
        box->setSelStart(1);
        box->setSelLength(100);
        EXPECT_EQ(box->SelText(), "b5") << "held to the text";
        box->setSelStart(0);
        box->setSelLength(0);
        EXPECT_EQ(box->SelText(), "");
        EXPECT_THROW(box->setSelLength(-1), ui::RuntimeError);
    }
    w.Page.setText("one\ntwo");
    w.Page.setSelStart(0);
    w.Page.setSelLength(7);
    EXPECT_EQ(w.Page.SelText(), "one\ntwo");
}

// A held key sends repeated presses and releases; only the real release
// raises KeyUp.
TEST(TextBoxLines, AutoRepeatReleasesRaiseNoKeyUp) {
    TestApp t;
    Notes& w = t.app.form<Notes>();
    for (bool repeat : {true, true, false}) {
        QKeyEvent e(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, 0, 0, 0, "a", repeat);
        QApplication::sendEvent(w.Code.widget(), &e);
    }
    EXPECT_EQ(w.log, QStringList({"Code_KeyUp 65"}));
}

}  // namespace
