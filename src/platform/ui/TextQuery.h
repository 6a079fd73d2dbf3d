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
// the text written as "\n"; each list's selected and top rows as
// "Form.Control.ListIndex=n" and "Form.Control.TopIndex=n", its first rows
// as "Form.Control[row]=text"; and "focus=Form.Control" for the control that
// has the keyboard.  Each further line of the request may name a list
// ("Form.Control"): the program then also writes <folder>/Form.Control.png,
// the list's rows area as the list draws it now, with what other controls
// cover of it left transparent, and answers "Form.Control.Origin=x,y", the
// area's top left on the screen, and "Form.Control.FirstShown=n", the row
// its view draws at the top of that area.
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
    // Writes the named list's picture; returns its answer line, or nothing
    // for a name that is no shown list.
    QString drawList(const QString& name) const;

    Application& app_;
    QString folder_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
};

}  // namespace ui
