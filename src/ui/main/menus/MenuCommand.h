#pragma once
// What a pop-up menu reports when an item is chosen. It travels to the main
// window as the record of WM_MENU_ITEM_CLICK, so a choice is handled after
// the menu has closed, like every other message, in order of arrival.
#include "MessageSink.h"

#include <string>

namespace dravo {

struct MenuCommand final : Record {
    std::string name;      // the item's name in the menu layout
    std::string userData;  // its "userdata" (a role item's name, a group number)
    std::string text;      // the text it showed
    bool checked = false;
};

} // namespace dravo
