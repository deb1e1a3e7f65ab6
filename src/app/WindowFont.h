#pragma once

class QFont;

// The program's font, "ＭＳ Ｐゴシック" 9 point: the captions were laid out for it.

// "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" are drawn with the IPA Gothic fonts.
void InstallFontSubstitutions();
QFont FormFont();
// Every window of the program (About, menus, the help window, Qt's dialogs) uses the window's
// font, so that they look like one program.
void InstallApplicationFont();
