#pragma once

#include <QDialog>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace trevalon {

class ClickLabel;
class CommentBuilder;
class DragLabel;
class Project;
class TJetButton;
class TextTable;

// The comment builder ("Buduj komentarz"): the text of a read/write, message or question
// block, with variable references (`$` precision name `$`) and line breaks (`&`) inserted
// from its lists and a preview with sample values. Modal and borderless, on its background
// picture; "Wrowadź komentarz" hands the text back, "Anuluj" leaves it.
class TFBudujKomentarz : public QDialog {
public:
    static constexpr int Width = 460;
    static constexpr int Height = 340;
    // Characters the text accepts: the comment limit of the properties window.
    static constexpr int TextLimit = 200;

    // `project` and `texts` must outlive the window.
    TFBudujKomentarz(const Project& project, const TextTable& texts, QWidget* parent);
    ~TFBudujKomentarz() override;

    // Where the builder appears, from the properties window's top-left corner.
    static constexpr QPoint Offset{15, 15};

    // Shows the builder modally for a block of `board`, starting from `text` ("" for none),
    // placed a little right of and below `propertiesTopLeft`; the composed text, or nothing
    // when cancelled.
    std::optional<QString> build(const QString& text, int board, const QPoint& propertiesTopLeft);

    void applyTexts();
    bool collapsed() const { return m_collapsed; }

    QLineEdit* textEdit() const { return m_text; }
    QComboBox* variableList() const { return m_variables; }
    QComboBox* precisionList() const { return m_precision; }
    QLabel* previewLabel() const { return m_preview; }
    // The last preview exactly as rendered (line breaks as line feed and carriage return).
    const QString& previewText() const { return m_previewText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildButtons();
    QLabel* caption(const char* name, const QRect& geometry);
    void fillLists();
    void variableChosen(int index);
    void insertAtCaret(const QString& text);
    void showPreview();
    void toggleCollapsed();

    const Project& m_project;
    const TextTable& m_texts;
    std::unique_ptr<CommentBuilder> m_builder;

    DragLabel* m_title = nullptr;
    ClickLabel* m_collapse = nullptr;
    QLabel* m_textCaption = nullptr;
    QLineEdit* m_text = nullptr;
    QLabel* m_insertCaption = nullptr;
    QComboBox* m_variables = nullptr;
    TJetButton* m_variablesArrow = nullptr;
    TJetButton* m_insertVariable = nullptr;
    QLabel* m_precisionCaption = nullptr;
    QComboBox* m_precision = nullptr;
    TJetButton* m_precisionArrow = nullptr;
    QLabel* m_lineBreakCaption = nullptr;
    TJetButton* m_insertLineBreak = nullptr;
    QLabel* m_previewCaption = nullptr;
    QLabel* m_preview = nullptr;
    TJetButton* m_previewButton = nullptr;
    TJetButton* m_enter = nullptr;
    TJetButton* m_cancel = nullptr;

    QString m_previewText;
    bool m_collapsed = false;
};

}  // namespace trevalon
