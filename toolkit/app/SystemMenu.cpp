#include "toolkit/app/SystemMenu.h"

#include "toolkit/app/Form.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenu.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include <memory>

namespace {

// The items are named as the platform's own system menu names them in the
// program's language, with the same access keys.
QString Tr(const char *text)
{
    return QCoreApplication::translate("SystemMenu", text);
}

// The form's system menu lives as long as the form.
class TSystemMenuHolder : public QObject
{
public:
    explicit TSystemMenuHolder(TForm &form)
        : QObject(&form)
        , m_menu(std::make_unique<TPopupMenu>(&form))
    {
        setObjectName(QString::fromLatin1(kName));
    }

    static TPopupMenu &Of(TForm &form)
    {
        auto *holder = form.findChild<TSystemMenuHolder *>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly);
        if (!holder)
            holder = new TSystemMenuHolder(form);
        return *holder->m_menu;
    }

private:
    static constexpr const char *kName = "SystemMenu";
    std::unique_ptr<TPopupMenu> m_menu;
};

// Moves or sizes a form by the arrow keys until Enter, Escape or a click.
// It holds the keyboard meanwhile, so that no control of the form acts on
// the keys.
class TKeyboardTracker : public QObject
{
public:
    enum class TMode { Move, Size };

    TKeyboardTracker(TForm &form, TMode mode)
        : QObject(&form)
        , m_form(&form)
        , m_mode(mode)
        , m_start(form.geometry())
    {
        qApp->installEventFilter(this);
        form.grabKeyboard();
    }

    ~TKeyboardTracker() override { Release(); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress: Key(static_cast<QKeyEvent *>(event)->key()); return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride: return true;
        case QEvent::MouseButtonPress: End(); return false;
        default: return false;
        }
    }

private:
    // The next key is the form's own again.
    void End()
    {
        Release();
        deleteLater();
    }

    void Release()
    {
        if (m_released)
            return;
        m_released = true;
        if (QCoreApplication *application = QCoreApplication::instance())
            application->removeEventFilter(this);
        if (m_form)
            m_form->releaseKeyboard();
    }

    void Key(int key)
    {
        QPoint step;
        switch (key) {
        case Qt::Key_Left: step = {-SystemMenu::kKeyboardStep, 0}; break;
        case Qt::Key_Right: step = {SystemMenu::kKeyboardStep, 0}; break;
        case Qt::Key_Up: step = {0, -SystemMenu::kKeyboardStep}; break;
        case Qt::Key_Down: step = {0, SystemMenu::kKeyboardStep}; break;
        case Qt::Key_Escape:
            m_form->setGeometry(m_start);
            End();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter: End(); return;
        default: return;
        }
        QRect bounds = m_form->geometry();
        if (m_mode == TMode::Move) {
            bounds.translate(step);
        } else {
            const int minimumHeight =
                TFrameLayout::NonClientHeight(m_form->BorderStyle(), m_form->MenuBar() != nullptr);
            bounds.setWidth(std::max(bounds.width() + step.x(), FrameMetrics::kMinimumTrackWidth));
            bounds.setHeight(std::max(bounds.height() + step.y(), minimumHeight));
        }
        m_form->setGeometry(bounds);
    }

    QPointer<TForm> m_form;
    TMode m_mode;
    QRect m_start;
    bool m_released = false;
};

void AddCommand(TMenuItem *root, const QString &caption, bool enabled, std::function<void()> command)
{
    TMenuItem *item = root->Add(caption, [command = std::move(command)](TMenuItem *) { command(); });
    item->SetEnabled(enabled);
}

} // namespace

void SystemMenu::TrackMove(TForm &form)
{
    new TKeyboardTracker(form, TKeyboardTracker::TMode::Move);
}

void SystemMenu::TrackSize(TForm &form)
{
    new TKeyboardTracker(form, TKeyboardTracker::TMode::Size);
}

TPopupMenu &SystemMenu::MenuOf(TForm &form)
{
    return TSystemMenuHolder::Of(form);
}

void SystemMenu::Open(TForm &form)
{
    TPopupMenu &menu = MenuOf(form);
    TMenuItem *root = menu.Items();
    root->Clear();

    QPointer<TForm> target = &form;
    const auto on = [target](void (*command)(TForm &)) {
        return [target, command] {
            if (target)
                command(*target);
        };
    };
    const bool sizeable = form.BorderStyle() == bsSizeable;
    const bool maximized = form.Maximized();
    const bool minimized = form.isMinimized();
    if (sizeable)
        AddCommand(root, Tr("&Restore"), maximized || minimized, on([](TForm &f) { f.Restore(); }));
    AddCommand(root, Tr("&Move"), !maximized, on(&TrackMove));
    if (sizeable) {
        AddCommand(root, Tr("&Size"), !maximized, on(&TrackSize));
        AddCommand(root, Tr("Mi&nimize"), !minimized, on([](TForm &f) { f.showMinimized(); }));
        AddCommand(root, Tr("Ma&ximize"), !maximized, on([](TForm &f) { f.Maximize(); }));
    }
    root->Add(QStringLiteral("-"));
    AddCommand(root, Tr("&Close"), true, on([](TForm &f) { f.Close(); }));
    root->Items(root->Count() - 1)->SetShortCut(QKeySequence(Qt::ALT | Qt::Key_F4));

    const TFrameLayout layout = form.FrameLayout();
    const QPoint below = form.mapToGlobal(QPoint(layout.caption.left(), layout.caption.bottom() + 1));
    menu.Popup(below.x(), below.y());
}
