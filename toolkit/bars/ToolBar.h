#pragma once

#include "toolkit/bars/CustomDrawState.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Font.h"

#include <QWidget>

#include <functional>
#include <vector>

class TImageList;
class TToolButton;
class TToolBar;

// Asks the tool bar's owner to draw one button on the tool bar's canvas;
// the tool bar draws it itself afterwards unless DefaultDraw is cleared.
using TTBCustomDrawBtnEvent =
    std::function<void(TToolBar *sender, TToolButton *button, TCustomDrawState state, bool &defaultDraw)>;

// A row of tool buttons: push, check and drop-down buttons with images from
// three image lists (normal, hot, disabled) and optional captions below the
// image or beside it (list layout), separated by gaps and dividers. A flat
// tool bar frames a button only while the pointer is over it; a transparent
// one shows its parent through the gaps.
class TToolBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool ShowCaptions READ ShowCaptions WRITE SetShowCaptions)
    Q_PROPERTY(bool List READ List WRITE SetList)

public:
    static constexpr int kDefaultButtonWidth = 23;
    static constexpr int kDefaultButtonHeight = 22;
    // The arrow part of a drop-down button.
    static constexpr int kDropDownWidth = 13;

    explicit TToolBar(QWidget *parent = nullptr);
    ~TToolBar() override;

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    // nullptr for an index out of range.
    TToolButton *Buttons(int index) const;
    int IndexOf(const TToolButton *button) const;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool ShowCaptions() const { return m_showCaptions; }
    void SetShowCaptions(bool show);
    // Captions beside the images instead of below them.
    bool List() const { return m_list; }
    void SetList(bool list);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &font);
    // At least 1; smaller values are ignored.
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return m_buttonHeight; }
    void SetButtonHeight(int height);

    // Not owned; whoever frees a list clears it here first.
    TImageList *Images() const { return m_images; }
    void SetImages(TImageList *images);
    TImageList *HotImages() const { return m_hotImages; }
    void SetHotImages(TImageList *images);
    TImageList *DisabledImages() const { return m_disabledImages; }
    void SetDisabledImages(TImageList *images);

    // The handler carries a key that names who installed it, so that it can
    // be told apart from others later.
    const TTBCustomDrawBtnEvent &OnCustomDrawButton() const { return m_onCustomDrawButton; }
    const void *OnCustomDrawButtonKey() const { return m_onCustomDrawButtonKey; }
    void SetOnCustomDrawButton(TTBCustomDrawBtnEvent handler, const void *key = nullptr);

    // The canvas the tool bar is being painted on; between paints it draws
    // nothing.
    TCanvas &Canvas() { return m_canvas; }

    // The state a button is drawn in now.
    TCustomDrawState ButtonState(const TToolButton &button) const;
    // The button under a point of the tool bar, separators left out.
    TToolButton *ButtonAt(const QPoint &pos) const;

    // Places the buttons again; called whenever something that sizes them
    // changes.
    void Relayout();
    // Paints the whole tool bar onto image (its top-left corner at the
    // tool bar's); the custom-draw handler draws on Canvas() meanwhile.
    void PaintOn(QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    friend class TToolButton;
    void Insert(TToolButton *button);
    void Remove(TToolButton *button);
    void SetHotButton(TToolButton *button);
    // The size of a push, check or drop-down button.
    TSize ButtonSize(const TToolButton &button) const;
    void PaintButton(TToolButton &button);

    std::vector<TToolButton *> m_buttons;
    TColor m_color = clBtnFace;
    bool m_flat = false;
    bool m_transparent = false;
    bool m_showCaptions = false;
    bool m_list = false;
    TFont m_font;
    int m_buttonWidth = kDefaultButtonWidth;
    int m_buttonHeight = kDefaultButtonHeight;
    TImageList *m_images = nullptr;
    TImageList *m_hotImages = nullptr;
    TImageList *m_disabledImages = nullptr;
    TTBCustomDrawBtnEvent m_onCustomDrawButton;
    const void *m_onCustomDrawButtonKey = nullptr;
    TCanvas m_canvas;
    TToolButton *m_hotButton = nullptr;
    TToolButton *m_pressedButton = nullptr;
    bool m_pressedOnArrow = false;
    // The drop-down button whose menu is open.
    TToolButton *m_droppedButton = nullptr;
};
