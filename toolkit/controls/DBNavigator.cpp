#include "toolkit/controls/DBNavigator.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DataLink.h"
#include "toolkit/db/DataSource.h"

#include <QKeyEvent>

#include <algorithm>

// Resources of a static library are registered by hand, outside any namespace.
static void RegisterNavigatorGlyphs()
{
    Q_INIT_RESOURCE(nav);
}

namespace {

constexpr std::array<const char *, kNavButtonCount> kDefaultHints = {
    "First record",  "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data",
};

constexpr std::array<const char *, kNavButtonCount> kGlyphResources = {
    ":/nav/first.bmp",  ":/nav/prior.bmp", ":/nav/next.bmp", ":/nav/last.bmp",   ":/nav/insert.bmp",
    ":/nav/delete.bmp", ":/nav/edit.bmp",  ":/nav/post.bmp", ":/nav/cancel.bmp", ":/nav/refresh.bmp",
};

// Enabled and disabled pictures side by side.
constexpr int kNavGlyphCells = 2;

} // namespace

TBitmap TDBNavigator::StandardGlyph(TNavigateBtn button)
{
    RegisterNavigatorGlyphs();
    TBitmap glyph;
    glyph.LoadFromFile(QString::fromLatin1(kGlyphResources[button]));
    return glyph;
}

class TDBNavigator::TNavDataLink : public TDataLink
{
public:
    explicit TNavDataLink(TDBNavigator &navigator)
        : m_navigator(navigator)
    { }

protected:
    void ActiveChanged() override { m_navigator.UpdateButtonStates(); }
    void DataSetChanged() override { m_navigator.UpdateButtonStates(); }
    void DataSetScrolled(int) override { m_navigator.UpdateButtonStates(); }
    void EditingChanged() override { m_navigator.UpdateButtonStates(); }

private:
    TDBNavigator &m_navigator;
};

TDBNavigator::TDBNavigator(QWidget *parent)
    : TPanel(parent)
    , m_link(std::make_unique<TNavDataLink>(*this))
{
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < kNavButtonCount; ++i) {
        const auto index = TNavigateBtn(i);
        auto *button = new TNavButton(index, this);
        button->SetGlyph(StandardGlyph(index));
        button->SetNumGlyphs(kNavGlyphCells);
        button->SetAllowRepeat(index == nbPrior || index == nbNext);
        button->installEventFilter(this);
        connect(button, &TSpeedButton::Clicked, this, [this, index] { ClickGuarded(index); });
        m_buttons[i] = button;
    }
    UpdateHints();
    UpdateMinimumSize();
    LayoutButtons();
    UpdateButtonStates();
}

TDBNavigator::~TDBNavigator() = default;

TDataSource *TDBNavigator::DataSource() const
{
    return m_link->DataSource();
}

void TDBNavigator::SetDataSource(TDataSource *dataSource)
{
    m_link->SetDataSource(dataSource);
    UpdateButtonStates();
}

void TDBNavigator::SetVisibleButtons(TNavButtonSet buttons)
{
    if (m_visible == buttons)
        return;
    m_visible = buttons;
    if (!m_visible.Contains(m_focused))
        if (!MoveFocus(+1))
            MoveFocus(-1);
    UpdateMinimumSize();
    LayoutButtons();
    UpdateFocusFrame();
}

void TDBNavigator::SetTabStop(bool tabStop)
{
    // Reached by Tab only even then: a click keeps the keyboard where it was.
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TDBNavigator::SetFlat(bool flat)
{
    if (m_flat == flat)
        return;
    m_flat = flat;
    for (TNavButton *button : m_buttons)
        button->SetFlat(flat);
}

void TDBNavigator::SetHints(const QStringList &hints)
{
    m_hints = hints;
    UpdateHints();
}

QString TDBNavigator::DefaultHint(TNavigateBtn button)
{
    return QString::fromLatin1(kDefaultHints[button]);
}

void TDBNavigator::UpdateHints()
{
    for (int i = 0; i < kNavButtonCount; ++i) {
        const bool replaced = i < m_hints.size() && !m_hints[i].isEmpty();
        m_buttons[i]->SetHint(replaced ? m_hints[i] : DefaultHint(TNavigateBtn(i)));
    }
}

void TDBNavigator::SetFocusedButton(TNavigateBtn button)
{
    if (m_focused == button)
        return;
    m_focused = button;
    UpdateFocusFrame();
}

void TDBNavigator::UpdateFocusFrame()
{
    for (TNavButton *button : m_buttons)
        button->SetFocusShown(hasFocus() && button->Index() == m_focused && m_visible.Contains(m_focused));
}

bool TDBNavigator::MoveFocus(int step)
{
    for (int i = m_focused + step; i >= 0 && i < kNavButtonCount; i += step) {
        if (m_visible.Contains(TNavigateBtn(i))) {
            SetFocusedButton(TNavigateBtn(i));
            return true;
        }
    }
    return false;
}

// A failing operation is reported here, inside the click, rather than
// unwinding through the toolkit's event delivery.
void TDBNavigator::ClickGuarded(TNavigateBtn button)
{
    CallGuarded([&] { BtnClick(button); });
}

void TDBNavigator::BtnClick(TNavigateBtn button)
{
    TDataSet *dataSet = m_link->DataSet();
    if (!dataSet || !m_link->Active())
        return;
    emit BeforeAction(button);
    switch (button) {
    case nbFirst: dataSet->First(); break;
    case nbPrior: dataSet->Prior(); break;
    case nbNext: dataSet->Next(); break;
    case nbLast: dataSet->Last(); break;
    case nbInsert: dataSet->Insert(); break;
    case nbDelete:
        if (!m_confirmDelete || ConfirmDeleteRecord())
            dataSet->Delete();
        break;
    case nbEdit: dataSet->Edit(); break;
    case nbPost: dataSet->Post(); break;
    case nbCancel: dataSet->Cancel(); break;
    case nbRefresh: dataSet->Refresh(); break;
    }
    emit Click(button);
}

std::vector<int> TDBNavigator::ButtonWidths(int width, int count)
{
    if (count <= 0)
        return {};
    width = std::max(width, 0);
    const int share = width / count;
    const int leftover = width % count;
    std::vector<int> widths;
    widths.reserve(count);
    int counter = count / 2;
    for (int i = 0; i < count; ++i) {
        counter -= leftover;
        int w = share;
        if (counter < 0) {
            ++w;
            counter += count;
        }
        widths.push_back(w);
    }
    return widths;
}

TNavButtonSet TDBNavigator::EnabledButtons(const TDataFacts &facts)
{
    TNavButtonSet enabled;
    if (!facts.active)
        return enabled;
    enabled.Set(nbFirst, !facts.atStart);
    enabled.Set(nbPrior, !facts.atStart);
    enabled.Set(nbNext, !facts.atEnd);
    enabled.Set(nbLast, !facts.atEnd);
    enabled.Set(nbDelete, facts.canModify && !facts.empty);
    enabled.Set(nbInsert, facts.canModify);
    enabled.Set(nbRefresh, facts.canModify);
    enabled.Set(nbEdit, facts.canModify && !facts.editing);
    enabled.Set(nbPost, facts.canModify && facts.editing);
    enabled.Set(nbCancel, facts.canModify && facts.editing);
    return enabled;
}

TDBNavigator::TDataFacts TDBNavigator::CurrentFacts() const
{
    TDataSet *dataSet = m_link->DataSet();
    if (!isEnabled() || !dataSet || !m_link->Active())
        return {};
    TDataFacts facts;
    facts.active = true;
    // Bof and Eof hold only after a move that ran into an end; a row reached
    // by number (a grid key, the scroll bar, a deletion) sets neither. The
    // row being inserted has no number and keeps to Bof and Eof.
    const bool inserting = dataSet->State() == dsInsert;
    const int recNo = dataSet->RecNo();
    facts.atStart = dataSet->Bof() || (!inserting && recNo <= 1);
    facts.atEnd = dataSet->Eof() || (!inserting && recNo >= dataSet->RecordCount());
    facts.canModify = dataSet->CanModify();
    facts.empty = dataSet->IsEmpty();
    facts.editing = m_link->Editing();
    return facts;
}

void TDBNavigator::UpdateButtonStates()
{
    const TNavButtonSet enabled = EnabledButtons(CurrentFacts());
    for (TNavButton *button : m_buttons)
        button->setEnabled(enabled.Contains(button->Index()));
}

void TDBNavigator::Loaded()
{
    m_loading = false;
    LayoutButtons();
}

void TDBNavigator::UpdateMinimumSize()
{
    setMinimumSize(m_visible.Count() * kMinButtonWidth, kMinButtonHeight);
}

void TDBNavigator::LayoutButtons()
{
    const int count = m_visible.Count();
    const int barWidth = std::max(width(), count * kMinButtonWidth);
    const int buttonHeight = std::max(height(), kMinButtonHeight);
    const std::vector<int> widths = ButtonWidths(barWidth, count);
    int left = 0;
    int k = 0;
    for (TNavButton *button : m_buttons) {
        if (!m_visible.Contains(button->Index())) {
            button->hide();
            continue;
        }
        button->setGeometry(left, 0, widths[k], buttonHeight);
        button->show();
        left += widths[k++];
    }
    ButtonsLaidOut();
}

void TDBNavigator::resizeEvent(QResizeEvent *event)
{
    TPanel::resizeEvent(event);
    LayoutButtons();
}

void TDBNavigator::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: MoveFocus(-1); break;
    case Qt::Key_Right: MoveFocus(+1); break;
    case Qt::Key_Space:
        if (m_visible.Contains(m_focused) && m_buttons[m_focused]->isEnabled())
            m_buttons[m_focused]->Click();
        break;
    default: TPanel::keyPressEvent(event);
    }
}

void TDBNavigator::focusInEvent(QFocusEvent *event)
{
    TPanel::focusInEvent(event);
    if (!m_visible.Contains(m_focused))
        MoveFocus(+1);
    UpdateFocusFrame();
}

void TDBNavigator::focusOutEvent(QFocusEvent *event)
{
    TPanel::focusOutEvent(event);
    UpdateFocusFrame();
}

bool TDBNavigator::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (auto *button = qobject_cast<TNavButton *>(watched))
            SetFocusedButton(button->Index());
    }
    return TPanel::eventFilter(watched, event);
}

void TDBNavigator::changeEvent(QEvent *event)
{
    TPanel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateButtonStates();
}
