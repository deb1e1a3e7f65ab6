#pragma once

class QGuiApplication;
class MainWindow;

// Signals (SIGTERM, SIGINT, SIGHUP), and a quit of the application (the session manager's at
// logout or shutdown, or any other) all end the program through the window's own shut-down, so the
// settings are written exactly once.
void ConnectQuitRequests(QGuiApplication& app, MainWindow& window);
