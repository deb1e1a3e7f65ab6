#pragma once
#include <QString>

// A link button shows its target as its caption. A button reads "&" as a mnemonic marker,
// so the caption doubles it; the target is the caption as the user reads it.
QString LinkCaption(const QString& target);
QString LinkTarget(const QString& caption);
