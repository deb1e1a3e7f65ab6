#pragma once

class HelpBrowser;

// Screen readers meet the help page as a document whose links are objects of their own (role
// link, named by their text, described by their target), which they list, focus and open.
// Qt's own interface shows the page as one label of text. Qt 6.4's AT-SPI bridge offers no
// Hypertext or Hyperlink interface, so the links are the page's children instead.
// Call once per page; the interface follows the page as it changes.
void ExposeAsDocument(HelpBrowser* page);
