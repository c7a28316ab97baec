#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace parlog {

// Every message box of the program goes through here, so that tests can read what
// was said and answer the questions.
class Prompter {
public:
    // The button that Enter presses: No for questions whose Yes cannot be undone.
    enum class Default { Yes, No };

    virtual ~Prompter() = default;
    virtual void inform(const QString& text, const QString& caption) = 0; // OK only
    // Yes/No, true on Yes.
    virtual bool ask(const QString& text, const QString& caption,
                     Default byDefault = Default::Yes) = 0;
    // A password, typed unseen; nothing when the user gives none.
    virtual std::optional<QString> askPassword(const QString&, const QString&)
    {
        return std::nullopt;
    }
};

// The real message boxes, centred over the window in front (or the last one
// opened), their texts shown as typed.
class MessageBoxPrompter : public Prompter {
public:
    void inform(const QString& text, const QString& caption) override;
    bool ask(const QString& text, const QString& caption, Default byDefault) override;
    std::optional<QString> askPassword(const QString& text, const QString& caption) override;
};

} // namespace parlog
