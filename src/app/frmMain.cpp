#include "frmMain.h"
frmMain::frmMain(QWidget* parent) : QMainWindow(parent) { setWindowTitle(QStringLiteral("キーミル")); }
