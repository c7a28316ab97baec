#pragma once

#include <functional>
#include <optional>

class QString;

class QComboBox;
class QLineEdit;
class QWidget;
template <typename T> class QList;

namespace parlog {

// Selects the whole text of a box so that the next key typed replaces it. An empty
// box is left as it is.
void SelectAllText(QLineEdit* box);

// Runs SelectAllText whenever the box gets the focus, however it gets it.
void selectAllOnFocus(QLineEdit* box);

// Makes a picker ready for type-ahead: typing allowed, and none of the combo box's
// own completion or inserting, which would fight the search.
void preparePicker(QComboBox* combo);

// Calls keyUp with the key code each time a key is released in the combo box.
void onKeyUp(QComboBox* combo, std::function<void(int key)> keyUp);

// The type-ahead search run on a key release: a letter key selects the first item
// that begins with the typed text (any case), runs click at once for that item,
// then shows the item's full text with the completed rest highlighted. Other keys
// leave the box as the keystroke left it.
void typeAhead(QComboBox* combo, int key, const std::function<void(int index)>& click);

// A picker's first entry that stands for every name ("All Players"). It is marked in
// the list itself, so that a player, course or competition that really bears the
// same name is still a name.
void addAllEntry(QComboBox* combo, const QString& caption);

// The name a picker asks for: empty when its entry for all is chosen and its text
// untouched, else the text as it stands.
std::optional<QString> chosenName(const QComboBox* combo);

// Runs ACT, in place of what the widget would do, when one of KEYS is pressed in it:
// Enter on a list adds its item, Delete on a table takes its line out.
void onKeys(QWidget* widget, const QList<int>& keys, std::function<void()> act);

} // namespace parlog
