#include "support/PixelMask.h"

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuPainter.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(MenuItem, onlyTopLevelItemsOfAMainMenuAreBarItems)
{
    QWidget form;
    TMainMenu mainMenu(&form);
    TMenuItem *top = mainMenu.Items()->Add(QStringLiteral("Файл"));
    TMenuItem *sub = top->Add(QStringLiteral("Выход"));
    EXPECT_TRUE(top->IsBarItem());
    EXPECT_FALSE(sub->IsBarItem());

    // A top-level item taken out of the tree belongs to no menu any more.
    std::unique_ptr<TMenuItem> detached = mainMenu.Items()->Remove(top);
    EXPECT_FALSE(detached->IsBarItem());
    EXPECT_FALSE(sub->IsBarItem());

    TPopupMenu popupMenu(&form);
    EXPECT_FALSE(popupMenu.Items()->Add(QStringLiteral("Копировать"))->IsBarItem());
}

TEST(MenuItem, faceTakesTheListImageBeforeTheOwnBitmapWhoseCornerColourTurnsTransparent)
{
    TPopupMenu menu(nullptr);
    TMenuItem *item = menu.Items()->Add(QStringLiteral("Открыть"));
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(QColor(0, 128, 0));
    picture.setPixel(0, 2, qRgb(255, 0, 255)); // the bottom-left pixel names the key colour
    picture.setPixel(3, 0, qRgb(255, 0, 255));
    TBitmap bitmap;
    bitmap.LoadFromImage(picture);
    item->SetBitmap(bitmap);

    TMenuItemFace face = item->Face();
    ASSERT_EQ(face.Glyph.size(), QSize(4, 3));
    EXPECT_EQ(qAlpha(face.Glyph.pixel(3, 0)), 0);
    EXPECT_EQ(face.Glyph.pixel(1, 1), qRgb(0, 128, 0));
    EXPECT_EQ(face.Images, nullptr);

    TImageList images(16, 16);
    QImage listPicture(16, 16, QImage::Format_RGB32);
    listPicture.fill(QColor(0, 0, 200));
    images.AddMasked(listPicture, clFuchsia);
    menu.SetImages(&images);
    item->SetImageIndex(0);
    face = item->Face();
    EXPECT_EQ(face.Glyph.size(), QSize(16, 16));
    EXPECT_EQ(face.Images, &images);
    EXPECT_EQ(face.ImageIndex, 0);

    // An index the list does not hold leaves the item's own picture.
    item->SetImageIndex(5);
    EXPECT_EQ(item->Face().Glyph.size(), QSize(4, 3));
}

TEST(MenuItem, faceShowsASubMenuOnlyForVisibleSubItems)
{
    TPopupMenu menu(nullptr);
    TMenuItem *item = menu.Items()->Add(QStringLiteral("Вид"));
    item->SetShortCut(QKeySequence(QStringLiteral("Ctrl+F")));
    TMenuItem *hidden = item->Add(QStringLiteral("Скрытый"));
    hidden->SetVisible(false);
    TMenuItemFace face = item->Face();
    EXPECT_EQ(face.ShortCut, QStringLiteral("Ctrl+F"));
    EXPECT_FALSE(face.HasSubMenu);
    hidden->SetVisible(true);
    EXPECT_TRUE(item->Face().HasSubMenu);
}

// The painter needs no menu: a face alone gives the check mark, the
// sub-menu arrow and the colours of the item's state.
TEST(MenuPainter, drawsAFaceWithNoMenuBehindIt)
{
    constexpr int kCheckColumn = 16;
    const TRect rect(0, 0, 100, 20);
    TMenuItemFace face;
    face.Caption = QStringLiteral("Пункт");
    face.Checked = true;
    face.HasSubMenu = true;

    struct Case {
        bool selected;
        bool enabled;
        TColor background;
        TColor mark;
    };
    for (const Case &c : {Case{true, true, clHighlight, clHighlightText}, Case{false, false, clMenu, clGrayText}}) {
        SCOPED_TRACE(c.selected ? "selected" : "disabled");
        face.Enabled = c.enabled;
        QImage image = FilledImage(rect.Width(), rect.Height());
        TCanvas canvas(&image);
        TMenuPainter::DrawPopupItem(canvas, face, rect, c.selected, kCheckColumn, false);
        EXPECT_EQ(PixelAt(image, 1, 1), ColorToRGB(c.background));
        // The tick's first column, centred in the check column.
        EXPECT_EQ(PixelAt(image, 5, 9), ColorToRGB(c.mark));
        EXPECT_EQ(PixelAt(image, 5, 8), ColorToRGB(c.background));
        // The arrow's tallest column, centred in the arrow column.
        EXPECT_EQ(PixelAt(image, 90, 7), ColorToRGB(c.mark));
        EXPECT_EQ(PixelAt(image, 90, 13), ColorToRGB(c.mark));
        EXPECT_EQ(PixelAt(image, 90, 6), ColorToRGB(c.background));
    }
}

} // namespace
