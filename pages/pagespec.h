#pragma once
// The module pages, one row each in the order of the module buttons (a page's index is
// its row): the button's title, the side of its channels, the message sub-type (type 3) of
// the values it edits, whether it picks one channel with buttons of its own, what it reads
// while on show and how it is built. Adding a page is one row here and the page's own files;
// nothing else names a page.
#include "modulepage.h"
#include "pollplan.h"

class DataModel;
class QWidget;

struct PageSpec {
    // The message type of every page's values; a row names its sub-type.
    static constexpr quint8 MessageType = 3;

    const char *title;  // translated in the context "ModuleWidget"
    ModulePage::Side side;
    quint8 subType;
    bool oneChannel;
    PollPlan (*polls)();
    ModulePage *(*build)(DataModel *dm, int index, QWidget *parent);
};

namespace PageSpecs {

int count();
// Null outside 0..count() - 1.
const PageSpec *at(int index);
// The index of the page with this (untranslated) title; -1 when none has it.
int indexOf(const char *title);
// True when a type-3 sub-type belongs to one of the pages.
bool isPageSubType(quint8 subType);
// True when the page at index shows the values of key (a type-3 key of its sub-type).
bool shows(int index, proto::MessageKey key);
// Declares every page's reads to dm under its index.
void declarePolls(DataModel &dm);

} // namespace PageSpecs
