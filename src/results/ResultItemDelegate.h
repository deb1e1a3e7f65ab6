#pragma once

#include "CharacterAdvances.h"

#include <QStyledItemDelegate>

#include <memory>

// Paints a row like the standard delegate, in the password face at the view's size, but lays
// out only the part of a long password that can be seen: shaping a whole password of 99,999
// characters at every repaint freezes the window.
class ResultItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Texts up to this many characters are painted the standard way.
    static constexpr qsizetype kLongText = 256;

    explicit ResultItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The face the passwords are shown in, at the size of the view's font.
    static QFont passwordFont(const QFont& viewFont);

    // The advance table of a font, kept while the font stays the same.
    const CharacterAdvances& advances(const QFont& font) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    static bool canPaintSlice(const QStyleOptionViewItem& option);
    void paintVisibleText(QPainter* painter, const QStyleOptionViewItem& option,
                          const QString& text, const QRect& textRect) const;

    mutable std::unique_ptr<CharacterAdvances> m_advances;
};
