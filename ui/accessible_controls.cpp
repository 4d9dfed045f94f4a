#include "ui/accessible_controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QWidget>

#include "ui/accessible_line_edit.h"

namespace {

constexpr char kRoleProperty[] = "vorpantaRole";
constexpr char kPressSignalProperty[] = "vorpantaPressSignal";
constexpr char kFocusableProperty[] = "vorpantaFocusable";
constexpr char kFocusProperty[] = "vorpantaAccessibleFocus";
constexpr char kSpokenTextProperty[] = "vorpantaSpokenText";

// A control of ours: its role, name, focus and press action come from the
// properties the functions below set.
class SkinnedAccessible : public QAccessibleWidget {
public:
    SkinnedAccessible(QWidget* control, QAccessible::Role role) : QAccessibleWidget(control, role) {}

    QString text(QAccessible::Text t) const override
    {
        const QVariant spoken = widget()->property(kSpokenTextProperty);
        if (t == QAccessible::Name && spoken.isValid())
            return spoken.toString();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        // Nothing takes the keyboard focus on the main window; the keyboard
        // cursor stands for it.
        if (role() != QAccessible::Window) {
            st.focusable = widget()->property(kFocusableProperty).toBool();
            st.focused = HasAccessibleFocus(widget());
        }
        return st;
    }

    QStringList actionNames() const override
    {
        if (PressSignal().isEmpty() || !widget()->isEnabled())
            return {};
        return {pressAction()};
    }

    void doAction(const QString& actionName) override
    {
        if (actionName != pressAction() || !actionNames().contains(actionName))
            return;
        // Later, as a click would come: the action may open a modal window,
        // and the caller must not wait for it.
        QMetaObject::invokeMethod(widget(), PressSignal().constData(), Qt::QueuedConnection);
    }

private:
    QByteArray PressSignal() const { return widget()->property(kPressSignalProperty).toByteArray(); }
};

QAccessibleInterface* ControlsFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class from the object's own upwards; answer the first.
    if (!widget || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    const QVariant role = widget->property(kRoleProperty);
    if (!role.isValid())
        return nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return MakeLineEditAccessible(edit);
    return new SkinnedAccessible(widget, static_cast<QAccessible::Role>(role.toInt()));
}

void Present(QWidget* control, QAccessible::Role role)
{
    static const bool installed = [] {
        QAccessible::installFactory(ControlsFactory);
        return true;
    }();
    (void)installed;
    control->setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace

void PresentAsButton(QWidget* control, const char* pressSignal, Focusable focusable)
{
    Present(control, QAccessible::Button);
    control->setProperty(kPressSignalProperty, QByteArray(pressSignal ? pressSignal : ""));
    control->setProperty(kFocusableProperty, focusable == Focusable::Yes);
}

void PresentAsWindow(QWidget* window)
{
    Present(window, QAccessible::Window);
}

void SetSpokenText(QWidget* control, const QString& spoken)
{
    const QVariant before = control->property(kSpokenTextProperty);
    if (!before.isValid())
        Present(control, QAccessible::StaticText);
    else if (before.toString() == spoken)
        return;
    control->setProperty(kSpokenTextProperty, spoken);
    if (before.isValid()) {
        QAccessibleEvent event(control, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void PresentAsLineEdit(QLineEdit* edit)
{
    Present(edit, QAccessible::EditableText);
}

void PresentAsNotification(QWidget* control)
{
    Present(control, QAccessible::Notification);
}

void SetAccessibleFocus(QWidget* control, bool focused)
{
    if (HasAccessibleFocus(control) == focused)
        return;
    control->setProperty(kFocusProperty, focused);
    if (focused) {
        AnnounceFocus(control);
    } else {
        QAccessible::State changed;
        changed.focused = true;
        QAccessibleStateChangeEvent event(control, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void AnnounceFocus(QWidget* control)
{
    QAccessibleEvent event(control, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

bool HasAccessibleFocus(const QWidget* control)
{
    return control->property(kFocusProperty).toBool();
}

void SetSpokenName(QWidget* control, const QString& name)
{
    // QWidget announces every assignment as a change.
    if (control->accessibleName() != name)
        control->setAccessibleName(name);
}
