#include "gui/core/frame.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "gui/core/bitmap.h"
#include "gui/core/draw_context.h"
#include "gui/core/editor_base.h"
#include "gui/core/window_class.h"

namespace {

constexpr std::int32_t kListGrowth = 10;

class ClickContext : public GuiDrawContext {
public:
    using GuiDrawContext::GuiDrawContext;
    void letGo() { releaseSurface(); }
};

}  // namespace

// A click's surface and context live on the stack of handleClick; a frame
// deleted inside the click lets go of them before its window goes, since
// the surface may draw into the window's own memory.
struct GuiFrame::Click {
    Click(GuiFrame* frame, Click* outer)
        : surface(platform::acquireWindowSurface(frame->window)),
          context(frame, surface.get(), frame->window),
          outer(outer) {}
    std::unique_ptr<platform::Surface> surface;
    ClickContext context;
    Click* outer;
};

GuiFrame::GuiFrame(const GuiRect& size, platform::NativeWindow parent, GuiEditorBase* editor)
    : GuiView(size), editor(editor), parentWindow(parent) {
    createWindow();
}

GuiFrame::~GuiFrame() {
    for (Click* c = click; c; c = c->outer) {
        c->context.letGo();
        c->surface.reset();
    }
    if (focusView) {
        focusView->focusLost();
        focusView = nullptr;
    }
    // In list order, before the background goes.
    for (auto& view : views) view.reset();
    views.clear();
    background.reset();
    if (window) {
        // Cleared first, so the destroy message no longer finds this frame.
        platform::setWindowUserData(window, nullptr);
        platform::destroyWindow(window);
        window = nullptr;
        guiUnregisterWindowClass();
    }
}

void GuiFrame::createWindow() {
    if (!parentWindow) return;
    guiRegisterWindowClass();
    window = platform::createChildWindow(windowClassName(), "Window", parentWindow, size.width(),
                                         size.height());
    if (!window) {
        // Nothing will unregister for a window that never existed.
        guiUnregisterWindowClass();
        return;
    }
    platform::setWindowUserData(window, this);
}

void GuiFrame::draw(GuiDrawContext* context) {
    firstDrawPending = false;
    if (background) {
        background->draw(context, GuiRect(0, 0, background->getWidth(), background->getHeight()));
    }
    for (const auto& view : views) view->draw(context);
    if (modalView) modalView->draw(context);
}

void GuiFrame::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    if (focusView && !where.isInside(focusView->getSize())) {
        focusView->focusLost();
        focusView = nullptr;
    }
    if (modalView) {
        if (where.isInside(modalView->getSize())) modalView->mouseDown(context, where);
        return;
    }
    for (auto view = views.rbegin(); view != views.rend(); ++view) {
        if (where.isInside((*view)->getSize())) {
            (*view)->mouseDown(context, where);
            return;
        }
    }
}

bool GuiFrame::isBackground(const GuiPoint& where) const {
    if (modalView) return false;
    for (const auto& view : views) {
        if (where.isInside(view->getSize())) return false;
    }
    return true;
}

GuiView* GuiFrame::viewAt(const GuiPoint& where) const {
    if (modalView) return where.isInside(modalView->getSize()) ? modalView : nullptr;
    for (auto view = views.rbegin(); view != views.rend(); ++view) {
        if (where.isInside((*view)->getSize())) return view->get();
    }
    return nullptr;
}

bool GuiFrame::secondPress(const GuiPoint& where, GuiView* view) {
    const std::uint32_t now = platform::tickCount();
    const bool close = std::abs(where.h - lastPressWhere.h) <= kDoubleClickSlop &&
                       std::abs(where.v - lastPressWhere.v) <= kDoubleClickSlop;
    const bool isDouble =
        view && view == lastPressView && close && now - lastPressTick <= kDoubleClickTicks;
    // A third press starts a new pair rather than making another double.
    lastPressView = isDouble ? nullptr : view;
    lastPressWhere = where;
    lastPressTick = now;
    return isDouble;
}

void GuiFrame::handleClick(const GuiPoint& where, bool rightButton) {
    if (rightButton && editor && isBackground(where)) {
        if (focusView) {
            focusView->focusLost();
            focusView = nullptr;
        }
        editor->backgroundMenu(where);
        return;
    }
    GuiView* pressed = rightButton ? nullptr : viewAt(where);
    const bool isDouble = !rightButton && secondPress(where, pressed);
    const GuiLifeWatch life = watchLife();
    Click current(this, click);
    click = &current;
    bool taken = false;
    if (isDouble && pressed) {
        if (focusView && focusView != pressed) {
            focusView->focusLost();
            focusView = nullptr;
        }
        taken = pressed->doubleClick(&current.context, where);
        if (!taken && !life.ended() && editor) taken = editor->viewDoubleClicked(pressed);
    }
    if (life.ended()) return;
    if (!taken) {
        mouseDown(&current.context, where);
        if (life.ended()) return;
        // A press that became a drag is no first half of a double-click.
        GuiPoint released;
        current.context.getMouseLocation(released);
        if (std::abs(released.h - where.h) > kDoubleClickSlop ||
            std::abs(released.v - where.v) > kDoubleClickSlop)
            lastPressView = nullptr;
    }
    if (life.ended()) return;  // deleted meanwhile; `current` was let go
    click = current.outer;
}

// The wheel goes where a click would, with a context the destructor can
// part from its surface should the listener close the editor.
void GuiFrame::handleWheel(const GuiPoint& where, int notches, unsigned keys) {
    GuiView* target = nullptr;
    if (modalView) {
        if (where.isInside(modalView->getSize())) target = modalView;
    } else {
        for (auto view = views.rbegin(); view != views.rend() && !target; ++view) {
            if (where.isInside((*view)->getSize())) target = view->get();
        }
    }
    if (!target) return;
    const GuiLifeWatch life = watchLife();
    Click current(this, click);
    click = &current;
    (void)target->wheel(&current.context, where, notches, keys);
    if (life.ended()) return;
    click = current.outer;
}

void GuiFrame::update(GuiDrawContext* context) {
    if (!open) return;
    if (modalView) {
        modalView->update(context);
        return;
    }
    for (const auto& view : views) view->update(context);
}

bool GuiFrame::addView(GuiView* view) {
    if (views.size() == views.capacity()) {
        // A failed growth leaves the list intact, so views added so far are
        // still drawn and deleted.
        try {
            views.reserve(views.capacity() + kListGrowth);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    views.emplace_back(view);
    view->setFrame(this);
    return true;
}

bool GuiFrame::removeView(GuiView* view) {
    if (lastPressView == view) lastPressView = nullptr;
    const std::int32_t index = indexOf(view);
    if (index < 0) return true;
    (void)views[index].release();  // handed back undeleted
    views.erase(views.begin() + index);
    return true;
}

std::int32_t GuiFrame::indexOf(const GuiView* view) const {
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (views[i].get() == view) return static_cast<std::int32_t>(i);
    }
    return -1;
}

GuiView* GuiFrame::getView(std::int32_t index) const {
    return index >= 0 && index < getViewCount() ? views[index].get() : nullptr;
}

void GuiFrame::drawView(GuiView* view) {
    if (!window) return;
    const std::int32_t index = view ? indexOf(view) : -1;
    auto surface = platform::acquireWindowSurface(window);
    if (!surface) return;
    GuiDrawContext context(this, surface.get(), window);
    if (index >= 0) views[index]->draw(&context);
    else draw(&context);
}

void GuiFrame::idle() {
    if (window) {
        // A click among the pending messages runs its whole drag here, and
        // the host may delete this frame in the middle of it.
        const GuiLifeWatch life = watchLife();
        platform::dispatchPendingMessages(window);
        if (life.ended()) return;
    }
    if (!open || firstDrawPending || !window) return;
    auto surface = platform::acquireWindowSurface(window);
    if (!surface) return;
    GuiDrawContext context(this, surface.get(), window);
    update(&context);
}

bool GuiFrame::setModalView(GuiView* view) {
    if (modalView && view) return false;
    modalView = view;
    return true;
}

void GuiFrame::setBackground(GuiBitmap* bitmap) { background.reset(bitmap); }

bool GuiFrame::setScale(std::int32_t percent) {
    if (!window || !platform::setWindowScale(window, percent)) return false;
    scalePercent = percent;
    if (!firstDrawPending) drawView(nullptr);
    platform::invalidateWindow(window);
    return true;
}

std::int32_t GuiFrame::popupMenu(const GuiPoint& where, const platform::MenuEntry* entries,
                                 std::int32_t count) {
    if (!window) return -1;
    return platform::popupMenu(window, platform::Point{where.h, where.v}, entries, count);
}

void GuiFrame::windowProcedure(platform::WindowHandle window,
                               const platform::WindowMessage& message) {
    auto* frame = static_cast<GuiFrame*>(platform::windowUserData(window));
    if (!frame) return;
    switch (message.kind) {
    case platform::MessageKind::leftButtonDown:
    case platform::MessageKind::rightButtonDown:
        frame->handleClick(GuiPoint(message.where.x, message.where.y),
                           message.kind == platform::MessageKind::rightButtonDown);
        break;
    case platform::MessageKind::wheel:
        frame->handleWheel(GuiPoint(message.where.x, message.where.y), message.wheelNotches,
                           message.keys);
        break;
    case platform::MessageKind::paint:
        if (message.surface) {
            GuiDrawContext context(frame, message.surface, window);
            frame->draw(&context);
        }
        break;
    case platform::MessageKind::destroy:
        frame->open = false;
        frame->parentWindow = nullptr;
        break;
    }
}
