#pragma once

#include <QString>
#include <memory>

class QFileSystemWatcher;

namespace ui {

class Application;

// A test-only window into the running program, for tests that drive it on a
// real display: what a user reads on the labels and text boxes.  It exists
// only when PLENK_TEST_QUERY names a folder.  A test writes a token to
// <folder>/request; the program answers by replacing <folder>/texts.txt with
// the token on its first line, then one line per control of every loaded
// window: "Form.Control=text" or "Form.Control(index)=text", line breaks in
// the text written as "\n"; the first rows of each list as
// "Form.Control[row]=text"; and "focus=Form.Control" for the control that
// has the keyboard.
class TextQuery {
  public:
    static std::unique_ptr<TextQuery> fromEnvironment(Application& app);
    TextQuery(Application& app, const QString& folder);
    ~TextQuery();
    TextQuery(const TextQuery&) = delete;
    TextQuery& operator=(const TextQuery&) = delete;

    // Answers a waiting request, if there is one.
    void answer();
    // The texts of every loaded window, as the answer lists them.
    QString snapshot() const;

  private:
    Application& app_;
    QString folder_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
};

}  // namespace ui
