#pragma once

// The menus a form uses, for code that works with every kind: the base with
// its items, the main menu that shows on a bar and the menu that pops up on
// demand. The views (bar, popup windows) sit above these and include only
// what they show.
#include "toolkit/menus/MainMenu.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenu.h"
