#include "ui/accessible_controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace {

constexpr char kPressSignalProperty[] = "vorpantaPressSignal";
constexpr char kFocusProperty[] = "vorpantaAccessibleFocus";
constexpr char kCursorTargetProperty[] = "vorpantaCursorTarget";

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QWidget* control) : QAccessibleWidget(control, QAccessible::Button) {}

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        // Nothing takes the keyboard focus on these windows; the keyboard
        // cursor stands for it.
        st.focusable = widget()->property(kCursorTargetProperty).toBool();
        st.focused = HasAccessibleFocus(widget());
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
    if (!widget->property(kPressSignalProperty).isValid())
        return nullptr;
    return new ButtonAccessible(widget);
}

void InstallFactoryOnce()
{
    static const bool installed = [] {
        QAccessible::installFactory(ControlsFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace

void PresentAsButton(QWidget* control, const char* pressSignal, CursorTarget target)
{
    InstallFactoryOnce();
    control->setProperty(kPressSignalProperty, QByteArray(pressSignal ? pressSignal : ""));
    control->setProperty(kCursorTargetProperty, target == CursorTarget::Yes);
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
