#include "ui/announcer.h"

#include <QAccessible>

#include "ui/accessible_controls.h"

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    PresentAsNotification(this);
    hide();
}

void Announcer::Say(const QString& sentence)
{
    setAccessibleName(sentence);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QString Announcer::LastSaid() const
{
    return accessibleName();
}
