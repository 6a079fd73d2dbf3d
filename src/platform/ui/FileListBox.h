#pragma once

#include "platform/ui/ListBox.h"

namespace ui {

// A list of the ordinary files of one folder that match a pattern
// ("*.ini;*.txt"): no names beginning with ".", no pipes or devices.
class FileListBox : public ListBox {
  public:
    FileListBox(Form& form, QString name);

    QString Path() const;
    // Lists the folder again; a folder that does not exist fails with "Path not found".
    void setPath(const QString& path);
    QString Pattern() const;
    void setPattern(const QString& pattern);
    QString FileName() const { return Text(); }
    void Refresh();

  private:
    struct State {
        QString path;
        QString pattern = "*.*";
    };
    State state_;
};

}  // namespace ui
