#include "FreeTextBox.h"

#include "Feedback.h"
#include "FreeTextFilter.h"
#include "FreeTextValidator.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStyleHints>

namespace {
constexpr int kBlinkMilliseconds = 10000;
}

FreeTextBox::FreeTextBox(QWidget* parent)
    : QLineEdit(parent), showLimitMessage([](QWidget* box, const QString& text) {
          QMessageBox::warning(box->window(), QStringLiteral("キーミル"), text);
      }) {
    setMaxLength(kMaxFreeTextLength);
    setValidator(new FreeTextValidator(this));
    blinkClock_.setSingleShot(true);
    blinkClock_.setInterval(kBlinkMilliseconds);
    connect(&blinkClock_, &QTimer::timeout, this, [this] {
        QStyleHints* hints = QGuiApplication::styleHints();
        if (hasFocus() && hints->cursorFlashTime() > 0) {
            stoppedFlashTime_ = hints->cursorFlashTime();
            hints->setCursorFlashTime(0);
        }
    });
}

FreeTextBox::~FreeTextBox() {
    resumeBlinking();
}

void FreeTextBox::resumeBlinking() {
    if (stoppedFlashTime_ > 0)
        QGuiApplication::styleHints()->setCursorFlashTime(stoppedFlashTime_);
    stoppedFlashTime_ = 0;
}

void FreeTextBox::keepBlinking() {
    resumeBlinking();
    blinkClock_.start();
}

void FreeTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    keepBlinking();
}

void FreeTextBox::focusOutEvent(QFocusEvent* event) {
    blinkClock_.stop();
    resumeBlinking();
    QLineEdit::focusOutEvent(event);
}

void FreeTextBox::mousePressEvent(QMouseEvent* event) {
    keepBlinking();
    QLineEdit::mousePressEvent(event);
}

void FreeTextBox::inputMethodEvent(QInputMethodEvent* event) {
    keepBlinking();
    QLineEdit::inputMethodEvent(event);
}

QString FreeTextBox::limitMessage() {
    return QStringLiteral("この入力欄に入れられるのは %1 文字までです。貼り付けた文字のうち、"
                          "入りきらない分は入れませんでした。")
        .arg(kMaxFreeTextLength);
}

void FreeTextBox::insertWithinLimit(const QString& text) {
    if (isReadOnly())
        return;
    const qsizetype room = maxLength() - this->text().size() + selectedText().size();
    const QString kept = CutToFreeTextLimit(text, room);
    insert(kept);
    if (kept.size() < text.size()) {
        Beep();
        showLimitMessage(this, limitMessage());
    }
}

void FreeTextBox::pasteFrom(QClipboard::Mode mode) {
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!text.isEmpty() || hasSelectedText())
        insertWithinLimit(text);
}

void FreeTextBox::keyPressEvent(QKeyEvent* event) {
    keepBlinking();
    if (event->matches(QKeySequence::Paste)) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !hasSelectedText() &&
        text().size() >= maxLength() && !isReadOnly())
        Beep();
    QLineEdit::keyPressEvent(event);
}

// The middle button pastes the primary selection where the system has one.
void FreeTextBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        !isReadOnly()) {
        deselect();
        pasteFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FreeTextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect(this);
        connect(paste, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
    }
    menu->popup(event->globalPos());
}

void FreeTextBox::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const qsizetype room = maxLength() - text().size();
    if (isReadOnly() || !data->hasText() || data->text().size() <= room) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData kept;
    kept.setText(CutToFreeTextLimit(data->text(), room));
    QDropEvent cut(event->position(), event->possibleActions(), &kept, event->buttons(),
                   event->modifiers());
    QLineEdit::dropEvent(&cut);
    event->setDropAction(cut.dropAction());
    event->setAccepted(cut.isAccepted());
    if (cut.isAccepted()) {
        Beep();
        showLimitMessage(this, limitMessage());
    }
}
