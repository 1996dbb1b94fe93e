// The manual's formatted text in a Qt view: the help window's chapter and the help popup.
#pragma once

#include <QTextBrowser>

#include "base/richtext.h"

class QTextDocument;

namespace pelora::ui {

// The text with each run's look: bold, italic, underline, size, font and colour. '\n' ends a
// paragraph, U+2028 breaks the line within it, '\t' is a tab.
void fillDocument(QTextDocument& document, const RichText& text);

// A read-only view of formatted text; the text can be selected and copied.
class RichTextView : public QTextBrowser {
    Q_OBJECT

public:
    explicit RichTextView(QWidget* parent = nullptr);

    // Shows the text from its start; the same text again leaves the view as the user scrolled it.
    void setRichText(const RichText& text);

private:
    RichText m_shown;
    bool m_filled = false;
};

}  // namespace pelora::ui
