#include "components/FlatSkin.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "support/PixelMask.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/InvalidCast.h"
#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuBar.h"

#include <QObject>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class FlatSkinFixture : public ::testing::Test
{
protected:
    void TearDown() override { ResetSystemSettings(); }
};

// A form with a main menu "Файл" (Выход, a separator, a sub-menu) and a
// popup menu.
struct MenuForm {
    TForm form;
    TMainMenu mainMenu{&form};
    TPopupMenu popupMenu{&form};
    TMenuItem *file;
    TMenuItem *exit;
    TMenuItem *line;
    TMenuItem *sub;
    TMenuItem *subItem;
    TMenuItem *popupItem;

    MenuForm()
    {
        file = mainMenu.Items()->Add(QStringLiteral("Файл"));
        exit = file->Add(QStringLiteral("Выход"));
        line = file->Add(QStringLiteral("-"));
        sub = file->Add(QStringLiteral("Ещё"));
        subItem = sub->Add(QStringLiteral("Пункт"));
        popupItem = popupMenu.Items()->Add(QStringLiteral("Копировать"));
        form.SetMenuBar(mainMenu.Bar());
    }
};

bool SkinDraws(const TMenuItem *item)
{
    return item->OnDrawItemKey() == TFlatSkin::HandlerKey() && item->OnMeasureItemKey() == TFlatSkin::HandlerKey();
}

const char kForeignKey = 0;

void GiveForeignHandlers(TMenuItem *item)
{
    item->SetOnDrawItem([](TMenuItem *, TCanvas &, const TRect &, bool) {}, &kForeignKey);
    item->SetOnMeasureItem([](TMenuItem *, TCanvas &, int &, int &) {}, &kForeignKey);
}

TSkinPalette RefreshedPalette(TFlatSkin &skin)
{
    QImage image(1, 1, QImage::Format_RGB32);
    skin.RefreshPalette(TCanvas(&image));
    return skin.Palette();
}

} // namespace

TEST_F(FlatSkinFixture, ownerMustBeAFormOrNothing)
{
    QObject notAForm;
    EXPECT_THROW(TFlatSkin{&notAForm}, EInvalidCast);

    TFlatSkin loose;
    EXPECT_EQ(loose.Form(), nullptr);
    loose.SetActive(true);
    loose.SetMenuBarColor(clRed);
    EXPECT_TRUE(loose.Active());

    TForm form;
    auto *owned = new TFlatSkin(&form);
    EXPECT_EQ(owned->Form(), &form);
    EXPECT_EQ(owned->parent(), &form);
}

TEST_F(FlatSkinFixture, startsWithTheDefaultsAndAFreshPalette)
{
    TForm form;
    TFlatSkin skin(&form);
    EXPECT_EQ(skin.DimLevel(), 30);
    EXPECT_EQ(skin.GrayLevel(), 10);
    EXPECT_EQ(skin.IconWidth(), 24);
    EXPECT_EQ(skin.Font().Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(skin.Font().Height(), -11);
    EXPECT_EQ(skin.SelectFontColor(), skin.Font().Color());
    EXPECT_EQ(skin.DisabledColor(), clInactiveCaption);
    EXPECT_TRUE(skin.DrawSelect());
    EXPECT_TRUE(skin.UseSystemColors());
    EXPECT_FALSE(skin.Active());
    EXPECT_FALSE(skin.Gradient());
    EXPECT_EQ(skin.SkinControls().ToBits(), 0x7FFFFFu);
    EXPECT_EQ(skin.SkinContainers().ToBits(), 1023u);
    EXPECT_EQ(skin.TransparentKeyColor(), RGB(255, 0, 255));
    EXPECT_FALSE(skin.PaletteStale());
    EXPECT_TRUE(skin.HighColorMode());
    EXPECT_EQ(skin.Palette().MenuBackColor, RGB(249, 248, 247));
}

TEST_F(FlatSkinFixture, readsTheSystemVersionOnceAtConstruction)
{
    TFlatSkin nt50;
    EXPECT_TRUE(nt50.IsWindowsNT());
    EXPECT_FALSE(nt50.IsVersion51());

    SetVersionInfo({5, 1, 2600, VER_PLATFORM_WIN32_NT});
    TFlatSkin nt51;
    EXPECT_TRUE(nt51.IsWindowsNT());
    EXPECT_TRUE(nt51.IsVersion51());
    EXPECT_FALSE(nt50.IsVersion51());

    SetVersionInfo({4, 10, 2222, VER_PLATFORM_WIN32_WINDOWS});
    TFlatSkin win98;
    EXPECT_FALSE(win98.IsWindowsNT());
    EXPECT_FALSE(win98.IsVersion51());
}

TEST_F(FlatSkinFixture, byteSettingsIgnoreOutOfRangeValues)
{
    TFlatSkin skin;
    skin.SetDimLevel(256);
    skin.SetGrayLevel(-1);
    EXPECT_EQ(skin.DimLevel(), 30);
    EXPECT_EQ(skin.GrayLevel(), 10);
    skin.SetDimLevel(255);
    EXPECT_EQ(skin.DimLevel(), 255);
}

TEST_F(FlatSkinFixture, systemColoursDecideThePaletteInHighColour)
{
    TFlatSkin skin;
    skin.SetSelectColor(clRed);
    skin.SetColor(clGreen);
    const TSkinPalette p = RefreshedPalette(skin);
    EXPECT_FALSE(skin.PaletteStale());
    EXPECT_EQ(p.MenuBackColor, LightenColor(clBtnFace, 86));
    EXPECT_EQ(p.IconBarColor, LightenColor(clBtnFace, 16));
    EXPECT_EQ(p.SelectFillColor, LightenColor(RGB(10, 36, 106), 68));
    EXPECT_EQ(p.SelectFrameColor, clHighlight);
    EXPECT_EQ(p.SelectTextColor, skin.Font().Color());
    EXPECT_EQ(p.BarColor, clBtnFace);
    EXPECT_EQ(p.DisabledTextColor, LightenColor(clBtnShadow, 10));
    EXPECT_EQ(p.SeparatorLineColor, LightenColor(clBtnShadow, 25));
    EXPECT_EQ(p.CheckedFillColor, LightenColor(clHighlight, 80));
    EXPECT_EQ(p.CheckedSelectFillColor, LightenColor(clHighlight, 50));
    EXPECT_EQ(p.FlatFrameColor, RGB(122, 120, 110));
    EXPECT_EQ(p.FlatShadowColor, DarkenColor(clBtnFace, 76));
    EXPECT_EQ(p.SoftLightLevel, 16);
    EXPECT_EQ(p.StrongLightLevel, 40);
}

TEST_F(FlatSkinFixture, colourSettingsReachThePaletteWithoutSystemColours)
{
    TFlatSkin skin;
    skin.SetUseSystemColors(false);
    skin.SetColor(clYellow);
    skin.SetIconBackColor(clAqua);
    skin.SetSelectColor(RGB(0, 0, 0));
    skin.SetSelectBorderColor(clNavy);
    skin.SetMenuBarColor(clSilver);
    skin.SetSeparatorColor(clMaroon);
    TSkinPalette p = RefreshedPalette(skin);
    EXPECT_EQ(p.MenuBackColor, clYellow);
    EXPECT_EQ(p.IconBarColor, clAqua);
    EXPECT_EQ(p.SelectFillColor, clBlack);
    EXPECT_EQ(p.CheckedFillColor, clBlack);
    EXPECT_EQ(p.SelectFrameColor, clNavy);
    EXPECT_EQ(p.BarColor, clSilver);
    EXPECT_EQ(p.SeparatorLineColor, clMaroon);

    skin.SetUseDimColor(true);
    p = RefreshedPalette(skin);
    EXPECT_EQ(p.SelectFillColor, RGB(173, 173, 173));
    EXPECT_EQ(p.CheckedFillColor, RGB(204, 204, 204));
    EXPECT_EQ(p.CheckedSelectFillColor, RGB(128, 128, 128));
}

TEST_F(FlatSkinFixture, belowSixteenBitsThePaletteIsPlain)
{
    SetScreenColorDepth(8);
    TFlatSkin skin;
    skin.SetUseDimColor(true);
    TSkinPalette p = RefreshedPalette(skin);
    EXPECT_FALSE(skin.HighColorMode());
    EXPECT_EQ(p.MenuBackColor, clWhite);
    EXPECT_EQ(p.IconBarColor, clBtnFace);
    EXPECT_EQ(p.SelectFillColor, clWhite);
    EXPECT_EQ(p.CheckedFillColor, clWhite);
    EXPECT_EQ(p.FlatFrameColor, clBtnShadow);

    skin.SetUseSystemColors(false);
    skin.SetSelectColor(clRed);
    p = RefreshedPalette(skin);
    EXPECT_EQ(p.SelectFillColor, clRed);
    EXPECT_EQ(p.CheckedFillColor, clWhite);
    EXPECT_EQ(p.CheckedSelectFillColor, clSilver);

    SetScreenColorDepth(16);
    RefreshedPalette(skin);
    EXPECT_TRUE(skin.HighColorMode());

    // A canvas limited to a 256-entry palette stands for an 8-bit device.
    SetScreenColorDepth(32);
    QImage image(1, 1, QImage::Format_RGB32);
    TCanvas paletted(&image);
    paletted.SetPalette(QVector<QRgb>(256, 0));
    skin.RefreshPalette(paletted);
    EXPECT_FALSE(skin.HighColorMode());
}

TEST_F(FlatSkinFixture, onlyColourSettingsMarkThePaletteStale)
{
    TFlatSkin skin;
    skin.SetUseSystemColors(false);
    skin.SetUseDimColor(true);
    skin.SetFont(TFont());
    skin.SetGradient(true);
    EXPECT_FALSE(skin.PaletteStale());
    skin.SetCheckedColor(clRed);
    EXPECT_TRUE(skin.PaletteStale());
}

TEST_F(FlatSkinFixture, activationHooksEveryItemOfBothMenuKinds)
{
    MenuForm f;
    TFlatSkin skin(&f.form);
    skin.SetActive(true);
    EXPECT_TRUE(f.mainMenu.OwnerDraw());
    EXPECT_TRUE(f.popupMenu.OwnerDraw());
    for (const TMenuItem *item : {f.file, f.exit, f.line, f.sub, f.subItem, f.popupItem})
        EXPECT_TRUE(SkinDraws(item)) << item->Caption().toStdString();

    skin.SetActive(false);
    for (const TMenuItem *item : {f.file, f.exit, f.line, f.sub, f.subItem, f.popupItem})
        EXPECT_FALSE(item->OnDrawItem() || item->OnMeasureItem()) << item->Caption().toStdString();
    EXPECT_FALSE(f.mainMenu.OwnerDraw());
}

TEST_F(FlatSkinFixture, exemptTagsAndForeignHandlersAreRespected)
{
    MenuForm f;
    f.sub->SetTag(999);
    GiveForeignHandlers(f.exit);
    TFlatSkin skin(&f.form);
    skin.SetActive(true);
    EXPECT_FALSE(f.sub->OnDrawItem());
    EXPECT_TRUE(SkinDraws(f.subItem)) << "the sub-items of an exempt item are still visited";
    EXPECT_EQ(f.exit->OnDrawItemKey(), &kForeignKey);

    skin.SetActive(false);
    EXPECT_EQ(f.exit->OnDrawItemKey(), &kForeignKey) << "deactivation removes only the skin's handlers";
    EXPECT_EQ(f.exit->OnMeasureItemKey(), &kForeignKey);
}

TEST_F(FlatSkinFixture, exemptOrEmptyMainMenusKeepTheirOwnerDrawFlag)
{
    MenuForm f;
    f.mainMenu.SetTag(999);
    TMainMenu empty(&f.form);
    empty.SetOwnerDraw(true);
    TFlatSkin skin(&f.form);
    skin.SetActive(true);
    EXPECT_FALSE(f.mainMenu.OwnerDraw());
    EXPECT_FALSE(f.file->OnDrawItem());
    EXPECT_TRUE(SkinDraws(f.popupItem));
    skin.SetActive(false);
    EXPECT_TRUE(empty.OwnerDraw());
}

TEST_F(FlatSkinFixture, overrideOwnerDrawRewalksOnlyWhileActive)
{
    MenuForm f;
    TFlatSkin skin(&f.form);
    GiveForeignHandlers(f.exit);
    skin.SetOverrideOwnerDraw(true);
    EXPECT_EQ(f.exit->OnDrawItemKey(), &kForeignKey);
    skin.SetOverrideOwnerDraw(false);
    skin.SetActive(true);
    EXPECT_EQ(f.exit->OnDrawItemKey(), &kForeignKey);
    skin.SetOverrideOwnerDraw(true);
    EXPECT_TRUE(SkinDraws(f.exit));
}

TEST_F(FlatSkinFixture, settingActiveAgainDoesNotWalk)
{
    MenuForm f;
    TFlatSkin skin(&f.form);
    skin.SetActive(true);
    f.exit->SetOnDrawItem({});
    skin.SetActive(true);
    EXPECT_FALSE(f.exit->OnDrawItem());
}

TEST_F(FlatSkinFixture, changingTheSelectionWhileActiveWalksOutWithTheOldAndInWithTheNew)
{
    MenuForm f;
    TFlatSkin skin(&f.form);
    skin.SetActive(true);
    f.exit->SetOnDrawItem({});
    skin.SetSkinControls(skin.SkinControls());
    EXPECT_FALSE(f.exit->OnDrawItem()) << "the same set changes nothing";

    skin.SetSkinControls(TSkinControls::All().Without(scPopupMenu));
    EXPECT_FALSE(f.popupItem->OnDrawItem());
    EXPECT_TRUE(SkinDraws(f.exit));

    skin.SetActive(false);
    skin.SetSkinControls(TSkinControls::All());
    EXPECT_FALSE(f.popupItem->OnDrawItem()) << "while inactive the set is only stored";
}

TEST_F(FlatSkinFixture, destructionUnhooksTheMenusAndSurvivesItsForm)
{
    MenuForm f;
    auto *skin = new TFlatSkin(&f.form);
    skin->SetActive(true);
    delete skin;
    EXPECT_FALSE(f.exit->OnDrawItem());
    EXPECT_FALSE(f.popupItem->OnMeasureItem());

    auto form = std::make_unique<TForm>();
    auto menu = std::make_unique<TMainMenu>(form.get());
    menu->Items()->Add(QStringLiteral("Файл"))->Add(QStringLiteral("Выход"));
    (new TFlatSkin(form.get()))->SetActive(true);
    menu.reset();
    form.reset();
}

namespace {

// Records what the skin asks of the manager, in order.
class RecordingManager : public TFlatSkinManagerLink
{
public:
    explicit RecordingManager(std::vector<std::string> &log)
        : m_log(log)
    { }
    void Register(TFlatSkin &) override
    {
        m_log.push_back("register");
        ++m_count;
    }
    void Unregister(TFlatSkin &) override
    {
        m_log.push_back("unregister");
        --m_count;
    }
    void Notify(TFlatSkin &, const TSkinComponent &, TOperation) override { m_log.push_back("notify"); }
    void HandOver(TFlatSkin &skin) override
    {
        m_log.push_back(skin.DisableSubclassing() ? "hand over (disabled)" : "hand over");
    }
    bool HoldsNoComponent() const override { return m_count == 0; }

private:
    std::vector<std::string> &m_log;
    int m_count = 0;
};

class ManagerSeam : public FlatSkinFixture
{
protected:
    void SetUp() override
    {
        SetFlatSkinManagerFactory([this] { return std::make_unique<RecordingManager>(m_log); });
    }
    void TearDown() override
    {
        SetFlatSkinManagerFactory({});
        FlatSkinFixture::TearDown();
    }
    std::vector<std::string> m_log;
};

} // namespace

TEST_F(ManagerSeam, theManagerLivesFromTheFirstComponentToTheLastUnregistration)
{
    ASSERT_EQ(FlatSkinManager(), nullptr);
    {
        TForm form;
        TFlatSkin skin(&form);
        ASSERT_NE(FlatSkinManager(), nullptr);
        skin.Loaded();
        skin.SetDisableSubclassing(true);
    }
    EXPECT_EQ(FlatSkinManager(), nullptr);
    EXPECT_EQ(m_log, (std::vector<std::string>{"register", "hand over (disabled)", "unregister"}));
}

TEST_F(ManagerSeam, autoDetectSkinsAnInsertedItemAfterTellingTheManager)
{
    MenuForm f;
    TFlatSkin skin(&f.form);
    skin.Loaded();
    skin.SetActive(true);
    TMenuItem *late = f.file->Add(QStringLiteral("Новый"));

    skin.Notification({late}, opInsert);
    EXPECT_FALSE(late->OnDrawItem()) << "AutoDetect is off";
    skin.SetAutoDetect(true);
    skin.Notification({late}, opRemove);
    EXPECT_FALSE(late->OnDrawItem());
    skin.Notification({late}, opInsert);
    EXPECT_TRUE(SkinDraws(late));
    EXPECT_EQ(m_log, (std::vector<std::string>{"register", "notify", "notify", "notify"}));
}

TEST_F(ManagerSeam, autoDetectSkinsAToolBarThroughItsFirstButtonAndALateControlBar)
{
    TForm form;
    auto *toolBar = new TToolBar(form.ClientArea());
    TFlatSkin skin(&form);
    skin.Loaded();
    skin.SetAutoDetect(true);
    skin.SetActive(true);
    ASSERT_FALSE(toolBar->OnCustomDrawButton()) << "no buttons yet";

    auto *button = new TToolButton(toolBar);
    skin.Notification({button}, opInsert);
    EXPECT_EQ(toolBar->OnCustomDrawButtonKey(), TFlatSkin::HandlerKey());
    auto *controlBar = new TControlBar(form.ClientArea());
    skin.Notification({controlBar}, opInsert);
    EXPECT_EQ(controlBar->OnBandPaintKey(), TFlatSkin::HandlerKey());
}

TEST_F(FlatSkinFixture, withoutAManagerNotificationDoesNothing)
{
    MenuForm f;
    TFlatSkin skin(&f.form);
    skin.SetActive(true);
    skin.SetAutoDetect(true);
    TMenuItem *late = f.file->Add(QStringLiteral("Новый"));
    skin.Notification({late}, opInsert);
    EXPECT_FALSE(late->OnDrawItem());
}
