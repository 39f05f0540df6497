#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <array>
#include <optional>

#include "builders/ExpressionBuilder.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace trevalon {

class ClickLabel;
class DragLabel;
class SettingsStore;
class TJetButton;
class WindowHost;
class Workspace;

// The expression builder: the formula on the right of an assignment (or of a comparison with
// a formula) is composed from pick lists, a keypad and typing, and tried on test values. What
// every click means is decided by ExpressionBuilder; the window draws its state and forwards.
//
// The properties window opens it with `compose`, modally, and stores what it hands back.
// `workspace`, `settings` and `host` must outlive the window.
class TFBudujWyrazenie : public QDialog {
public:
    static constexpr int Width = 560;
    static constexpr int Height = 460;
    static constexpr int ListCount = 6;
    static constexpr int PlacementOffset = 15;

    // Where the window goes: a little right of and below the properties window's corner.
    static QPoint openingPoint(const QPoint& propertiesTopLeft) {
        return propertiesTopLeft + QPoint(PlacementOffset, PlacementOffset);
    }

    TFBudujWyrazenie(Workspace& workspace, SettingsStore& settings, WindowHost& host,
                     QWidget* parent);
    ~TFBudujWyrazenie() override;

    // Shows the builder modally on `formula` ("" for none; pass "" rather than "Brak") of the
    // block on board `board` whose left-hand variable is `leftVariable` ("Brak" or empty when
    // none is chosen yet), placed a little right of and below `propertiesTopLeft`. Answers the
    // formula after "Wprowadź"; nothing after "Anuluj" or closing, and then nothing changed.
    std::optional<QString> compose(int board, const QString& leftVariable, const QString& formula,
                                   const QPoint& propertiesTopLeft);

    // Captions in the current interface language.
    void applyTexts();

    // For tests and for the properties window's own checks.
    const ExpressionBuilder& logic() const { return m_builder; }
    QPlainTextEdit* expressionEdit() const { return m_expression; }
    QComboBox* list(BuilderList which) const { return m_lists[index(which)]; }
    TJetButton* dropButton(BuilderList which) const { return m_dropButtons[index(which)]; }
    TJetButton* insertButton(BuilderList which) const { return m_insertButtons[index(which)]; }
    // Keypad buttons in the order "0".."9", "(", ")", "-", ",".
    TJetButton* keypadButton(int i) const { return m_keypad.at(static_cast<std::size_t>(i)); }
    TJetButton* checkButton() const { return m_check; }
    TJetButton* enterButton() const { return m_enter; }
    TJetButton* cancelButton() const { return m_cancel; }
    ClickLabel* collapseLabel() const { return m_collapse; }
    DragLabel* titleLabel() const { return m_title; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static std::size_t index(BuilderList which) { return static_cast<std::size_t>(which); }

    void buildTitleStrip();
    void buildExpression();
    void buildLists();
    void buildKeypad();
    void buildButtons();
    void fillLists();
    void insertFromList(BuilderList which);
    void pressKeypad(int i);
    void checkFormula();
    void finish(bool entered);
    void toggleCollapsed();
    void showFormulaStatus();
    void entryHovered(BuilderList which, int entry);
    void entryChosen(BuilderList which, int entry);
    // The text control shows the builder's formula, caret and selection.
    void syncEditFromLogic();
    // The text control's caret and selection go to the builder.
    void syncLogicFromEdit();
    bool filterTyping(QKeyEvent* event);
    void typeCharacters(const QString& typed);
    void pasteFiltered();

    Workspace& m_ws;
    SettingsStore& m_settings;
    WindowHost& m_host;
    ExpressionBuilder m_builder;
    bool m_entered = false;
    bool m_syncing = false;

    DragLabel* m_title = nullptr;
    ClickLabel* m_collapse = nullptr;
    ClickLabel* m_close = nullptr;
    QLabel* m_expressionLabel = nullptr;
    QPlainTextEdit* m_expression = nullptr;
    std::array<QLabel*, ListCount> m_listLabels{};
    std::array<QComboBox*, ListCount> m_lists{};
    std::array<TJetButton*, ListCount> m_dropButtons{};
    std::array<TJetButton*, ListCount> m_insertButtons{};
    std::array<TJetButton*, 14> m_keypad{};
    TJetButton* m_check = nullptr;
    TJetButton* m_enter = nullptr;
    TJetButton* m_cancel = nullptr;
};

}  // namespace trevalon
