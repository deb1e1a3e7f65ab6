#pragma once

#include <QtGlobal>

// Room for the text of a result list, made ready before a run fills it.
//
// A run writes its whole list into memory the process has not touched yet: 1,000 passwords of
// 99,999 characters are 200 MB, and each fresh 4 KiB page costs a page fault (about 12 us on a
// virtual machine, 0.6 s for that list, more than drawing its characters). So the heap is grown
// once to the list's size in blocks marked for transparent huge pages (one fault per 2 MiB where
// the system allows them), passwords come from that heap instead of mappings of their own, and
// a freed list stays with the process, so that the next run fills the same pages without a fault.
// What a smaller run does not need is given back.
void PrepareListMemory(quint64 bytes);
