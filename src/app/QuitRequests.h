#pragma once

class QGuiApplication;
class frmMain;

// Signals (SIGTERM, SIGINT, SIGHUP), the session manager at logout or shutdown, and a quit of
// the application all end the program through the window's own shut-down, so the settings are
// written exactly once.
void ConnectQuitRequests(QGuiApplication& app, frmMain& window);
