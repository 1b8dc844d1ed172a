#pragma once

#include "components/FlatBtn/FlatBtnTypes.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/menus/PopupMenu.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class TCanvas;
struct TFlatBtnPlacement;

// A flat push button that draws itself entirely: caption, an optional glyph
// and, for the plain push button, a thin outline with cut or rounded corners
// whose colours follow the mouse. Besides the push button it can be a
// radio-style, up-arrow, down-arrow or hint button, each with a built-in set
// of four glyphs (hot, disabled, pressed, normal).
//
// Mouse states: Normal; Hot (pointer over the button, no button held; the
// button holds the mouse grab to see the pointer leave); Pressed (left
// button held over it); PressedAway (held elsewhere, looks like Normal).
// It follows the dialog conventions: default button (Enter), cancel button
// (Escape), accelerator character, a modal result for its form, focus cue.
//
// The scalar settings are properties too, so that a form's layout can set
// them by name (colours as their 32-bit values); glyphs are set in code.
class TFlatGlyphButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool AutoHeight READ AutoHeight WRITE SetAutoHeight)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool CutCornerLook READ CutCornerLook WRITE SetCutCornerLook)
    Q_PROPERTY(bool ShowGlyph READ ShowGlyph WRITE SetShowGlyph)
    Q_PROPERTY(bool UseCustomGlyphs READ UseCustomGlyphs WRITE SetUseCustomGlyphs)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(uint ActiveColor READ ActiveColor WRITE SetActiveColor)
    Q_PROPERTY(uint ActiveOutlineColor READ ActiveOutlineColor WRITE SetActiveOutlineColor)
    Q_PROPERTY(uint ActiveOutlineColor2 READ ActiveOutlineColor2 WRITE SetActiveOutlineColor2)
    Q_PROPERTY(uint InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(uint TransparentColor READ TransparentColor WRITE SetTransparentColor)

public:
    explicit TFlatGlyphButton(QWidget *parent = nullptr);
    ~TFlatGlyphButton() override;

    TFlatBtnAbout About() const { return m_about; }
    // Choosing abAbout shows the component's version and leaves abNone.
    void SetAbout(TFlatBtnAbout about);

    bool AutoHeight() const { return m_autoHeight; }
    void SetAutoHeight(bool on);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool on) { m_cancel = on; }
    bool Default() const { return m_default; }
    void SetDefault(bool on);
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }
    bool CutCornerLook() const { return m_cutCornerLook; }
    void SetCutCornerLook(bool on);

    // Custom glyphs; assigning copies the picture. InactiveGlyph stands in
    // for the other three when they are empty.
    const TBitmap &ActiveGlyph() const { return m_activeGlyph; }
    void SetActiveGlyph(const TBitmap &glyph);
    const TBitmap &DisabledGlyph() const { return m_disabledGlyph; }
    void SetDisabledGlyph(const TBitmap &glyph);
    const TBitmap &DownActiveGlyph() const { return m_downActiveGlyph; }
    void SetDownActiveGlyph(const TBitmap &glyph);
    const TBitmap &InactiveGlyph() const { return m_inactiveGlyph; }
    void SetInactiveGlyph(const TBitmap &glyph);

    TColor ActiveColor() const { return m_activeColor; }
    void SetActiveColor(TColor color);
    TColor ActiveOutlineColor() const { return m_activeOutlineColor; }
    void SetActiveOutlineColor(TColor color);
    TColor ActiveOutlineColor2() const { return m_activeOutlineColor2; }
    void SetActiveOutlineColor2(TColor color);
    TColor InactiveColor() const { return m_inactiveColor; }
    void SetInactiveColor(TColor color);
    TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(TColor color);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TFlatBtnType ControlType() const { return m_controlType; }
    void SetControlType(TFlatBtnType type);
    TGlyphPosition Position() const { return m_position; }
    void SetPosition(TGlyphPosition position);
    bool ShowGlyph() const { return m_showGlyph; }
    void SetShowGlyph(bool on);
    bool UseCustomGlyphs() const { return m_useCustomGlyphs; }
    void SetUseCustomGlyphs(bool on);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on);

    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);
    bool TabStop() const;
    void SetTabStop(bool on);
    // The menu a right click or the menu key opens, drawn as the program's
    // other menus are (and skinned with them); nullptr once it has gone.
    TPopupMenu *PopupMenu() const;
    void SetPopupMenu(TPopupMenu *menu);

    // Hands ModalResult to the form and emits Clicked. A click from the
    // keyboard first shows the pressed look for one pass of message
    // processing. An exception from a Clicked handler is shown by the
    // application's handler, so the button always returns to rest.
    virtual void Click();
    // A click asked for from outside mouse and keyboard (assistive
    // technology, like the platform's command notification). It is dropped
    // while the button is taking the focus for a mouse press.
    void CommandClick();

    TFlatBtnMouseState MouseState() const { return m_mouseState; }
    // Whether Enter clicks this button now.
    bool ActingAsDefault() const { return m_actingAsDefault; }
    // The caption as last broken into lines, and the wrap width used.
    const QStringList &CaptionLines() const { return m_captionLines; }
    int WrapWidth() const { return m_wrapWidth; }

signals:
    void Clicked();
    void DblClicked();
    // Only on the changes Normal to Hot and Hot to Normal.
    void MouseEntered();
    void MouseExited();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct TTextBox;

    // Background of each look, and the outer ring's colour of the cut-corner
    // look; both looks start from the defaults of their colour settings.
    static constexpr TColor kCutCornerColor = RGB(255, 255, 204);
    static constexpr TColor kRoundColor = RGB(255, 255, 225);
    static constexpr TColor kDefaultActiveColor = clGray;
    static constexpr TColor kDefaultActiveOutlineColor = clWhite;
    static constexpr TColor kDefaultActiveOutlineColor2 = RGB(231, 231, 214);
    static constexpr TColor kDefaultInactiveColor = clSilver;

    void WindowCreated();
    void WatchWindowKeys();
    void LoadBuiltinGlyphs();
    const TBitmap &SelectedGlyph() const;
    TBitmap GlyphToDraw() const;
    TTextBox MeasureCaption(TCanvas &canvas, int glyphWidth);
    void AdjustIfAutoHeight();
    void AdjustHeight();
    void SetMouseState(TFlatBtnMouseState state);
    bool IsPointerOver(const QPoint &globalPos) const;
    bool TakeFocusForPress();
    bool CanFocus() const;
    bool HandleDialogKey(QKeyEvent *event);
    bool HandleDialogChar(QKeyEvent *event);
    void KeyboardClick();
    void ShowLookNow();
    void BroadcastFocusChanged();
    bool FocusCueShown() const;
    void PaintInto(TCanvas &canvas);
    void DrawFocusCue(TCanvas &canvas, const TFlatBtnPlacement &placement, int lineHeight);
    void DrawCaption(TCanvas &canvas, const TRect &text, int lineHeight);

    bool m_autoHeight = false;
    bool m_keyboardClick = false;
    bool m_cancel = false;
    bool m_clicksSuppressed = false;
    bool m_default = false;
    bool m_actingAsDefault = false;
    bool m_focusCueHidden = false;
    bool m_cutCornerLook = true;
    bool m_showGlyph = false;
    bool m_useCustomGlyphs = false;
    bool m_wordWrap = true;
    bool m_windowCreated = false;
    bool m_pressBegan = false;
    QString m_caption;
    TBitmap m_builtinHotGlyph;
    TBitmap m_activeGlyph;
    TBitmap m_disabledGlyph;
    TBitmap m_downActiveGlyph;
    TBitmap m_inactiveGlyph;
    TBitmap m_builtinDisabledGlyph;
    TBitmap m_builtinPressedGlyph;
    TBitmap m_builtinNormalGlyph;
    TFlatBtnAbout m_about = abNone;
    TFlatBtnMouseState m_mouseState = TFlatBtnMouseState::Normal;
    TFlatBtnType m_controlType = bsButton;
    TColor m_activeColor = kDefaultActiveColor;
    TColor m_activeOutlineColor = kDefaultActiveOutlineColor;
    TColor m_activeOutlineColor2 = kDefaultActiveOutlineColor2;
    TColor m_inactiveColor = kDefaultInactiveColor;
    TColor m_transparentColor = clBlack;
    TColor m_color = kCutCornerColor;
    TGlyphPosition m_position = bsLeft;
    int m_modalResult = 0;
    QStringList m_captionLines;
    int m_wrapWidth = 0;
    TFont m_font;
    TPopupMenu *m_popupMenu = nullptr;
    QPointer<QWidget> m_popupMenuOwner;
    QPointer<QWidget> m_watchedWindow;
};
