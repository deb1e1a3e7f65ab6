#pragma once

#include <QGroupBox>

// A frame as the program's option frames have always looked: an etched line around the
// controls, its caption standing on the top line, left-aligned. Qt's styles (Fusion above all)
// draw the caption above the frame and start the line a whole text height down, where it runs
// through the first row of controls placed for the classic look.
class CaptionFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit CaptionFrame(const QString& caption, QWidget* parent = nullptr);

    // Where the etched line runs: a rectangle whose top edge is the caption's middle line, with
    // or without a caption. The line is kLineWidth pixels wide, inside this rectangle.
    QRect lineRect() const;
    // Where the caption is written, on the top line; empty without a caption.
    QRect captionRect() const;
    // Inside the line: where the frame's controls may go.
    QRect innerRect() const;

    static constexpr int kLineWidth = 2;   // a dark line and a light one: etched
    static constexpr int kCaptionLeft = 8; // from the frame's left edge
    static constexpr int kCaptionPadding = 2;

protected:
    void paintEvent(QPaintEvent* event) override;
};
