#pragma once

#include <QCoreApplication>

// The context of every message of keymill-cli: English here, Japanese from
// translations/keymill-cli_ja.ts under a Japanese locale.
struct Cli {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};
