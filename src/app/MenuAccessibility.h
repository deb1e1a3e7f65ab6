#pragma once

// Menu items as a screen reader should meet them: named by their plain caption ("ファイル",
// not "ファイル(F)"), with the access key, the path of keys from the menu bar and the shortcut
// as the key binding of their action ("e;<Alt>r:e;F5"). Qt's own reading keeps the key letter
// in the name and offers Alt plus the letter even inside an open menu, where Alt+E opens
// another menu instead. Installed once, for every menu of the program.
void ExposeMenuItemsPlainly();
