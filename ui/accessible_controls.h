// How the skinned controls present themselves to assistive technology (a
// screen reader): the image buttons and the letter tiles are buttons named
// by their hint or their letter and place, which a screen reader can press;
// the control under the keyboard cursor reports itself focused; the main
// window is a window named by its title; a text drawn into a picture, or a
// line whose visible text says nothing, reads what is set for it.
#pragma once

class QLineEdit;
class QString;
class QWidget;

// Presents `control` as a button. Its press action emits `pressSignal` (the
// name of a signal without arguments) once the current event is done, as a
// click would; with null it has no action. Its name is its accessible name.
// A focusable one can hold the accessible focus (SetAccessibleFocus): the
// tile under the keyboard cursor, a window's close button.
enum class Focusable { No, Yes };
void PresentAsButton(QWidget* control, const char* pressSignal, Focusable focusable = Focusable::No);

// Presents a top-level widget as a window, named by its title.
void PresentAsWindow(QWidget* window);

// Presents `control` as static text that reads `spoken`, whatever it shows;
// an empty text reads nothing. Called again, it changes what is read and
// announces the change.
void SetSpokenText(QWidget* control, const QString& spoken);

// Presents a line edit so that a read-only one is neither editable nor, when
// it takes no focus, focusable for a screen reader.
void PresentAsLineEdit(QLineEdit* edit);

// Presents `control` as a notification, which a screen reader speaks the
// moment it is shown, wherever the focus is.
void PresentAsNotification(QWidget* control);

// Marks `control` as the one that holds the focus for assistive technology,
// or no longer; when it becomes focused, assistive technology is told that
// the focus moved to it, as Qt tells it for a widget taking the keyboard
// focus.
void SetAccessibleFocus(QWidget* control, bool focused);
bool HasAccessibleFocus(const QWidget* control);
// Tells assistive technology again that the focus is on `control`, as when
// its window becomes active again.
void AnnounceFocus(QWidget* control);

// Sets an accessible name; a change is announced, an equal name is not.
void SetSpokenName(QWidget* control, const QString& name);
