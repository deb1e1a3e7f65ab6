// Placing the controls: at their design places first, then after every change of size.
#include "frmMain.h"

#include "DesignGeometry.h"
#include "MainLayout.h"
#include "ResultListModel.h"
#include "ResultListView.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolBar>

namespace {
QWidget* findControl(QWidget* window, std::string_view name) {
    return window->findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
}
} // namespace

void frmMain::placeAtDesignPositions() {
    for (const DesignControl& control : DesignControls()) {
        if (QWidget* widget = findControl(this, control.name))
            widget->setGeometry(TwipsToPixels(control.rect));
    }
    // The two lines along the top edge of the client area, under the toolbar.
    Line1->setGeometry(TwipsToPixels(TwipsRect{0, 0, 8505, 15}));
    Line2->setGeometry(TwipsToPixels(TwipsRect{0, 15, 8505, 15}));
    Line1->lower();
    Line2->lower();
    client->setMinimumSize(TwipsToPixels(MinimumClientSize()));
    giveCaptionsRoom();
}

// The IPA fonts run a little wider than the fonts the captions were laid out for. In the count
// frame the labels start at the frame's own inset (120 twips, where its caption would start)
// instead of 240, which leaves the hint room before the frame's line and the two names room
// before their boxes. A name is written on its box's middle line, as the boxes' text is.
// A caption that would still be cut grows to the right, as far as its frame allows.
void frmMain::giveCaptionsRoom() {
    const int kCountLabelLeft = TwipsToPixels(120.0);
    for (QLabel* label : {Label4, Label6, Label1}) {
        const int right = label->geometry().right();
        label->setGeometry(kCountLabelLeft, label->y(), right - kCountLabelLeft + 1,
                           label->height());
    }
    for (QLabel* label : {Label4, Label6}) {
        const QWidget* box = label->buddy();
        label->setGeometry(label->x(), box->y(), box->x() - label->x(), box->height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (QWidget* caption :
         {static_cast<QWidget*>(chkAddSuji), static_cast<QWidget*>(chkAddAlphabetBig),
          static_cast<QWidget*>(chkAddAlphabetMini), static_cast<QWidget*>(chkAddChr),
          static_cast<QWidget*>(chkDeleteChr), static_cast<QWidget*>(Label1)}) {
        const int room = caption->parentWidget()->width() - caption->x() - 2;
        const int wanted = std::min(caption->sizeHint().width(), room);
        if (wanted > caption->width())
            caption->resize(wanted, caption->height());
    }
}

void frmMain::Form_Resize() {
    if (isMinimized() || !blnResizeEnabled)
        return;
    blnResizeEnabled = false;

    // A filled list would repaint at every move; it is hidden for the pass and shown once after.
    bool listHidden = false;
    bool listHadFocus = false;
    if (!lvwPW->isHidden() && lvwPW->resultModel()->count() > 0 && fraProgressbar->isHidden()) {
        listHadFocus = lvwPW->hasFocus();
        lvwPW->setVisible(false);
        listHidden = true;
    }

    // The client area's minimum size is held by the toolkit (set at start-up), so a window
    // dragged smaller stops at exactly the minimum and needs no correction here.
    // The toolbar is aligned to the top edge and spans the whole width.
    tlbMain->setGeometry(0, 0, client->width(), tlbMain->height());

    const TwipsSize size = PixelsToTwips(client->size());
    const MainLayout layout = ComputeMainLayout(size.width, size.height);
    for (const PlacedControl& placed : PlacementOrder(layout)) {
        if (QWidget* widget = findControl(this, placed.name))
            widget->setGeometry(TwipsToPixels(placed.rect));
    }

    placeStrengthLabel();
    sizeResultColumn();
    if (listHidden) {
        lvwPW->setVisible(true);
        if (listHadFocus) // hiding it passed the focus on; it comes back with the list
            lvwPW->setFocus();
    }
    blnResizeEnabled = true;
}
