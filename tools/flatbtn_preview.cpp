// Shows the search dialog's two flat glyph buttons, "Найти" and "Отмена",
// with the dialog's settings, on a button-face window, for looking at them
// under a real display.
//
//   flatbtn_preview [--disabled] [<picture.png>]
//
// runs until the window is closed ("Отмена" closes it); --disabled shows
// "Найти" disabled, as during a search; a picture file receives the
// window's look once it is shown.

#include "components/FlatBtn.h"
#include "toolkit/Font.h"

#include <QApplication>
#include <QPalette>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kWindowWidth = 434, kWindowHeight = 60;
constexpr int kButtonTop = 17, kFindLeft = 104, kCancelLeft = 264;
constexpr int kButtonWidth = 73, kButtonHeight = 26;
constexpr int kSaveDelayMs = 300;

TFlatGlyphButton *makeDialogButton(QWidget *parent, const QString &caption, const QString &glyphName, int left)
{
    auto *button = new TFlatGlyphButton(parent);
    button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
    button->SetCaption(caption);
    button->SetColor(clBtnFace);
    button->SetActiveColor(clNavy);
    button->SetActiveOutlineColor(clNavy);
    button->SetActiveOutlineColor2(clBtnFace);
    button->SetInactiveColor(clNavy);
    button->SetShowGlyph(true);
    button->SetUseCustomGlyphs(true);
    TBitmap glyph;
    glyph.LoadFromResourceName(glyphName);
    button->SetInactiveGlyph(glyph);
    button->SetTransparentColor(clFuchsia);
    return button;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterBundledFonts();

    QWidget window;
    window.setWindowTitle(QStringLiteral("TFlatGlyphButton"));
    window.setFixedSize(kWindowWidth, kWindowHeight);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, ToQColor(clBtnFace));
    window.setPalette(palette);
    window.setAutoFillBackground(true);

    TFlatGlyphButton *find = makeDialogButton(&window, QStringLiteral("Найти"), QStringLiteral("FindGlyph"), kFindLeft);
    TFlatGlyphButton *cancel =
        makeDialogButton(&window, QStringLiteral("Отмена"), QStringLiteral("CancelGlyph"), kCancelLeft);
    cancel->SetAutoHeight(true);
    QObject::connect(cancel, &TFlatGlyphButton::Clicked, &window, &QWidget::close);
    std::printf("Найти %dx%d, Отмена %dx%d\n", find->width(), find->height(), cancel->width(), cancel->height());

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.removeAll(QStringLiteral("--disabled")) > 0)
        find->setEnabled(false);

    window.show();
    find->setFocus();

    if (!arguments.isEmpty()) {
        const QString file = arguments.first();
        QTimer::singleShot(kSaveDelayMs, &window, [&window, file] {
            if (!window.grab().save(file))
                std::fprintf(stderr, "could not save %s\n", qPrintable(file));
        });
    }
    return app.exec();
}
