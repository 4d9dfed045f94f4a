// How the skinned controls present themselves to assistive technology (a
// screen reader): the image buttons and the letter tiles are buttons named
// by their hint or their letter and place, which a screen reader can press,
// and the control under the keyboard cursor reports itself focused.
#pragma once

class QString;
class QWidget;

// Presents `control` as a button. Its press action emits `pressSignal` (the
// name of a signal without arguments) once the current event is done, as a
// click would; with null it has no action. Its name is its accessible name.
// A control the keyboard cursor can stand on is focusable.
enum class CursorTarget { No, Yes };
void PresentAsButton(QWidget* control, const char* pressSignal, CursorTarget target = CursorTarget::No);

// Marks `control` as the one the keyboard cursor is on, or no longer on;
// when it becomes focused, assistive technology is told that the focus moved
// to it, as Qt tells it for a widget taking the keyboard focus.
void SetAccessibleFocus(QWidget* control, bool focused);
bool HasAccessibleFocus(const QWidget* control);
// Tells assistive technology again that the focus is on `control`, as after
// the control under the cursor changed what it shows.
void AnnounceFocus(QWidget* control);

// Sets an accessible name; a change is announced, an equal name is not.
void SetSpokenName(QWidget* control, const QString& name);
