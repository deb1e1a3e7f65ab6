#pragma once

class QLabel;
class QString;
class QWidget;

// Qt reads a caption's access key as part of its name on Linux: "保存(&S)..." is spoken
// "保存(S)...". Names every button and label below `root` whose caption carries an access key
// after the caption without it; the key itself is announced apart, as the control's shortcut.
// Captions without a key are left to Qt, so a label whose text changes is read as it stands.
void NameAfterCaptions(QWidget* root);

// A caption with its access key that stands for `field`: the label and the field are both named
// after the caption without its key or a closing colon, the key being announced as the shortcut.
QLabel* LabelFor(QWidget* field, const QString& caption, QWidget* parent = nullptr);
