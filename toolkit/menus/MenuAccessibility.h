#pragma once

class QWidget;
class TMenuItem;

// What the menus tell assistive technology as the keyboard and the pointer
// move through them. The bar and the popup windows draw their items
// themselves, so Qt sees none of these moves on its own. Nothing is sent
// while no assistive technology listens.

// Makes Qt's accessibility ask the menus' own classes for the bar and the
// popup windows; every view of a menu calls it when it is created.
void InstallMenuAccessibility();

// The item is now the highlighted one that the keyboard moves from.
void NotifyMenuItemFocused(TMenuItem *item);
// A popup window has opened or closed.
void NotifyPopupMenuShown(QWidget *popup, bool shown);
// The menus have given the keyboard back: the focused control of the window
// has it again.
void NotifyMenuLeft(QWidget *window);
