#include "ui/inputhelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QList>
#include <QWidget>
#include <QPointer>
#include <QTimer>

namespace parlog {

namespace {

// Item data of the entry that stands for all.
constexpr int kAllRole = Qt::UserRole + 17;

class SelectAllFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto* box = qobject_cast<QLineEdit*>(watched);
            SelectAllText(box);
            // A mouse click places the caret after the focus arrives; select again
            // once the click is done.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
                QPointer<QLineEdit> guarded(box);
                QTimer::singleShot(0, box, [guarded] {
                    if (guarded && guarded->hasFocus())
                        SelectAllText(guarded);
                });
            }
        }
        return false;
    }
};

class KeyUpFilter : public QObject {
public:
    KeyUpFilter(QObject* parent, std::function<void(int)> keyUp)
        : QObject(parent)
        , m_keyUp(std::move(keyUp))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The letter went into the text on the key press, so the text is complete.
        if (event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat())
                m_keyUp(key->key());
        }
        return false;
    }

private:
    std::function<void(int)> m_keyUp;
};

// The keys a widget leaves to its window's own act.
class KeyTo : public QObject {
public:
    KeyTo(QObject* parent, QList<int> keys, std::function<void()> act)
        : QObject(parent)
        , m_keys(std::move(keys))
        , m_act(std::move(act))
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress ||
            !m_keys.contains(static_cast<QKeyEvent*>(event)->key()))
            return false;
        m_act();
        return true;
    }

private:
    QList<int> m_keys;
    std::function<void()> m_act;
};

} // namespace

void SelectAllText(QLineEdit* box)
{
    if (!box)
        return;
    const int n = int(box->text().size());
    if (n == 0)
        return;
    box->setSelection(0, n);
}

void selectAllOnFocus(QLineEdit* box)
{
    box->installEventFilter(new SelectAllFilter(box));
}

void preparePicker(QComboBox* combo)
{
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    // Only a choice from the list is a pick: a name typed and left (or entered) is not,
    // so the combo box must not turn the typed text into an activation of its own.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
}

void onKeyUp(QComboBox* combo, std::function<void(int key)> keyUp)
{
    combo->installEventFilter(new KeyUpFilter(combo, std::move(keyUp)));
}

void addAllEntry(QComboBox* combo, const QString& caption)
{
    combo->addItem(caption);
    combo->setItemData(combo->count() - 1, true, kAllRole);
}

std::optional<QString> chosenName(const QComboBox* combo)
{
    const int i = combo->currentIndex();
    const QString text = combo->currentText();
    if (i >= 0 && combo->itemData(i, kAllRole).toBool() && combo->itemText(i) == text)
        return std::nullopt;
    return text;
}

void typeAhead(QComboBox* combo, int key, const std::function<void(int index)>& click)
{
    if (key < Qt::Key_A || key > Qt::Key_Z)
        return;
    const QString typed = combo->currentText();
    // No flicker while the text is rewritten item by item.
    const bool updates = combo->updatesEnabled();
    combo->setUpdatesEnabled(false);
    const int count = combo->count();
    for (int i = 0; i < count; ++i) {
        const QString item = combo->itemText(i);
        if (item.size() >= typed.size() && item.startsWith(typed, Qt::CaseInsensitive)) {
            combo->setCurrentIndex(i);
            if (click)
                click(i);
            combo->setEditText(item);
            if (QLineEdit* edit = combo->lineEdit())
                edit->setSelection(int(typed.size()), int(item.size() - typed.size()));
            break;
        }
        combo->setEditText(typed);
        if (QLineEdit* edit = combo->lineEdit())
            edit->setCursorPosition(int(typed.size()));
    }
    combo->setUpdatesEnabled(updates);
}

void onKeys(QWidget* widget, const QList<int>& keys, std::function<void()> act)
{
    widget->installEventFilter(new KeyTo(widget, keys, std::move(act)));
}

} // namespace parlog
