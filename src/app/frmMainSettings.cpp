// The window's geometry and the character options, kept in keymill.ini between uses.
#include "frmMain.h"

#include "FreeTextFilter.h"
#include "KeptTwips.h"
#include "ProgramPaths.h"
#include "SettingsRules.h"
#include "Twips.h"
#include "X11FrameExtents.h"
#include "mdlIniSet.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>

#include <functional>

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

void frmMain::LoadSettings() {
    // The file is read once; a file that cannot be read loads as the defaults.
    const IniDocument ini =
        ReadIniDocument(SettingsReadPathFor(programDir_)).value_or(IniDocument());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenPixels = screen ? screen->geometry().size() : QSize(4096, 4096);
    const TwipsSize screenTwips = PixelsToTwips(screenPixels);
    const StoredSettings stored =
        LoadStoredSettings(ini, qint32(screenTwips.width), qint32(screenTwips.height));

    applyOuterGeometry(stored.window);
    chkAddSuji->setChecked(stored.suji);
    chkAddAlphabetBig->setChecked(stored.alphabetBig);
    chkAddAlphabetMini->setChecked(stored.alphabetMini);
    chkAddChr->setChecked(stored.addChr);
    // Cut before the box sees it, as a paste is (the accessibility bridge is told the text whole).
    txtAddChr->setText(CutToFreeTextLimit(stored.addChrList));
    chkDeleteChr->setChecked(stored.deleteChr);
    txtDeleteChr->setText(CutToFreeTextLimit(stored.deleteChrList));
    // The boxes drop what no password may hold (control characters, bytes that did not decode);
    // a text the user leaves as it was shown is stored again as it was read, byte for byte.
    loadedAddChrList_ = {stored.addChrList, txtAddChr->text()};
    loadedDeleteChrList_ = {stored.deleteChrList, txtDeleteChr->text()};

    // The window's two policies.
    chkNoSimilar->setChecked(stored.noSimilar);
    chkEachClass->setChecked(stored.eachClass);
}

void frmMain::SaveSettings() {
    // The file is read again rather than kept from the start: whatever another copy of the
    // program or the user wrote into it meanwhile stays, and the eleven keys are this window's.
    const QString readPath = SettingsReadPathFor(programDir_);
    std::optional<IniDocument> ini = ReadIniDocument(readPath);
    if (!ini) {
        if (readPath == SettingsFilePath)
            return;          // never replace a file whose content could not be read
        ini = IniDocument(); // an unreadable file beside the program: start the user's afresh
    }
    // The frame measured when the window was settled is used again: measured anew at close on
    // a busy machine, it has been seen to come back without its title bar.
    const QRect inner = geometry();
    const QMargins margins = !frameMargins_.isNull() ? frameMargins_ : CurrentFrame(*this);
    // Where the window stood is compared without the frame, which the toolkit may learn late.
    const QRect placed = placedInner_.isNull() ? storedOuter_ : placedInner_.marginsAdded(margins);
    const TwipsRect twips = OuterTwipsToStore(readOuterTwips_, placed, inner.marginsAdded(margins));
    StoredSettings current;
    current.window = {qint32(twips.left), qint32(twips.top), qint32(twips.width),
                      qint32(twips.height)};
    current.suji = chkAddSuji->isChecked();
    current.alphabetBig = chkAddAlphabetBig->isChecked();
    current.alphabetMini = chkAddAlphabetMini->isChecked();
    current.addChr = chkAddChr->isChecked();
    const auto storedText = [](const QLineEdit* box, const LoadedText& loaded) {
        return box->text() == loaded.shown ? loaded.stored : box->text();
    };
    current.addChrList = storedText(txtAddChr, loadedAddChrList_);
    current.deleteChr = chkDeleteChr->isChecked();
    current.deleteChrList = storedText(txtDeleteChr, loadedDeleteChrList_);
    // The window's two policies.
    current.noSimilar = chkNoSimilar->isChecked();
    current.eachClass = chkEachClass->isChecked();
    StoreSettings(*ini, current);
    // An unchanged file is not written at all: its time stamp stays, and a locked or
    // read-only file is left alone.
    if (ini->isModified())
        WriteIniDocument(*ini, SettingsFilePath);
}

// The stored values describe the outer rectangle, frame and title bar included. The window
// manager tells the frame's size only after it has framed the mapped window, and which event
// comes after that differs from start to start (a busy machine reorders them): the geometry is
// checked at every exposure, move, resize and focus of the window until it is the stored one,
// so a busy start ends in the same window as an idle one.
void frmMain::applyOuterGeometry(const WindowTwips& outer) {
    readOuterTwips_ =
        TwipsRect{double(outer.left), double(outer.top), double(outer.width), double(outer.height)};
    storedOuter_ = TwipsToPixels(readOuterTwips_);
    placedInner_ = QRect();
    outerSizeSettled_ = false;
    frameMargins_ = QMargins();
    frameNudged_ = false;
    settleAttempts_ = 0;
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    move(storedOuter_.topLeft());
    resize(storedOuter_.size() - frameExtra);
}

void frmMain::settleOuterGeometry() {
    if (outerSizeSettled_ || storedOuter_.isNull() || !isVisible() || isMinimized() ||
        isMaximized() || isFullScreen())
        return;
    // The toolkit works the frame out once and keeps it: asked before the window manager has
    // built the frame (before the window is exposed), it would keep a wrong one for good.
    if (!windowHandle() || !windowHandle()->isExposed())
        return;
    const QRect inner = geometry();
    const QMargins margins = CurrentFrame(*this);
    // A window manager that refuses the place (one that keeps windows on screen) is not fought.
    constexpr int kMaxAttempts = 8;
    if (settleAttempts_ >= kMaxAttempts) {
        outerSizeSettled_ = true;
        placedInner_ = inner;
        return;
    }
    const bool noFrame = margins.isNull();
    const bool frameBeingBuilt =
        margins.left() < 0 || margins.top() < 0 || margins.right() < 0 || margins.bottom() < 0;
    if (noFrame && !isActiveWindow())
        return; // the window manager may not have framed the window yet
    if ((noFrame && !frameNudged_) || frameBeingBuilt) {
        // The frame was measured before the window manager had built it (no frame at all, or
        // one smaller than the window). The toolkit measures again after the next change of
        // the window, so a change of one pixel is asked for; the next pass sets the size.
        // A window that truly has no frame is nudged once only.
        frameNudged_ = true;
        ++settleAttempts_;
        setGeometry(inner.adjusted(0, 0, 0, inner.height() > minimumHeight() ? -1 : 1));
        return;
    }
    // The inner rectangle is given whole, position included: a size alone would be sent with
    // the position the toolkit last heard of, which right after mapping may be out of date.
    QRect wanted = storedOuter_.marginsRemoved(margins);
    // A stored size below the window's minimum grows to the minimum (the layout's rule).
    if (layout())
        wanted.setSize(QLayout::closestAcceptableSize(this, wanted.size()));
    if (inner == wanted) {
        outerSizeSettled_ = true;
        frameMargins_ = margins;
        placedInner_ = inner;
        return;
    }
    ++settleAttempts_;
    setGeometry(wanted);
}

namespace {
// Reports exposures, moves, resizes and focus of the native window, which the widget does not
// all see.
class NativeWindowWatcher : public QObject {
public:
    NativeWindowWatcher(QWindow* window, std::function<void()> onChange)
        : QObject(window), onChange_(std::move(onChange)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Expose || type == QEvent::Move || type == QEvent::Resize ||
            type == QEvent::FocusIn)
            onChange_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onChange_;
};
} // namespace

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QWindow* native = windowHandle();
        native && !native->findChild<NativeWindowWatcher*>(QString(), Qt::FindDirectChildrenOnly))
        new NativeWindowWatcher(native, [this] { settleOuterGeometry(); });
    settleOuterGeometry();
}

void frmMain::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    settleOuterGeometry();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    settleOuterGeometry();
}
