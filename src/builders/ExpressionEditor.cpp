#include "builders/ExpressionEditor.h"

namespace trevalon {

void ExpressionEditor::setText(const QString& text) {
    m_text = text;
    m_anchor = m_position = m_saved = 0;
}

int ExpressionEditor::clamp(int position) const {
    return qBound(0, position, static_cast<int>(m_text.size()));
}

void ExpressionEditor::setSelection(int anchor, int position) {
    m_anchor = clamp(anchor);
    m_position = clamp(position);
}

void ExpressionEditor::replaceSelection(const QString& with, int caretOffset) {
    const int start = selectionStart();
    m_text.replace(start, selectionEnd() - start, with);
    m_anchor = m_position = clamp(start + caretOffset);
}

void ExpressionEditor::insert(const Insertion& insertion) {
    replaceSelection(insertion.text, insertion.caretOffset);
    m_saved = m_position;
}

void ExpressionEditor::pressKeypad(QChar caption) {
    if (!keypadCaptions().contains(caption)) {
        return;
    }
    const QChar inserted = caption == u',' ? QChar(u'.') : caption;
    // The text may have changed since the position was saved.
    const int at = clamp(m_saved);
    m_text.insert(at, inserted);
    m_anchor = m_position = m_saved = at + 1;
}

ExpressionEditor::KeyResult ExpressionEditor::typeKey(QChar key) {
    const auto accepted = filterKey(key);
    if (!accepted) {
        return KeyResult::Dropped;
    }
    if (*accepted == Backspace) {
        if (m_anchor != m_position) {
            replaceSelection(QString(), 0);
        } else if (m_position > 0) {
            m_text.remove(m_position - 1, 1);
            m_anchor = --m_position;
        }
        return KeyResult::Edited;
    }
    if (accepted->unicode() < 32 && *accepted != u' ') {
        return KeyResult::PassedOn;
    }
    replaceSelection(QString(*accepted), 1);
    return KeyResult::Edited;
}

std::optional<QChar> ExpressionEditor::filterKey(QChar key) {
    const char16_t code = key.unicode();
    if (code == 8 || code == 9 || (code >= 17 && code <= 20)) {
        return key;
    }
    if (code == u',') {
        return QChar(u'.');
    }
    const bool letterOrDigit = (code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'Z') ||
                               (code >= u'a' && code <= u'z');
    if (letterOrDigit || QStringView(u" \"()*+-./_").contains(key)) {
        return key;
    }
    return std::nullopt;
}

const QString& ExpressionEditor::keypadCaptions() {
    static const QString captions = QStringLiteral("0123456789()-,");
    return captions;
}

}  // namespace trevalon
