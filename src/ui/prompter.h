#pragma once

#include <QString>

class QWidget;

namespace parlog {

// Every message box of the program goes through here, so that tests can read what
// was said and answer the questions.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void inform(const QString& text, const QString& caption) = 0; // OK only
    virtual bool ask(const QString& text, const QString& caption) = 0;    // Yes/No, true on Yes
};

// The real message boxes, over whichever window is active.
class MessageBoxPrompter : public Prompter {
public:
    void inform(const QString& text, const QString& caption) override;
    bool ask(const QString& text, const QString& caption) override;
};

} // namespace parlog
