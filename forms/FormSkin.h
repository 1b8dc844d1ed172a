#pragma once

class TFlatSkin;
class TForm;

// The FlatSkin1 component both windows carry, created as the form's last
// component so that its activation sees the form's menus and controls.
// The main window draws its menus flat (menu-bar colour, dimmed selection,
// gradient, flat popup frames); the search dialog, which has no menu, keeps
// those four off.
TFlatSkin *CreateFormSkin(TForm &form, bool flatMenus);
