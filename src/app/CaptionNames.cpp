#include "CaptionNames.h"

#include "MainWindowAccessibility.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>

namespace {

void nameIfKeyed(QWidget* widget, const QString& caption) {
    const QString name = WithoutAccessKey(caption);
    if (name != caption && widget->accessibleName().isEmpty())
        widget->setAccessibleName(name);
}

} // namespace

void NameAfterCaptions(QWidget* root) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        nameIfKeyed(button, button->text());
    for (QLabel* label : root->findChildren<QLabel*>())
        nameIfKeyed(label, label->text());
}

QLabel* LabelFor(QWidget* field, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    static const QRegularExpression closingColon(QStringLiteral("[:：]$"));
    const QString name = WithoutAccessKey(caption).remove(closingColon);
    label->setAccessibleName(name);
    field->setAccessibleName(name);
    return label;
}
