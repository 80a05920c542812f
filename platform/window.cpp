#include "platform/window.h"

#include "platform/platform.h"

namespace platform {

Point pointFromLParam(std::intptr_t lParam)
{
    auto x = static_cast<std::int16_t>(lParam & 0xFFFF);
    auto y = static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
    return {x, y};
}

std::intptr_t lParamFromPoint(Point p)
{
    return std::intptr_t((std::uint32_t(std::uint16_t(p.x))) | (std::uint32_t(std::uint16_t(p.y)) << 16));
}

Window::~Window()
{
    destroy();
}

std::intptr_t Window::doModal(Window* parent)
{
    if (native_)
        return -1; // already running
    parent_ = parent;
    modal_ = true;
    ended_ = false;
    result_ = 0;
    if (!os().windows->create(*this, parent)) {
        modal_ = false;
        return -1;
    }
    // onInitDialog may already have ended the dialog (a missing skin file).
    if (!ended_)
        os().windows->runModal(*this, parent);
    destroy();
    modal_ = false;
    return result_;
}

bool Window::create(Window* parent)
{
    if (native_)
        return true;
    parent_ = parent;
    modal_ = false;
    ended_ = false;
    result_ = 0;
    return os().windows->create(*this, parent);
}

void Window::endDialog(std::intptr_t result)
{
    result_ = result;
    if (modal_)
        ended_ = true;
    if (native_)
        native_->endDialog();
}

void Window::destroy()
{
    if (!native_)
        return;
    onDestroying();
    // Detach first: messages sent while the native window goes must not reach
    // an object that is being torn down.
    std::unique_ptr<NativeWindow> native;
    {
        std::lock_guard lock(postMutex_);
        native = std::move(native_);
    }
    native.reset();
}

void Window::attach(std::unique_ptr<NativeWindow> native)
{
    std::lock_guard lock(postMutex_);
    native_ = std::move(native);
}

WindowHandle Window::handle() const { return native_ ? native_->handle() : 0; }
void Window::show(Show how) { if (native_) native_->show(how); }
bool Window::isVisible() const { return native_ && native_->isVisible(); }
bool Window::isIconic() const { return native_ && native_->isIconic(); }
void Window::move(const Rect& r) { if (native_) native_->move(r); }
Rect Window::windowRect() const { return native_ ? native_->windowRect() : Rect{}; }
Rect Window::clientRect() const { return native_ ? native_->clientRect() : Rect{}; }
Point Window::clientToScreen(Point p) const { return native_ ? native_->clientToScreen(p) : p; }
void Window::setRegion(const Rect& r) { if (native_) native_->setRegion(r); }
void Window::invalidate(bool erase) { if (native_) native_->invalidate(erase); }
void Window::invalidateExcept(const Rect* holes, int count, bool erase)
{
    if (native_)
        native_->invalidateExcept(holes, count, erase);
}
void Window::invalidateRect(const Rect& r, bool erase)
{
    if (native_ && !r.isEmpty())
        native_->invalidateRect(r, erase);
}
void Window::update() { if (native_) native_->update(); }
void Window::setText(const Text& t) { if (native_) native_->setText(t); }
Text Window::text() const { return native_ ? native_->text() : Text(); }
void Window::setTimer(unsigned id, unsigned ms) { if (native_) native_->setTimer(id, ms); }
void Window::killTimer(unsigned id) { if (native_) native_->killTimer(id); }
bool Window::post(unsigned id, std::uintptr_t w, std::intptr_t l)
{
    std::lock_guard lock(postMutex_);
    return native_ && native_->post(id, w, l);
}
std::intptr_t Window::send(unsigned id, std::uintptr_t w, std::intptr_t l) { return native_ ? native_->send(id, w, l) : 0; }
bool Window::trackMouseLeave(unsigned hoverMs) { return native_ && native_->trackMouseLeave(hoverMs); }
void Window::beginMoveDrag(Point client) { if (native_) native_->beginMoveDrag(client); }
bool Window::registerHidNotification() { return native_ && native_->registerHidNotification(); }
void Window::setForeground() { if (native_) native_->setForeground(); }
void Window::setIcon(int resourceId) { if (native_) native_->setIcon(resourceId); }
void Window::appendSystemMenuItem(unsigned command, const Text& label)
{
    if (native_)
        native_->appendSystemMenuItem(command, label);
}

} // namespace platform
