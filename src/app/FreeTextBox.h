#pragma once

#include "PasswordLimits.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTimer>
#include <functional>

// The box of the extra or the excluded characters. It holds at most kMaxFreeTextLength code
// units, whichever way text comes in: a longer paste (Ctrl+V, Shift+Insert, the context menu,
// the middle button, a drop) keeps its beginning, with a beep and a message that says so; a key
// typed into a full box beeps; a longer text from the settings file keeps its beginning without
// a word. Every text in it is cleaned by FreeTextValidator.
//
// Why a limit: a line edit lays out its whole text at every repaint, caret blinks included, and
// the accessibility bridge hands every inserted text to the screen reader whole. A megabyte
// pasted by mistake froze the window for minutes. A text cut before it reaches the box never
// costs more than the limit. For the same reason the caret stops blinking (and stays shown)
// after ten seconds without input, as desktops do: an idle full box then costs nothing.
// No signal or slot of its own: it keeps the line edit's meta-object, as a line edit to styles,
// the accessibility bridge and every lookup by class.
class FreeTextBox : public QLineEdit {
public:
    explicit FreeTextBox(QWidget* parent = nullptr);
    ~FreeTextBox() override;

    // Shows the message of a cut paste; a modal warning box unless a test replaces it.
    std::function<void(QWidget*, const QString&)> showLimitMessage;
    static QString limitMessage();

    // Inserts as a paste does: over the selection, as much of `text` as fits.
    void insertWithinLimit(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void pasteFrom(QClipboard::Mode mode);
    // Blinking again, for another ten seconds; and with no focus, blinking as the system says.
    void keepBlinking();
    void resumeBlinking();

    QTimer blinkClock_;
    int stoppedFlashTime_ = 0; // the system's flash time while this box stopped the blink
};
