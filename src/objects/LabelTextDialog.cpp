#include "objects/LabelTextDialog.h"

#include "common/Program.h"
#include "objects/ObjectDialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TGetLabelText::TGetLabelText(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GetLabelText"));
    setWindowTitle(QStringLiteral("Text"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Enter Text"), this);
    layout->addWidget(label);
    labelText_ = new QLineEdit(this);
    labelText_->setObjectName(QStringLiteral("LabelText"));
    labelText_->setMinimumWidth(300);
    label->setBuddy(labelText_);
    layout->addWidget(labelText_);

    auto *buttons = OkCancelHelpButtons(this, [this] { OkClick(); }, [this] { CancelClick(); },
                                        [this] { HelpClick(); });
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    labelText_->setFocus();
}

void TGetLabelText::SetText(const std::string &text)
{
    labelText_->setText(QString::fromStdString(text));
    labelText_->selectAll();
}

std::string TGetLabelText::Text() const
{
    return labelText_->text().toStdString();
}

void TGetLabelText::HelpClick()
{
    ShowHelpContext(kHelpTopic);
}

} // namespace velmora
