#pragma once

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "support/display/DisplaySession.h"

namespace displaytest {

// Another program that drags files: its small window at a point of the
// screen starts a drag of the files when pressed, and says when its drag has
// the pointer ("dragging") and what the target answers ("over copy", then
// "dropped copy").
class DragProgram {
  public:
    DragProgram(PlayerSession& s, QPoint at, const QStringList& files);
    ~DragProgram();
    DragProgram(const DragProgram&) = delete;
    DragProgram& operator=(const DragProgram&) = delete;

    // Waits until the program has said this line.
    bool says(const QString& line, int timeoutMs = kWaitMs);

  private:
    QProcess process_;
    QString said_;
};

}  // namespace displaytest
