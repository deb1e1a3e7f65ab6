#include "WindowPlacement.h"

#include "KeptTwips.h"
#include "X11FrameExtents.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>
#include <QWindow>

namespace {
// The window's frame: as the window manager announces it where it does (Qt's own measure is
// sometimes wrong for good after a start), otherwise as Qt measures it.
QMargins CurrentFrame(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return X11FrameExtents(window.windowHandle())
        .value_or(QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom()));
}
} // namespace

WindowPlacement::WindowPlacement(QWidget& window) : QObject(&window), m_window(window) {
    m_window.installEventFilter(this);
}

void WindowPlacement::place(const WindowTwips& stored) {
    m_readTwips = TwipsRect{double(stored.left), double(stored.top), double(stored.width),
                            double(stored.height)};
    m_storedOuter = TwipsToPixels(m_readTwips);
    m_placedInner = QRect();
    m_settled = false;
    m_frame = QMargins();
    m_frameNudged = false;
    m_attempts = 0;
    const QSize frameExtra = m_window.frameGeometry().size() - m_window.geometry().size();
    m_window.move(m_storedOuter.topLeft());
    m_window.resize(m_storedOuter.size() - frameExtra);
}

WindowTwips WindowPlacement::toStore() const {
    // The frame measured when the window was settled is used again: measured anew at close on
    // a busy machine, it has been seen to come back without its title bar.
    const QMargins margins = !m_frame.isNull() ? m_frame : CurrentFrame(m_window);
    // Where the window stood is compared without the frame, which the toolkit may learn late.
    const QRect placed =
        m_placedInner.isNull() ? m_storedOuter : m_placedInner.marginsAdded(margins);
    const TwipsRect twips =
        OuterTwipsToStore(m_readTwips, placed, m_window.geometry().marginsAdded(margins));
    return {qint32(twips.left), qint32(twips.top), qint32(twips.width), qint32(twips.height)};
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == &m_window && type == QEvent::Show)
        watchNativeWindow();
    // The native window reports exposures and focus, which the widget does not all see.
    if (type == QEvent::Show || type == QEvent::Expose || type == QEvent::Move ||
        type == QEvent::Resize || type == QEvent::FocusIn)
        settle();
    return QObject::eventFilter(watched, event);
}

void WindowPlacement::watchNativeWindow() {
    if (QWindow* native = m_window.windowHandle())
        native->installEventFilter(this); // installing twice keeps one filter
}

void WindowPlacement::settle() {
    if (m_settled || m_storedOuter.isNull() || !m_window.isVisible() || m_window.isMinimized() ||
        m_window.isMaximized() || m_window.isFullScreen())
        return;
    // The toolkit works the frame out once and keeps it: asked before the window manager has
    // built the frame (before the window is exposed), it would keep a wrong one for good.
    if (!m_window.windowHandle() || !m_window.windowHandle()->isExposed())
        return;
    const QRect inner = m_window.geometry();
    const QMargins margins = CurrentFrame(m_window);
    // A window manager that refuses the place (one that keeps windows on screen) is not fought.
    constexpr int kMaxAttempts = 8;
    if (m_attempts >= kMaxAttempts) {
        m_settled = true;
        m_placedInner = inner;
        return;
    }
    const bool noFrame = margins.isNull();
    const bool frameBeingBuilt =
        margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0;
    if (noFrame && !m_window.isActiveWindow())
        return; // the window manager may not have framed the window yet
    if ((noFrame && !m_frameNudged) || frameBeingBuilt) {
        // The frame was measured before the window manager had built it (no frame at all, or
        // one smaller than the window). The toolkit measures again after the next change of
        // the window, so a change of one pixel is asked for; the next pass sets the size.
        // A window that truly has no frame is nudged once only.
        m_frameNudged = true;
        ++m_attempts;
        m_window.setGeometry(
            inner.adjusted(0, 0, 0, inner.height() > m_window.minimumHeight() ? -1 : 1));
        return;
    }
    // The inner rectangle is given whole, position included: a size alone would be sent with
    // the position the toolkit last heard of, which right after mapping may be out of date.
    QRect wanted = m_storedOuter.marginsRemoved(margins);
    // A stored size below the window's minimum grows to the minimum (the layout's rule).
    if (m_window.layout())
        wanted.setSize(QLayout::closestAcceptableSize(&m_window, wanted.size()));
    if (inner == wanted) {
        m_settled = true;
        m_frame = margins;
        m_placedInner = inner;
        return;
    }
    ++m_attempts;
    m_window.setGeometry(wanted);
}
