#pragma once

#include <QDialog>
#include <optional>

#include "ui/print/PrintRequest.h"

class QButtonGroup;
class QCheckBox;

namespace trevalon {

class TextTable;

// The small choice before printing or exporting: the active board, all boards, the active
// board's flowchart or the worksheet, and for the worksheet whether the check's result goes
// with it. An SVG drawing is one picture, so it offers only the active board and its
// flowchart.
class PrintChoiceDialog : public QDialog {
public:
    PrintChoiceDialog(QWidget* owner, const TextTable& texts, const QString& title,
                      bool singlePicture);

    PrintRequest request() const;

    // Opens the dialog; nothing when the user cancels.
    static std::optional<PrintRequest> ask(QWidget* owner, const TextTable& texts,
                                           const QString& title, bool singlePicture);

private:
    QButtonGroup* m_contents = nullptr;
    QCheckBox* m_withCheck = nullptr;
};

}  // namespace trevalon
