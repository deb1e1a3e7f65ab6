// Placing the controls: at their design places first, then after every change of size.
#include "MainWindow.h"

#include "DesignGeometry.h"
#include "MainLayout.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolBar>

namespace {
QWidget* findControl(QWidget* window, std::string_view name) {
    return window->findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

// The free third row of the character frame, right of the lower-case box, in twips.
constexpr double kPolicyRowLeft = 2640;
constexpr double kPolicyRowTop = 960;
constexpr double kPolicyRowHeight = 255;
constexpr double kPolicyGap = 120;
// The strength label stands at the bottom left, on the line of the count labels.
constexpr double kStrengthLeft = 120;
} // namespace

void MainWindow::placeAtDesignPositions() {
    for (const DesignControl& control : DesignControls()) {
        if (QWidget* widget = findControl(this, control.name))
            widget->setGeometry(TwipsToPixels(control.rect));
    }
    // The two lines along the top edge of the client area, under the toolbar.
    m_topLine->setGeometry(TwipsToPixels(TwipsRect{0, 0, 8505, 15}));
    m_topLineLight->setGeometry(TwipsToPixels(TwipsRect{0, 15, 8505, 15}));
    m_topLine->lower();
    m_topLineLight->lower();
    m_client->setMinimumSize(TwipsToPixels(MinimumClientSize()));
    giveCaptionsRoom();
}

// The IPA fonts run a little wider than the fonts the captions were laid out for. In the count
// frame the labels start at the frame's own inset (120 twips, where its caption would start)
// instead of 240, which leaves the hint room before the frame's line and the two names room
// before their boxes. A name is written on its box's middle line, as the boxes' text is.
// A caption that would still be cut grows to the right, as far as its frame allows.
void MainWindow::giveCaptionsRoom() {
    const int kCountLabelLeft = TwipsToPixels(120.0);
    for (QLabel* label : {m_lengthLabel, m_countLabel, m_rangeHint}) {
        const int right = label->geometry().right();
        label->setGeometry(kCountLabelLeft, label->y(), right - kCountLabelLeft + 1,
                           label->height());
    }
    for (QLabel* label : {m_lengthLabel, m_countLabel}) {
        const QWidget* box = label->buddy();
        label->setGeometry(label->x(), box->y(), box->x() - label->x(), box->height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (QWidget* caption : std::initializer_list<QWidget*>{
             m_digitsBox, m_upperBox, m_lowerBox, m_extraBox, m_excludeBox, m_rangeHint}) {
        const int room = caption->parentWidget()->width() - caption->x() - 2;
        const int wanted = std::min(caption->sizeHint().width(), room);
        if (wanted > caption->width())
            caption->resize(wanted, caption->height());
    }
}

// At the design size the two policy boxes share the free third row; each is as wide as its
// caption.
void MainWindow::placePolicyControls() {
    const int top = TwipsToPixels(kPolicyRowTop);
    const int height = TwipsToPixels(kPolicyRowHeight);
    const int left = TwipsToPixels(kPolicyRowLeft);
    m_noLookAlikesBox->setGeometry(left, top, m_noLookAlikesBox->sizeHint().width(), height);
    m_eachClassBox->setGeometry(m_noLookAlikesBox->geometry().right() + 1 +
                                    TwipsToPixels(kPolicyGap),
                                top, m_eachClassBox->sizeHint().width(), height);
    placeStrengthLabel();
}

// From the left margin to just before the count's caption, on its line.
void MainWindow::placeStrengthLabel() {
    const int left = TwipsToPixels(kStrengthLeft);
    const int right = m_doneCaption->x() - TwipsToPixels(kPolicyGap);
    m_strengthLabel->setGeometry(left, m_doneCaption->y(), std::max(0, right - left),
                                 m_doneCaption->height());
}

// The layout pass after every change of the client area's size.
void MainWindow::layOut() {
    if (isMinimized() || m_layingOut)
        return;
    m_layingOut = true;

    // A filled list would repaint at every move; it is hidden for the pass and shown once after.
    bool listHidden = false;
    bool listHadFocus = false;
    if (!m_resultList->isHidden() && m_resultList->resultModel()->count() > 0 &&
        m_progressFrame->isHidden()) {
        listHadFocus = m_resultList->hasFocus();
        m_resultList->setVisible(false);
        listHidden = true;
    }

    // The client area's minimum size is held by the toolkit (set at start-up), so a window
    // dragged smaller stops at exactly the minimum and needs no correction here.
    // The toolbar is aligned to the top edge and spans the whole width.
    m_toolBar->setGeometry(0, 0, m_client->width(), m_toolBar->height());

    const TwipsSize size = PixelsToTwips(m_client->size());
    const MainLayout layout = ComputeMainLayout(size.width, size.height);
    for (const PlacedControl& placed : PlacementOrder(layout)) {
        if (QWidget* widget = findControl(this, placed.name))
            widget->setGeometry(TwipsToPixels(placed.rect));
    }

    placeStrengthLabel();
    m_resultList->autoSizeColumn();
    if (listHidden) {
        m_resultList->setVisible(true);
        if (listHadFocus) // hiding it passed the focus on; it comes back with the list
            m_resultList->setFocus();
    }
    m_layingOut = false;
}
