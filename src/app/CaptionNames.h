#pragma once

class QWidget;

// Qt reads a caption's access key as part of its name on Linux: "保存(&S)..." is spoken
// "保存(S)...". Names every button and label below `root` whose caption carries an access key
// after the caption without it; the key itself is announced apart, as the control's shortcut.
// Captions without a key are left to Qt, so a label whose text changes is read as it stands.
void NameAfterCaptions(QWidget* root);
