#include "ui/print/PrintChoiceDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon {
namespace {

struct Choice {
    PrintContent content;
    int text;
    const char* objectName;
};

constexpr Choice kChoices[] = {
    {PrintContent::ActiveBoard, texts::PrintActiveBoard, "RActiveBoard"},
    {PrintContent::AllBoards, texts::PrintAllBoards, "RAllBoards"},
    {PrintContent::Schema, texts::PrintSchema, "RSchema"},
    {PrintContent::Worksheet, texts::PrintWorksheet, "RWorksheet"},
};

bool onePicture(PrintContent content) {
    return content == PrintContent::ActiveBoard || content == PrintContent::Schema;
}

}  // namespace

PrintChoiceDialog::PrintChoiceDialog(QWidget* owner, const TextTable& texts, const QString& title,
                                     bool singlePicture)
    : QDialog(owner) {
    setObjectName(QStringLiteral("TFDrukuj"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* question = new QLabel(texts.text(texts::PrintChoiceTitle), this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    layout->addWidget(question);
    m_contents = new QButtonGroup(this);
    for (const Choice& choice : kChoices) {
        auto* button = new QRadioButton(texts.text(choice.text), this);
        button->setObjectName(QLatin1String(choice.objectName));
        button->setEnabled(!singlePicture || onePicture(choice.content));
        m_contents->addButton(button, static_cast<int>(choice.content));
        layout->addWidget(button);
    }
    m_contents->button(static_cast<int>(PrintContent::ActiveBoard))->setChecked(true);
    m_withCheck = new QCheckBox(texts.text(texts::PrintWithCheck), this);
    m_withCheck->setObjectName(QStringLiteral("CWithCheck"));
    m_withCheck->setEnabled(false);
    m_withCheck->setVisible(!singlePicture);
    layout->addWidget(m_withCheck);
    // The check's result belongs to the worksheet only.
    connect(m_contents, &QButtonGroup::idToggled, m_withCheck, [this](int, bool) {
        m_withCheck->setEnabled(request().content == PrintContent::Worksheet);
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(texts.text(texts::PrintContinue));
    buttons->button(QDialogButtonBox::Cancel)->setText(texts.text(texts::PrintCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addSpacing(6);
    layout->addWidget(buttons);
}

PrintRequest PrintChoiceDialog::request() const {
    PrintRequest request;
    request.content = static_cast<PrintContent>(m_contents->checkedId());
    request.withCheck = request.content == PrintContent::Worksheet && m_withCheck->isChecked();
    return request;
}

std::optional<PrintRequest> PrintChoiceDialog::ask(QWidget* owner, const TextTable& texts,
                                                   const QString& title, bool singlePicture) {
    PrintChoiceDialog dialog(owner, texts, title, singlePicture);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.request();
}

}  // namespace trevalon
