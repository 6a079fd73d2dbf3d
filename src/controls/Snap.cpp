#include "controls/Snap.h"

#include <algorithm>
#include <cstdlib>

#include "platform/system/WindowServices.h"
#include "platform/ui/Application.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/Twips.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

using ui::Rect;

// One axis of a move step: the moving edges, a target's edges and where the
// window goes for each pairing, tried in this order.
struct Axis {
    int near, far;  // the window's left/top and right/bottom
    int targetNear, targetFar;
    bool overlaps;  // the other axis overlaps within the margin
};

// The first pairing that qualifies within a target, as (distance, new near edge).
bool pairUp(const Axis& a, int size, bool workArea, int& best, int& placed) {
    if (!a.overlaps) return false;
    const struct {
        int edge, target, nearAt;
        bool outer;
    } pairings[] = {
        {a.near, a.targetNear, a.targetNear, false},
        {a.near, a.targetFar, a.targetFar, true},
        {a.far, a.targetNear, a.targetNear - size, true},
        {a.far, a.targetFar, a.targetFar - size, false},
    };
    for (const auto& p : pairings) {
        if (p.outer && workArea) continue;
        const int distance = std::abs(p.edge - p.target);
        if (distance >= best) continue;
        best = distance;
        placed = p.nearAt;
        return true;
    }
    return false;
}

bool overlapsX(const Rect& a, const Rect& t) {
    return a.right + Snap::kDistance > t.left && a.left - Snap::kDistance < t.right;
}
bool overlapsY(const Rect& a, const Rect& t) {
    return a.bottom + Snap::kDistance > t.top && a.top - Snap::kDistance < t.bottom;
}

// The nearest target edge for a sizing edge, the first pairing of a target that qualifies.
void snapEdge(int edge, int targetNear, int targetFar, bool overlaps, int& best, int& result) {
    if (!overlaps) return;
    for (int target : {targetNear, targetFar}) {
        const int distance = std::abs(edge - target);
        if (distance < best) {
            best = distance;
            result = target;
            return;
        }
    }
}

}  // namespace

void Snap::Pass::moving(Rect& p, QPoint pointer) {
    // While an axis is snapped, the pointer alone says where the window would be,
    // so it leaves the snap once the pointer has gone far enough.
    if (snappedX) {
        const int shift = pointer.x() - grabOffset.x() - p.left;
        p.left += shift, p.right += shift;
    } else {
        grabOffset.setX(pointer.x() - p.left);
    }
    if (snappedY) {
        const int shift = pointer.y() - grabOffset.y() - p.top;
        p.top += shift, p.bottom += shift;
    } else {
        grabOffset.setY(pointer.y() - p.top);
    }
    const Rect a = p;
    const int w = a.width(), h = a.height();
    int bestX = kDistance, bestY = kDistance;
    bool x = false, y = false;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Rect& t = targets[i];
        int placed = 0;
        if (pairUp({a.left, a.right, t.left, t.right, overlapsY(a, t)}, w, i == 0, bestX, placed)) {
            p.left = placed, p.right = placed + w;
            x = true;
        }
        if (pairUp({a.top, a.bottom, t.top, t.bottom, overlapsX(a, t)}, h, i == 0, bestY, placed)) {
            p.top = placed, p.bottom = placed + h;
            y = true;
        }
    }
    snappedX = x;
    snappedY = y;
}

void Snap::Pass::sizing(Rect& p, int edge) const {
    const bool leftEdge = edge == 1 || edge == 4 || edge == 7;
    const bool topEdge = edge == 3 || edge == 4 || edge == 5;
    const Rect a = p;
    int rx = leftEdge ? a.left : a.right;
    int ry = topEdge ? a.top : a.bottom;
    const int ex = rx, ey = ry;
    int bestX = kDistance, bestY = kDistance;
    for (const Rect& t : targets) {
        snapEdge(ex, t.left, t.right, overlapsY(a, t), bestX, rx);
        snapEdge(ey, t.top, t.bottom, overlapsX(a, t), bestY, ry);
    }
    (leftEdge ? p.left : p.right) = rx;
    (topEdge ? p.top : p.bottom) = ry;
}

Snap::Snap(ui::Application& app) : app_(app) {}

const Snap::Entry* Snap::find(int hWnd) const {
    for (const Entry& e : table_)
        if (e.hWnd == hWnd) return &e;
    return nullptr;
}

void Snap::SnapWindow(ui::Form& frm) {
    if (find(frm.hWnd())) return;
    const int hWnd = frm.hWnd();
    ui::WindowProc previous =
        ui::SetWindowLongA(frm, [this](int h, unsigned msg, int wParam, Rect* r) {
            return SnapWindowProc(h, msg, wParam, r);
        });
    table_.push_back({hWnd, std::move(previous)});
}

void Snap::UnsnapWindow(ui::Form& frm) {
    const auto it = std::find_if(table_.begin(), table_.end(),
                                 [&](const Entry& e) { return e.hWnd == frm.hWnd(); });
    if (it == table_.end()) return;
    ui::SetWindowLongA(frm, std::move(it->previous));
    table_.erase(it);
}

std::vector<int> Snap::registered() const {
    std::vector<int> handles;
    for (const Entry& e : table_)
        handles.push_back(e.hWnd);
    return handles;
}

long Snap::SnapWindowProc(int hWnd, unsigned uMsg, int wParam, Rect* lParam) {
    const Entry* entry = find(hWnd);
    if (!entry) return 0;
    if (uMsg == ui::WM_ENTERSIZEMOVE) start(hWnd);
    if ((uMsg == ui::WM_MOVING || uMsg == ui::WM_SIZING) && lParam) {
        if (uMsg == ui::WM_SIZING) {
            pass_.sizing(*lParam, wParam);
        } else {
            QPoint pointer;
            sys::GetCursorPos(app_, pointer);
            pass_.moving(*lParam, pointer);
            dock(hWnd, *lParam);
        }
        return 1;
    }
    return ui::CallWindowProcA(entry->previous, hWnd, uMsg, wParam, lParam);
}

// Targets are gathered once per move or size: the work area, then every other
// loaded, visible window of the program in load order.
void Snap::start(int hWnd) {
    Rect frame;
    QPoint pointer;
    sys::GetWindowRect(app_, hWnd, frame);
    sys::GetCursorPos(app_, pointer);
    pass_.grabOffset = pointer - QPoint(frame.left, frame.top);
    pass_.targets.clear();
    Rect area;
    sys::SystemParametersInfoA(app_, sys::SPI_GETWORKAREA, area);
    pass_.targets.push_back(area);
    for (ui::Form* f : app_.Forms()) {
        Rect r;
        if (f->hWnd() != hWnd && f->Visible() && sys::GetWindowRect(app_, f->hWnd(), r))
            pass_.targets.push_back(r);
    }
}

void Snap::recordDockOffsets(ui::Form& player) {
    DataForm& d = app_.form<DataForm>();
    const auto record = [&](ui::Label& field, auto offset) {
        ui::step([&] { field.setCaption(shared::formatSingle(offset())); });
    };
    record(d.Sn1, [&] { return app_.form<Playlist>().Left() - player.Left(); });
    record(d.Sn2, [&] { return app_.form<Playlist>().Top() - player.Top(); });
    record(d.Sn3, [&] { return app_.form<MediaLibrary>().Left() - player.Left(); });
    record(d.Sn4, [&] { return app_.form<MediaLibrary>().Top() - player.Top(); });
}

// The docked windows take their offsets from where the player window ends up
// in this step, so they never lag behind it.
void Snap::dock(int hWnd, const Rect& placed) {
    DataForm& d = app_.form<DataForm>();
    if (shared::Val(d.Magnet.Caption()) != 1) return;
    const bool mini = d.MiniMode.Caption() == "True";
    if (mini ? !app_.isLoaded<MiniForm>() : !app_.isLoaded<Main>()) return;
    ui::Form& player = mini ? static_cast<ui::Form&>(app_.form<MiniForm>()) : app_.form<Main>();
    if (player.hWnd() != hWnd) return;
    const float left = ui::toTwips(placed.left);
    const float top = ui::toTwips(placed.top);
    const auto offset = [](const ui::Label& sn) {
        return static_cast<float>(shared::Val(sn.Caption()));
    };
    app_.form<Playlist>().Move(left + offset(d.Sn1), top + offset(d.Sn2));
    app_.form<MediaLibrary>().Move(left + offset(d.Sn3), top + offset(d.Sn4));
}
