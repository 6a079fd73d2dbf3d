#include <gtest/gtest.h>

#include "TestWindows.h"
#include "platform/ui/TextQuery.h"
#include "support/TempDir.h"

using testsupport::readAll;

namespace {

TEST(TextQuery, AnswersARequestWithTheTextsOfLoadedWindowsOnly) {
    TestApp t;
    testsupport::TempDir folder;
    ui::TextQuery query(t.app, folder.path());
    Sample& w = t.app.form<Sample>();
    w.Caption.setCaption("two\nlines");
    w.List.Clear();
    for (int i = 0; i < 50; ++i)
        w.List.AddItem(QString("row %1").arg(i));
    t.app.form<Other>().Value.setCaption("shown");
    t.app.form<Other>().Unload();

    folder.write("request", "7");
    query.answer();
    const QByteArray answer = readAll(folder.file("texts.txt"));
    EXPECT_TRUE(answer.startsWith("7\n"));
    EXPECT_TRUE(answer.contains("\nSample.Caption=two\\nlines\n"));
    EXPECT_TRUE(answer.contains("\nSample.Text=typed\n"));
    EXPECT_TRUE(answer.contains("\nSample.Cells(3)=cell3\n"));
    EXPECT_TRUE(answer.contains("\nSample.List.ListIndex=-1\nSample.List.TopIndex=0\n"));
    EXPECT_TRUE(answer.contains("\nSample.List[0]=row 0\n"));
    EXPECT_TRUE(answer.contains("\nSample.List[39]=row 39\n"));
    EXPECT_FALSE(answer.contains("Sample.List[40]")) << "a long list answers with its first rows";
    EXPECT_TRUE(answer.contains("\nSample.Visible=False\nSample.WindowState=0\n"));
    EXPECT_FALSE(answer.contains("Other.")) << "an unloaded window is not loaded by asking";
    EXPECT_FALSE(QFile::exists(folder.file("request"))) << "a request is answered once";
}

TEST(TextQuery, NoRequestNoAnswerAndNoChannelWithoutTheVariable) {
    TestApp t;
    testsupport::TempDir folder;
    ui::TextQuery query(t.app, folder.path());
    query.answer();
    EXPECT_FALSE(QFile::exists(folder.file("texts.txt")));
    unsetenv("PLENK_TEST_QUERY");
    EXPECT_EQ(ui::TextQuery::fromEnvironment(t.app), nullptr);
}

}  // namespace
