#pragma once

#include <QPoint>
#include <vector>

#include "platform/ui/WindowMessages.h"

namespace ui {
class Application;
class Form;
}  // namespace ui

// Snapping of a moving or sizing window's edges to the work area and to the
// program's other visible windows (within 15 pixels), and docking: while the
// player window is active, the playlist and library windows follow it at the
// offsets recorded in DataForm.Sn1-Sn4 (twips).  Works as a window procedure
// on each registered window, through the runtime's move and size loop.
class Snap {
  public:
    static constexpr int kDistance = 15;

    // The geometry of one snapping pass, apart from the windows it runs on.
    struct Pass {
        std::vector<ui::Rect> targets;  // the work area first, then windows in load order
        QPoint grabOffset;              // pointer minus the window's top-left corner
        bool snappedX = false;
        bool snappedY = false;
        // One move step: the proposal p rewritten, the axes' snapped state kept.
        void moving(ui::Rect& p, QPoint pointer);
        // One size step with the desktop's edge code (1 left ... 8 bottom-right).
        void sizing(ui::Rect& p, int edge) const;
    };

    explicit Snap(ui::Application& app);

    void SnapWindow(ui::Form& frm);
    void UnsnapWindow(ui::Form& frm);
    long SnapWindowProc(int hWnd, unsigned uMsg, int wParam, ui::Rect* lParam);
    // The playlist's and the library's places relative to the player window
    // (Main or the mini window), kept for docking; each one a step of its own.
    void recordDockOffsets(ui::Form& player);

    // The registered windows' handles, in registration order.
    std::vector<int> registered() const;
    const Pass& pass() const { return pass_; }

  private:
    struct Entry {
        int hWnd;
        ui::WindowProc previous;
    };
    const Entry* find(int hWnd) const;
    void start(int hWnd);
    void dock(int hWnd, const ui::Rect& placed);

    ui::Application& app_;
    std::vector<Entry> table_;
    Pass pass_;
};
