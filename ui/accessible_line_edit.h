// A single-line edit as a screen reader finds it, telling read-only from
// editable: Qt 6.4 reports every line edit editable to the Linux bridge,
// read-only or not. Made by the controls' accessibility factory
// (accessible_controls.cpp) for the edits presented with PresentAsLineEdit.
#pragma once

class QAccessibleInterface;
class QLineEdit;

QAccessibleInterface* MakeLineEditAccessible(QLineEdit* edit);
