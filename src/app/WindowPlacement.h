#pragma once

#include "SettingsRules.h"
#include "Twips.h"

#include <QMargins>
#include <QObject>
#include <QRect>

class QWidget;

// Where a top-level window stands and how large it is, as the settings file keeps it: the outer
// rectangle, frame and title bar included, in twips.
//
// The window manager tells the frame's size only after it has framed the mapped window, and
// which event comes after that differs from start to start (a busy machine reorders them). So
// the geometry is checked at every exposure, move, resize and focus of the window until it is
// the stored one, and a busy start ends in the same window as an idle one.
class WindowPlacement : public QObject {
public:
    explicit WindowPlacement(QWidget& window);

    // Moves and sizes the window to the stored outer rectangle, once its frame is known.
    void place(const WindowTwips& stored);
    // The outer rectangle to store at a close: what the user did not move or resize is stored
    // as it was read, to the twip.
    WindowTwips toStore() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void settle();
    void watchNativeWindow();

    QWidget& m_window;
    TwipsRect m_readTwips{}; // the read rectangle, stored again where nothing changed it
    QRect m_storedOuter;     // the read rectangle in pixels
    QRect m_placedInner;     // the window without its frame once it was placed
    QMargins m_frame;        // the frame as measured when the window was settled
    bool m_settled = false;
    bool m_frameNudged = false;
    int m_attempts = 0;
};
