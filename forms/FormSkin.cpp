#include "forms/FormSkin.h"

#include "components/FlatSkin.h"
#include "toolkit/gdi/Font.h"

TFlatSkin *CreateFormSkin(TForm &form, bool flatMenus)
{
    auto *skin = new TFlatSkin(&form);
    skin->setObjectName(QStringLiteral("FlatSkin1"));
    // The settings in the order the layout stores them.
    skin->SetDimLevel(30);
    skin->SetGrayLevel(10);
    TFont font;
    font.SetName(QStringLiteral("Tahoma"));
    font.SetHeight(-11);
    font.SetCharset(RUSSIAN_CHARSET);
    font.SetColor(clMenuText);
    font.SetStyle(0);
    skin->SetFont(font);
    skin->SetColor(clBtnFace);
    skin->SetDrawMenuBar(flatMenus);
    skin->SetIconBackColor(clBtnFace);
    skin->SetMenuBarColor(clBtnFace);
    skin->SetSelectColor(clHighlight);
    skin->SetSelectBorderColor(clHighlight);
    skin->SetSelectFontColor(clMenuText);
    skin->SetDisabledColor(clInactiveCaption);
    skin->SetSeparatorColor(clBtnFace);
    skin->SetCheckedColor(clHighlight);
    skin->SetIconWidth(24);
    skin->SetDrawSelect(true);
    skin->SetUseSystemColors(true);
    skin->SetUseDimColor(flatMenus);
    skin->SetOverrideOwnerDraw(false);
    skin->SetGradient(flatMenus);
    skin->SetFlatMenu(flatMenus);
    skin->SetAutoDetect(true);
    skin->SetActive(true);
    skin->Loaded();
    return skin;
}
